// Starts the real main window on the offscreen platform in the program directory given as the
// only argument, exits as soon as it is shown, and prints the resident memory at that moment
// (kB). Used by ui_bench to time a whole process start.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "ui/common/host.h"
#include "ui/common/look.h"
#include "ui/main/main_form.h"

namespace {

long ResidentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) return 2;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setFont(purselog::GothicFont(12));
  purselog::DesktopHost host;
  purselog::Tmainform form(purselog::ProgramPaths{argv[1]}, host);
  if (!form.FormCreate()) return 1;
  form.show();
  QTimer::singleShot(0, &app, [&form] {
    form.repaint();
    std::printf("%ld\n", ResidentKilobytes());
    std::fflush(stdout);
    std::_Exit(0);  // nothing to write back: the probe measures the start only
  });
  return QApplication::exec();
}
