// purselog: the household account book. Data lives beside the program file.
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <csignal>

#include "ui/common/host.h"
#include "ui/common/program.h"
#include "ui/main/main_form.h"

namespace {

int stop_pipe[2] = {-1, -1};

// Ctrl+C in the terminal, or a plain kill: the window is closed as by its close button, so the
// page shown is written first. A second signal ends the program at once.
void OnStopSignal(int signal_number) {
  std::signal(signal_number, SIG_DFL);
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(stop_pipe[1], &byte, 1);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (purselog::PrintVersionIfAsked(argc, argv, "purselog")) return 0;
  QApplication app(argc, argv);
  purselog::SetUpApplication(QStringLiteral("Purselog"));
  purselog::DesktopHost host;
  const purselog::ProgramPaths paths = purselog::ThisProgramsPaths();
  purselog::Tmainform form(paths, host);
  if (!form.FormCreate()) return 1;

  if (::pipe2(stop_pipe, O_CLOEXEC) == 0) {
    auto* stop = new QSocketNotifier(stop_pipe[0], QSocketNotifier::Read, &app);
    QObject::connect(stop, &QSocketNotifier::activated, &form, [&form] {
      char byte = 0;
      [[maybe_unused]] const ssize_t read = ::read(stop_pipe[0], &byte, 1);
      form.close();
    });
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
  }

  form.show();
  return QApplication::exec();
}
