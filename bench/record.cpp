// purselog_record: the performance record. Generates a 30-year sample history (tools/gendata) in
// a temporary program directory and measures, over it, every figure of the record beside its
// floor (the least work that touches the same bytes), in the same run:
// - start-up to the shown window (a whole process, offscreen) against a bare Qt Widgets program
//   that shows one window in the same Japanese font, and the peak resident memory with the
//   history loaded as far as any window loads it against that program holding the same lines;
// - a change of date, the month total, the breakdown, the year aggregation, the search index,
//   one search step and an export (Google Benchmark, repetitions interleaved at random);
// - the year aggregation against `ledger` over a journal of the same entries, after checking
//   that both give the same totals per category and month, to the last digit.
// Prints the table (Markdown) with the machine it ran on. Ends with 1 when the totals disagree
// or a measurement could not be made.
//   purselog_record [--years N] [--starts N] [--repetitions N] [--out FILE]
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "book/book.h"
#include "core/comma_text.h"
#include "core/money.h"
#include "core/text_file.h"
#include "export/csv_export.h"
#include "history.h"
#include "ledger/month_file.h"
#include "ledger/period.h"
#include "ledger/totals.h"
#include "reports/breakdown.h"
#include "reports/month_graph.h"
#include "search/search_index.h"

extern char** environ;

