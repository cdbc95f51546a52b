// What both programs do first: answer "--version" on the command line (the program's name and
// the build's version on standard output, and nothing else is done), set up the application
// (its name, version and font), and find their program directory: the directory of the program
// file, where the account book lives.
#pragma once

#include <string_view>

#include "core/paths.h"

class QString;

namespace purselog {

// True when the version was asked for (and printed): the program then ends.
bool PrintVersionIfAsked(int argc, char* argv[], std::string_view program);
// Once the QApplication exists.
void SetUpApplication(const QString& name);
ProgramPaths ThisProgramsPaths();
// "Purselog" and the build's version: the main window's title line.
QString ProgramTitle();

}  // namespace purselog
