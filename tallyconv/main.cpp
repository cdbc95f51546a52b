// tallyconv: converts the legacy grid files of the data folder beside the program into ".csv"
// files. It shares the file code of the account book, not the account book itself.
#include <QApplication>
#include <QDir>
#include <filesystem>

#include "tallyconv/form1.h"
#include "ui/common/host.h"
#include "ui/common/look.h"
#include "ui/common/version_option.h"

int main(int argc, char* argv[]) {
  if (purselog::PrintVersionIfAsked(argc, argv, "tallyconv")) return 0;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tallyconv"));
  QApplication::setApplicationVersion(QString::fromLatin1(
      purselog::kVersion.data(), static_cast<qsizetype>(purselog::kVersion.size())));
  QApplication::setApplicationVersion(
      QString::fromLatin1(purselog::kVersion.data(), purselog::kVersion.size()));
  QApplication::setFont(purselog::GothicFont(12));
  purselog::DesktopHost host;
  const purselog::ProgramPaths paths{
      std::filesystem::path(QDir(QApplication::applicationDirPath()).absolutePath().toStdString())};
  purselog::TForm1 form(paths, host);
  if (!form.FormCreate()) return 1;
  form.show();
  return QApplication::exec();
}