namespace purselog {
namespace {

// The day the page opens on, the date of the month total and the breakdown: its accounting
// month (closing day 25) spans two month files.
const Date kShownDay = MakeDate(2024, 12, 10);
constexpr int kGraphYear = 2024;

// ---- Processes ------------------------------------------------------------------------------

struct ProcessRun {
  int exit_code = -1;
  std::string output;  // standard output; the error output is dropped
  double ms = 0;       // from the spawn to the end of the process
};

ProcessRun RunProcess(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  int pipe_fds[2];
  if (::pipe2(pipe_fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  ProcessRun run;
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipe_fds[1]);
  if (spawned != 0) {
    ::close(pipe_fds[0]);
    throw std::runtime_error("cannot start " + args[0]);
  }
  char buffer[65536];
  for (ssize_t n; (n = ::read(pipe_fds[0], buffer, sizeof buffer)) != 0;) {
    if (n > 0) run.output.append(buffer, static_cast<std::size_t>(n));
    if (n < 0 && errno != EINTR) break;
  }
  ::close(pipe_fds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  run.ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

ProcessRun RunOrThrow(const std::vector<std::string>& args) {
  ProcessRun run = RunProcess(args);
  if (run.exit_code != 0) {
    throw std::runtime_error(args[0] + " ended with " + std::to_string(run.exit_code));
  }
  return run;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// ---- Benchmarks ----------------------------------------------------------------------------

// The median real time of every benchmark over its repetitions, in milliseconds; only the
// medians are shown.
class Collector : public benchmark::ConsoleReporter {
 public:
  Collector() : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    std::vector<Run> shown;
    for (const Run& run : runs) {
      if (run.error_occurred) {
        errors_.push_back(run.benchmark_name() + ": " + run.error_message);
      } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        medians_[run.run_name.function_name] =
            run.GetAdjustedRealTime() * 1e3 / benchmark::GetTimeUnitMultiplier(run.time_unit);
        shown.push_back(run);
      }
    }
    if (!shown.empty()) ConsoleReporter::ReportRuns(shown);
  }
  std::optional<double> MedianMs(const std::string& name) const {
    const auto found = medians_.find(name);
    if (found == medians_.end()) return std::nullopt;
    return found->second;
  }
  const std::vector<std::string>& errors() const { return errors_; }

 private:
  std::map<std::string, double> medians_;
  std::vector<std::string> errors_;
};

// The least any reader of the files does: their bytes read, each byte looked at once (the line
// breaks and commas counted).
std::size_t ReadAndScan(const std::vector<std::filesystem::path>& files) {
  std::size_t marks = 0;
  for (const std::filesystem::path& file : files) {
    const std::string bytes = ReadFileBytes(file);
    for (const char c : bytes) marks += c == ',' || c == '\n';
  }
  return marks;
}

std::vector<std::filesystem::path> MonthFiles(const std::filesystem::path& data_dir,
                                              const AccountingPeriod& period) {
  std::vector<std::filesystem::path> files = {MonthFilePath(data_dir, period.first)};
  if (MonthKey(period.last) != MonthKey(period.first)) {
    files.push_back(MonthFilePath(data_dir, period.last));
  }
  return files;
}

void RegisterBenchmarks(const HistoryDir& history, int repetitions) {
  const std::filesystem::path data_dir = history.DataDir();
  const CategoryTable& table = history.categories();
  const AccountingPeriod period = PeriodOf(kShownDay, history.closing_day());
  const std::vector<std::filesystem::path> period_files = MonthFiles(data_dir, period);
  std::vector<std::filesystem::path> year_files;
  for (int month = 1; month <= kMonthsInYear; ++month) {
    year_files.push_back(MonthGraphFilePath(data_dir, kGraphYear, month));
  }
  const std::filesystem::path shown_file = MonthFilePath(data_dir, kShownDay);
  const std::filesystem::path export_file = history.paths().program_dir / "export.csv";
  const auto add = [repetitions](const char* name, benchmark::TimeUnit unit, auto&& body) {
    benchmark::RegisterBenchmark(name, std::forward<decltype(body)>(body))
        ->Unit(unit)
        ->Repetitions(repetitions)
        ->ReportAggregatesOnly(true);
  };

  // The change of date through the book: write the page back, load the next day's page, the
  // month total of its period and the labels; two days in turn.
  add("ChangeOfDate", benchmark::kMicrosecond, [&history](benchmark::State& state) {
    Book book(history.paths(), [] { return kShownDay; });
    if (!book.Start().done) state.SkipWithError("the book did not start");
    bool forward = true;
    for (auto _ : state) {
      if (!book.GoToDate(AddDays(kShownDay, forward ? 1 : 0)).done) {
        state.SkipWithError("the change of date failed");
        break;
      }
      forward = !forward;
    }
  });
  add("ChangeOfDateFloor", benchmark::kMicrosecond,
      [shown_file, period_files](benchmark::State& state) {
        for (auto _ : state) {
          const std::string bytes = ReadFileBytes(shown_file);
          WriteFileAtomic(shown_file, bytes);
          benchmark::DoNotOptimize(ReadAndScan(period_files));
        }
      });

  add("MonthTotal", benchmark::kMicrosecond, [&history, data_dir](benchmark::State& state) {
    const EntryKindOf kind_of = history.categories().KindFunction();
    for (auto _ : state) {
      benchmark::DoNotOptimize(
          ComputeMonthTotal(data_dir, kShownDay, history.closing_day(), kind_of, false));
    }
  });
  add("Breakdown", benchmark::kMicrosecond, [&history, &table, data_dir](benchmark::State& state) {
    for (auto _ : state) {
      benchmark::DoNotOptimize(ComputeBreakdown(data_dir, kShownDay, history.closing_day(), table));
    }
  });
  add("PeriodReadAndScanFloor", benchmark::kMicrosecond, [period_files](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ReadAndScan(period_files));
  });

  add("YearAggregation", benchmark::kMicrosecond, [&table, data_dir](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ComputeMonthSums(data_dir, kGraphYear, table));
  });
  add("YearReadAndScanFloor", benchmark::kMicrosecond, [year_files](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ReadAndScan(year_files));
  });

