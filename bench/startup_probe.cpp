// Starts the real main window on the offscreen platform in a program directory, and exits as
// soon as it has been painted for the first time, printing one line: the resident memory at that
// moment and its peak (kB), and the font family the windows use. The start-up benchmarks time
// whole runs of it.
//   purselog_startup_probe [--today yyyymmdd] [--idle | --load-all] PROGRAM_DIR
//   --today     the day the page opens on (default: the system date)
//   --idle      exit only once the other windows have been made as well
//   --load-all  first load the history as far as any window loads it: the breakdown and the
//               monthly graph shown, then the find window with its index of every month file
#include <QApplication>
#include <QDialog>
#include <QFontInfo>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "ui/common/host.h"
#include "ui/common/look.h"
#include "ui/main/main_form.h"
#include "ui/search/find_dialog.h"

namespace {

long StatusKilobytes(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key, 0) == 0) return std::stol(line.substr(std::strlen(key)));
  }
  return -1;
}

// The desktop, except that the day is fixed when asked, a modal window is shown and left open
// without waiting, and a message goes to the error output.
class ProbeHost : public purselog::DesktopHost {
 public:
  explicit ProbeHost(std::optional<purselog::Date> today) : today_(today) {}
  purselog::Date Today() override { return today_ ? *today_ : DesktopHost::Today(); }
  int ExecModal(QDialog& dialog) override {
    dialog.show();
    QApplication::processEvents();
    return QDialog::Rejected;
  }
  void ShowMessage(QWidget*, const QString& caption, const QString& text,
                   purselog::MessageIcon) override {
    std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
    failed_ = true;
  }
  bool failed() const { return failed_; }

 private:
  std::optional<purselog::Date> today_;
  bool failed_ = false;
};

int Usage() {
  std::fputs("usage: purselog_startup_probe [--today yyyymmdd] [--idle | --load-all] PROGRAM_DIR\n",
             stderr);
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  std::optional<purselog::Date> today;
  bool idle = false;
  bool load_all = false;
  const char* program_dir = nullptr;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--today" && i + 1 < argc) {
      today = purselog::ParseDateKey(argv[++i]);
      if (!today) return Usage();
    } else if (arg == "--idle") {
      idle = true;
    } else if (arg == "--load-all") {
      load_all = true;
    } else if (!arg.starts_with("-") && program_dir == nullptr) {
      program_dir = argv[i];
    } else {
      return Usage();
    }
  }
  if (program_dir == nullptr) return Usage();

  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setFont(purselog::GothicFont(12));
  ProbeHost host(today);
  purselog::Tmainform form(purselog::ProgramPaths{program_dir}, host);
  if (!form.FormCreate()) return 1;
  form.show();
  const auto report = [&form, &host] {
    std::printf("%ld %ld %s\n", StatusKilobytes("VmRSS:"), StatusKilobytes("VmHWM:"),
                qPrintable(QFontInfo(form.font()).family()));
    std::fflush(stdout);
    std::_Exit(host.failed() ? 1 : 0);  // nothing to write back: the probe measures the start only
  };
  QTimer::singleShot(0, &app, [&] {
    form.repaint();
    if (load_all) {
      form.SpeedButton8Click();  // the breakdown of the accounting month
      form.N14Click();           // the monthly graph of the year
      form.Find1Click();         // the find window's index of every month file
      if (!form.FindDialog1()->HasIndex()) host.ShowMessage(nullptr, "probe", "no index", {});
      report();
    }
    if (!idle) report();
    // The other windows are made on a later turn of the event loop, once the first paint is
    // done: the probe looks at every turn.
    auto* turn = new QTimer(&app);
    QObject::connect(turn, &QTimer::timeout, &app, [&] {
      if (form.WindowsCreated()) report();
    });
    turn->start(0);
  });
  return QApplication::exec();
}
