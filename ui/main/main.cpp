// purselog: the household account book. Data lives beside the program file.
#include <QApplication>
#include <QDir>
#include <QFont>

#include "ui/common/host.h"
#include "ui/common/look.h"
#include "ui/main/main_form.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Purselog"));
  QApplication::setFont(purselog::GothicFont(12));
  purselog::DesktopHost host;
  purselog::ProgramPaths paths{
      std::filesystem::path(QDir(QApplication::applicationDirPath()).absolutePath().toStdString())};
  purselog::Tmainform form(paths, host);
  if (!form.FormCreate()) return 1;
  form.show();
  return QApplication::exec();
}