  add("SearchIndex", benchmark::kMillisecond, [&history](benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(BuildSearchIndex(history.paths()));
  });
  // Every month file read once, its bytes written once to a file of the program directory, its
  // lines sorted bytewise in place.
  add("SearchIndexFloor", benchmark::kMillisecond, [&history, data_dir](benchmark::State& state) {
    const std::filesystem::path floor_file = history.paths().program_dir / "floor.tmp";
    for (auto _ : state) {
      std::string bytes;
      for (const auto& entry : std::filesystem::directory_iterator(data_dir)) {
        bytes += ReadFileBytes(entry.path());
      }
      WriteFileAtomic(floor_file, bytes);
      std::vector<std::string_view> lines;
      for (std::size_t start = 0, end; start < bytes.size(); start = end + 2) {
        end = bytes.find("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        lines.emplace_back(bytes.data() + start, end - start);
      }
      std::sort(lines.begin(), lines.end());
      benchmark::DoNotOptimize(lines);
    }
  });

  // One find-next for the newest day's key: every line before the newest day's is looked at.
  // Two texts in turn, so that each step starts again at the oldest line.
  add("SearchStep", benchmark::kMicrosecond, [&history](benchmark::State& state) {
    SearchIndex index(BuildSearchIndex(history.paths()));
    const std::string key = DateKey(kHistoryLastDay);
    const std::array<std::optional<std::string>, 2> texts = {key, key + ","};
    std::size_t turn = 0;
    for (auto _ : state) {
      Date opened;
      const SearchStep step = index.Step(texts[turn++ % 2], [&opened](const Date& date) {
        opened = date;
        return true;
      });
      if (step != SearchStep::kOpened || opened != kHistoryLastDay) {
        state.SkipWithError("the newest day was not found");
        break;
      }
    }
  });
  add("SearchStepFloor", benchmark::kMicrosecond, [&history](benchmark::State& state) {
    const std::vector<std::string> lines = BuildSearchIndex(history.paths());
    const std::string key = DateKey(kHistoryLastDay);
    for (auto _ : state) {
      std::size_t i = 0;
      while (i < lines.size() && lines[i].find(key) == std::string::npos) ++i;
      benchmark::DoNotOptimize(i);
    }
  });

  // The export of the calendar month shown, expenses negative, to a file beside the program.
  add("Export", benchmark::kMicrosecond, [&table, data_dir, export_file](benchmark::State& state) {
    const EntryKindOf kind_of = table.KindFunction();
    for (auto _ : state) {
      const std::vector<std::string> lines = ReadExportLines(data_dir, kShownDay);
      WriteExportFile(data_dir, export_file,
                      ExportLines(lines, ExportMode::kExpenseNegative, kind_of));
    }
  });
  add("ExportFloor", benchmark::kMicrosecond, [shown_file, export_file](benchmark::State& state) {
    for (auto _ : state) WriteFileAtomic(export_file, ReadFileBytes(shown_file));
  });
}

// ---- Processes: start-up and memory --------------------------------------------------------

struct ProbeReport {
  long resident_kb = 0;
  long peak_kb = 0;
  std::string rest;  // the font family (purselog) or the number of lines held (bare)
};

ProbeReport ParseProbe(const std::string& output) {
  std::istringstream in(output);
  ProbeReport report;
  if (!(in >> report.resident_kb >> report.peak_kb)) {
    throw std::runtime_error("a probe printed no memory figures");
  }
  std::getline(in >> std::ws, report.rest);
  return report;
}

// ---- ledger --------------------------------------------------------------------------------

// Totals per month (1 to 12) and per category index; absent: no entry.
using YearTotals = std::map<std::pair<int, int>, MoneySum>;

YearTotals ProjectTotals(const MonthSums& sums, const CategoryTable& table) {
  YearTotals totals;
  for (int month = 1; month <= kMonthsInYear; ++month) {
    const std::vector<std::string>& row = sums.months[static_cast<std::size_t>(month - 1)];
    for (int k = 0; k < table.size(); ++k) {
      const std::optional<Money> value =
          ParseAmount(row.at(static_cast<std::size_t>(kFirstCategorySeries + k)));
      if (!value) throw std::runtime_error("a month sum is not a number");
      if (*value != Money()) totals[{month, k}] = *value;
    }
  }
  return totals;
}

// ledger's register, one line per month and account: "yyyymm<TAB>account<TAB>amount". Incomes
// are negative there.
YearTotals LedgerTotals(const std::string& output, const CategoryTable& table, int year) {
  std::map<std::string, int> account_index;
  for (int k = 0; k < table.size(); ++k) {
    const std::string account = LedgerAccount(table, table.names()[static_cast<std::size_t>(k)]);
    if (!account_index.emplace(account, k).second) {
      throw std::runtime_error("two categories share the account " + account);
    }
  }
  YearTotals totals;
  std::istringstream in(output);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty()) continue;
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = line.find('\t', tab1 + 1);
    if (tab1 != 6 || tab2 == std::string::npos) {
      throw std::runtime_error("ledger printed an unexpected line: " + line);
    }
    const int line_year = std::stoi(line.substr(0, 4));
    const int month = std::stoi(line.substr(4, 2));
    const std::string account = line.substr(tab1 + 1, tab2 - tab1 - 1);
    const std::optional<Money> amount = ParseAmount(line.substr(tab2 + 1));
    const auto found = account_index.find(account);
    if (line_year != year || month < 1 || month > 12 || found == account_index.end() || !amount) {
      throw std::runtime_error("ledger printed an unexpected line: " + line);
    }
    const bool income = account.starts_with("Income:");
    MoneySum& total = totals[{month, found->second}];
    total += income ? -*amount : *amount;
  }
  std::erase_if(totals, [](const auto& entry) { return entry.second == MoneySum(); });
  return totals;
}

