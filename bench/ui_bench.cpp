// The window's own costs: a whole process start up to the main window shown (offscreen), and a
// change of date through the window including the repaint.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_dir.h"
#include "core/comma_text.h"
#include "core/text_codec.h"
#include "core/text_file.h"
#include "ledger/month_file.h"
#include "ui/common/host.h"
#include "ui/main/main_form.h"

extern char** environ;

namespace purselog {
namespace {

// A busy month: 3,000 entries over the month's days in the delivered categories.
void WriteMonth(const std::filesystem::path& data_dir, const Date& any_day) {
  const char* const categories[] = {"食費", "日用品", "交通費", "給料"};
  std::vector<std::string> lines;
  for (int i = 0; i < 3000; ++i) {
    const Date day = MakeDate(YearOf(any_day), MonthOf(any_day), static_cast<unsigned>(1 + i % 28));
    lines.push_back(JoinCommaText({DateKey(day), Utf8ToCp932(categories[i % 4]),
                                   Utf8ToCp932("外食"), std::to_string(100 + i), ""}));
  }
  WriteLines(MonthFilePath(data_dir, any_day), lines);
}

class FixedDayHost : public DesktopHost {
 public:
  Date Today() override { return MakeDate(2024, 1, 10); }
};

// A program directory with the delivered category table and a data folder.
void PrepareProgramDir(const std::filesystem::path& dir) {
  std::filesystem::copy_file(PURSELOG_CATEGORY_FILE, dir / "setting.dat");
  std::filesystem::create_directory(dir / "data");
}

void BM_ProcessStartToWindowShown(benchmark::State& state) {
  BenchDir dir;
  PrepareProgramDir(dir.path());
  WriteMonth(dir.path() / "data", MakeDate(2024, 1, 1));
  const std::string probe = PURSELOG_STARTUP_PROBE;
  long resident = 0;
  for (auto _ : state) {
    int pipe_fds[2];
    if (::pipe(pipe_fds) != 0) std::abort();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
    const std::string dir_text = dir.path().string();
    char* argv[] = {const_cast<char*>(probe.c_str()), const_cast<char*>(dir_text.c_str()), nullptr};
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
  BenchDir dir;
  PrepareProgramDir(dir.path());
  WriteMonth(dir.path() / "data", MakeDate(2024, 1, 1));
  FixedDayHost host;
  Tmainform form(ProgramPaths{dir.path()}, host);
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
