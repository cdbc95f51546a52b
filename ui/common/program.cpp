#include "ui/common/program.h"

#include <QApplication>
#include <QDir>
#include <QFile>
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
  const QStringList arguments = QApplication::arguments();
  const qsizetype at = arguments.indexOf(QStringLiteral("--program-dir"));
  const QString dir =
      at >= 0 && at + 1 < arguments.size() ? arguments[at + 1] : QApplication::applicationDirPath();
  return {std::filesystem::path(QFile::encodeName(QDir(dir).absolutePath()).toStdString())};
}

}  // namespace purselog
