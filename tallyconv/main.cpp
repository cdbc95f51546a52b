// tallyconv: converts the legacy grid files of the data folder beside the program into ".csv"
// files. It shares the file code of the account book, not the account book itself.
#include <QApplication>
#include <filesystem>

#include "tallyconv/form1.h"
#include "ui/common/host.h"
#include "ui/common/program.h"

int main(int argc, char* argv[]) {
  if (purselog::PrintVersionIfAsked(argc, argv, "tallyconv")) return 0;
  QApplication app(argc, argv);
  purselog::SetUpApplication(QStringLiteral("tallyconv"));
  purselog::DesktopHost host;
  const purselog::ProgramPaths paths = purselog::ThisProgramsPaths();
  purselog::TForm1 form(paths, host);
  if (!form.FormCreate()) return 1;
  form.show();
  return QApplication::exec();
}
