#include "ui/common/program.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

#include "ui/common/look.h"
#include "version/version.h"

namespace purselog {

bool PrintVersionIfAsked(int argc, char* argv[], std::string_view program) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--version") {
      std::printf("%.*s %.*s\n", static_cast<int>(program.size()), program.data(),
                  static_cast<int>(kVersion.size()), kVersion.data());
      return true;
    }
  }
  return false;
}

void SetUpApplication(const QString& name) {
  QApplication::setApplicationName(name);
  QApplication::setApplicationVersion(
      QString::fromLatin1(kVersion.data(), static_cast<qsizetype>(kVersion.size())));
  QApplication::setFont(GothicFont(12));
}

QString ProgramTitle() {
  return QStringLiteral("Purselog ") +
         QString::fromLatin1(kVersion.data(), static_cast<qsizetype>(kVersion.size()));
}

ProgramPaths ThisProgramsPaths() {
  return {
      std::filesystem::path(QDir(QApplication::applicationDirPath()).absolutePath().toStdString())};
}

}  // namespace purselog