std::vector<std::string> LedgerCommand(const std::filesystem::path& journal, int year) {
  return {"ledger",
          "--args-only",
          "-f",
          journal.string(),
          "-p",
          std::to_string(year),
          "--monthly",
          "register",
          "^Expenses:",
          "^Income:",
          "--format",
          "%(format_date(date, \"%Y%m\"))\t%(account)\t%(quantity(scrub(display_amount)))\n"};
}

// ---- The machine ---------------------------------------------------------------------------

std::string CpuModel() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string line;
  while (std::getline(cpuinfo, line)) {
    if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
  }
  return "unknown";
}

std::string LoadAverage() {
  std::ifstream loadavg("/proc/loadavg");
  std::string one, five, fifteen;
  loadavg >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

// ---- The table -----------------------------------------------------------------------------

struct Row {
  std::string measure;
  double value = 0;
  std::string floor_text;
  double floor = 0;
  std::string unit;   // "ms" or "MB"
  double limit = 3;   // the figure may be at most limit × the floor
  bool info = false;  // no target
};

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

std::string Amount(double value, const std::string& unit) {
  const int decimals = value >= 100 ? 0 : value >= 10 ? 1 : value >= 1 ? 2 : 3;
  return Fixed(value, decimals) + " " + unit;
}

struct Options {
  int years = 30;
  int starts = 31;
  int repetitions = 7;
  std::optional<std::filesystem::path> out;
};

int Record(const Options& options, int argc, char** argv) {
  std::printf("purselog_record: generating %d years of sample history...\n", options.years);
  std::fflush(stdout);
  const std::string load_before = LoadAverage();
  const HistoryDir history(options.years);
  const std::filesystem::path data_dir = history.DataDir();
  std::uintmax_t history_bytes = 0;
  for (const auto& entry : std::filesystem::directory_iterator(data_dir)) {
    history_bytes += entry.file_size();
  }

  // The journals for ledger: the whole history, and the graph's year alone.
  const std::filesystem::path journal_all = history.paths().program_dir / "history.ledger";
  const std::filesystem::path journal_year = history.paths().program_dir / "year.ledger";
  WriteFileAtomic(journal_all, LedgerJournal(history.categories(), history.options()));
  WriteFileAtomic(journal_year, LedgerJournal(history.categories(), {MakeDate(kGraphYear, 1, 1),
                                                                     MakeDate(kGraphYear, 12, 31),
                                                                     history.options().seed}));

  // Both aggregations must give the same totals before their times mean anything.
  const YearTotals ours = ProjectTotals(
      ComputeMonthSums(data_dir, kGraphYear, history.categories()), history.categories());
  for (const auto& journal : {journal_year, journal_all}) {
    const YearTotals theirs = LedgerTotals(RunOrThrow(LedgerCommand(journal, kGraphYear)).output,
                                           history.categories(), kGraphYear);
    if (theirs != ours) {
      std::fprintf(stderr, "purselog_record: ledger's totals of %d differ from ours (%s):\n",
                   kGraphYear, journal.filename().c_str());
      for (int month = 1; month <= kMonthsInYear; ++month) {
        for (int k = 0; k < history.categories().size(); ++k) {
          const auto a = ours.find({month, k});
          const auto b = theirs.find({month, k});
          const MoneySum x = a == ours.end() ? MoneySum() : a->second;
          const MoneySum y = b == theirs.end() ? MoneySum() : b->second;
          if (x != y) {
            std::fprintf(stderr, "  month %d, category %d: purselog %s, ledger %s\n", month, k,
                         FormatMoney(x, NumberPattern::kPlain).c_str(),
                         FormatMoney(y, NumberPattern::kPlain).c_str());
          }
        }
      }
      return 1;
    }
  }
  std::printf("purselog_record: ledger's totals of %d agree with ours (%zu category months)\n",
              kGraphYear, ours.size());

  // Whole processes, each kind in turn, so that a change of load meets all of them alike.
  const std::string program_dir = history.paths().program_dir.string();
  const std::string today = DateKey(kShownDay);
  const std::string probe = PURSELOG_STARTUP_PROBE;
  const std::string bare = PURSELOG_BARE_WINDOW_PROBE;
  const std::string family =
      ParseProbe(RunOrThrow({probe, "--today", today, program_dir}).output).rest;
  std::vector<double> starts, idles, bares, ledger_year, ledger_all;
  for (int i = 0; i < options.starts; ++i) {
    bares.push_back(RunOrThrow({bare, "--family", family}).ms);
    starts.push_back(RunOrThrow({probe, "--today", today, program_dir}).ms);
    idles.push_back(RunOrThrow({probe, "--today", today, "--idle", program_dir}).ms);
  }
  std::vector<double> peaks, bare_peaks;
  for (int i = 0; i < 3; ++i) {
    peaks.push_back(static_cast<double>(
        ParseProbe(RunOrThrow({probe, "--today", today, "--load-all", program_dir}).output)
            .peak_kb));
    bare_peaks.push_back(static_cast<double>(
        ParseProbe(RunOrThrow({bare, "--family", family, "--hold", data_dir.string()}).output)
            .peak_kb));
  }
  for (int i = 0; i < 5; ++i) {
    ledger_year.push_back(RunOrThrow(LedgerCommand(journal_year, kGraphYear)).ms);
    ledger_all.push_back(RunOrThrow(LedgerCommand(journal_all, kGraphYear)).ms);
  }

  // The benchmarks, their repetitions interleaved at random.
  RegisterBenchmarks(history, options.repetitions);
  std::vector<char*> bench_args = {argv[0]};
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  bench_args.push_back(interleave.data());
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]).starts_with("--benchmark_")) bench_args.push_back(argv[i]);
  }
  int bench_argc = static_cast<int>(bench_args.size());
  benchmark::Initialize(&bench_argc, bench_args.data());
  Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  benchmark::Shutdown();
  if (!collector.errors().empty()) {
    for (const std::string& error : collector.errors()) {
      std::fprintf(stderr, "purselog_record: %s\n", error.c_str());
    }
    return 1;
  }
  const auto ms = [&collector](const char* name) {
    const std::optional<double> value = collector.MedianMs(name);
    if (!value) throw std::runtime_error(std::string("no figure for ") + name);
    return *value;
  };

  const double year_ms = ms("YearAggregation");
  const std::vector<Row> rows = {
      {"Start-up to the shown window (process, offscreen)", Median(starts),
       "bare Qt Widgets window, " + family, Median(bares), "ms", 2},
      {"Start-up until the other windows are made", Median(idles), "the same bare window",
       Median(bares), "ms", 3},
      {"Change of date (write back, load, month total)", ms("ChangeOfDate"),
       "read + atomic rewrite of the month file, read + scan of the period's files",
       ms("ChangeOfDateFloor"), "ms"},
      {"Month total (two month files)", ms("MonthTotal"), "read + scan of the two files",
       ms("PeriodReadAndScanFloor"), "ms"},
      {"Breakdown (two month files)", ms("Breakdown"), "read + scan of the two files",
       ms("PeriodReadAndScanFloor"), "ms"},
      {"Year aggregation (twelve month files)", year_ms, "read + scan of the twelve files",
       ms("YearReadAndScanFloor"), "ms"},
      {"Search index (every month file)", ms("SearchIndex"),
       "read every file, write its bytes once, sort the lines bytewise", ms("SearchIndexFloor"),
       "ms"},
      {"One search step (to the newest day)", ms("SearchStep"), "find over the same lines",
       ms("SearchStepFloor"), "ms"},
      {"Export of one month", ms("Export"), "read + atomic write of the month file's bytes",
       ms("ExportFloor"), "ms"},
      {"Peak resident memory, history loaded", Median(peaks) / 1024,
       "bare window holding every line of the history", Median(bare_peaks) / 1024, "MB"},
  };

  std::ostringstream table;
  table << "| Measure | Purselog | Floor | Floor measures | Ratio | Target | Met |\n"
        << "|---|---:|---:|---|---:|---|---|\n";
  std::vector<std::string> missed;
  for (const Row& row : rows) {
    const double ratio = row.value / row.floor;
    const bool met = ratio <= row.limit;
    if (!met) missed.push_back(row.measure);
    table << "| " << row.measure << " | " << Amount(row.value, row.unit) << " | "
          << Amount(row.floor, row.unit) << " | " << row.floor_text << " | " << Fixed(ratio, 2)
          << "x | <= " << Fixed(row.limit, 0) << "x | " << (met ? "yes" : "**no**") << " |\n";
  }
  const double ledger_year_ms = Median(ledger_year);
  const double ledger_all_ms = Median(ledger_all);
  const bool ledger_met = ledger_year_ms >= 10 * year_ms;
  if (!ledger_met) missed.push_back("year aggregation against ledger");
  table << "\n| Year " << kGraphYear
        << " by category and month | Time | Purselog faster by | Target | Met |\n"
        << "|---|---:|---:|---|---|\n"
        << "| Purselog `ComputeMonthSums` (twelve month files) | " << Amount(year_ms, "ms")
        << " | | | |\n"
        << "| `ledger` over a journal of " << kGraphYear << " alone | "
        << Amount(ledger_year_ms, "ms") << " | " << Fixed(ledger_year_ms / year_ms, 0)
        << "x | >= 10x | " << (ledger_met ? "yes" : "**no**") << " |\n"
        << "| `ledger` over the journal of all " << options.years << " years | "
        << Amount(ledger_all_ms, "ms") << " | " << Fixed(ledger_all_ms / year_ms, 0) << "x | | |\n";

  const std::string load_after = LoadAverage();
  std::ostringstream report;
  report << "History: " << options.years << " years (" << DateKey(history.options().first_day)
         << " to " << DateKey(history.options().last_day) << "), " << history.count().month_files
         << " month files, " << history.count().entries << " entries, "
         << Fixed(static_cast<double>(history_bytes) / 1048576.0, 2) << " MB; closing day "
         << history.closing_day() << ", page shown " << DateKey(kShownDay) << ".\n"
         << "Machine: " << CpuModel() << ", " << std::thread::hardware_concurrency()
         << " cores; load average (1, 5, 15 min) " << load_before << " before, " << load_after
         << " after.\n"
         << "Medians: " << options.starts
         << " process starts of each kind, 3 memory runs, 5 ledger "
         << "runs, " << options.repetitions << " benchmark repetitions; ledger's totals of "
         << kGraphYear << " agree exactly with Purselog's (" << ours.size()
         << " category months).\n\n"
         << table.str() << "\n"
         << (missed.empty() ? std::string("Every target met.\n") : "Targets missed: " + [&missed] {
              std::string list;
              for (const std::string& m : missed) {
                list += (list.empty() ? "" : "; ") + m;
              }
              return list;
            }() + ".\n");
  std::printf("\n%s", report.str().c_str());
  if (options.out) WriteFileAtomic(*options.out, report.str());
  return 0;
}

int Usage() {
  std::fputs(
      "usage: purselog_record [--years N] [--starts N] [--repetitions N] [--out FILE] "
      "[--benchmark_...]\n",
      stderr);
  return 2;
}

}  // namespace
}  // namespace purselog

int main(int argc, char** argv) {
  purselog::Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg.starts_with("--benchmark_")) continue;
    if (!has_value) return purselog::Usage();
    if (arg == "--years") {
      options.years = std::atoi(argv[++i]);
    } else if (arg == "--starts") {
      options.starts = std::atoi(argv[++i]);
    } else if (arg == "--repetitions") {
      options.repetitions = std::atoi(argv[++i]);
    } else if (arg == "--out") {
      options.out = argv[++i];
    } else {
      return purselog::Usage();
    }
  }
  if (options.years < 1 || options.starts < 1 || options.repetitions < 1) return purselog::Usage();
  try {
    return purselog::Record(options, argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "purselog_record: %s\n", error.what());
    return 1;
  }
}
