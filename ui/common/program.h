// What both programs do first: answer "--version" on the command line (the program's name and
// the build's version on standard output, and nothing else is done), set up the application
// (its name, version and font), and find their program directory, where the account book lives:
// the directory of the program file, or the one named by "--program-dir DIR" (the launcher of a
// system-wide install gives each user's own, ~/.local/share/purselog).
#pragma once

#include <string_view>

#include "core/paths.h"

class QString;

namespace purselog {

// True when the version was asked for (and printed): the program then ends.
bool PrintVersionIfAsked(int argc, char* argv[], std::string_view program);
// Once the QApplication exists.
void SetUpApplication(const QString& name);
// Once the QApplication exists.
ProgramPaths ThisProgramsPaths();
// "Purselog" and the build's version: the main window's title line.
QString ProgramTitle();

}  // namespace purselog
