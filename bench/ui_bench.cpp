// The window's own costs over the 30-year sample history: a whole process start up to the main
// window shown (offscreen), and a change of date through the window including the repaint.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "history.h"
#include "ui/common/host.h"
#include "ui/main/main_form.h"

extern char** environ;

namespace purselog {
namespace {

class FixedDayHost : public DesktopHost {
 public:
  Date Today() override { return MakeDate(2024, 12, 10); }
};

void BM_ProcessStartToWindowShown(benchmark::State& state) {
  const HistoryDir history(30);
  const std::string probe = PURSELOG_STARTUP_PROBE;
  long resident = 0;
  for (auto _ : state) {
    int pipe_fds[2];
    if (::pipe(pipe_fds) != 0) std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
    const std::string dir_text = history.paths().program_dir.string();
    char today[] = "--today";
    char day[] = "20241210";
    char* argv[] = {const_cast<char*>(probe.c_str()), today, day,
                    const_cast<char*>(dir_text.c_str()), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, probe.c_str(), &actions, nullptr, argv, environ) != 0) std::abort();
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe_fds[1]);
    char buffer[64] = {};
    const ssize_t n = ::read(pipe_fds[0], buffer, sizeof buffer - 1);
    ::close(pipe_fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (n <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the probe did not start");
      break;
    }
    resident = std::atol(buffer);
  }
  state.counters["resident_MB"] = static_cast<double>(resident) / 1024.0;
}
BENCHMARK(BM_ProcessStartToWindowShown)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ChangeOfDateThroughTheWindow(benchmark::State& state) {
  const HistoryDir history(30);
  FixedDayHost host;
  Tmainform form(history.paths(), host);
  if (!form.FormCreate()) {
    state.SkipWithError("start-up failed");
    return;
  }
  form.show();
  QApplication::processEvents();
  bool forward = true;
  for (auto _ : state) {
    if (forward) {
      form.SpeedButton2Click();
    } else {
      form.SpeedButton1Click();
    }
    forward = !forward;
    form.repaint();
  }
}
BENCHMARK(BM_ChangeOfDateThroughTheWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace purselog

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
