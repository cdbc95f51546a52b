// purselog_gendata: writes a made-up household's history into a program directory's data
// folder, so that every report has something to show (see `make demo`).
//   purselog_gendata [--years N] [--until yyyymmdd] [--seed S] [--ledger FILE] PROGRAM_DIR
// The categories come from PROGRAM_DIR/setting.dat. A data folder that already holds month files
// is refused: the history never replaces anybody's entries.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "core/paths.h"
#include "core/text_file.h"
#include "tools/gendata/sample_history.h"

namespace {

constexpr const char* kUsage =
    "usage: purselog_gendata [--years N] [--until yyyymmdd] [--seed S] [--ledger FILE] "
    "PROGRAM_DIR\n"
    "  --years N          whole years of month files up to the last day (default 5)\n"
    "  --until yyyymmdd   the last day with entries (default today)\n"
    "  --seed S           another household (default 1)\n"
    "  --ledger FILE      also write the same entries as a journal for ledger(1)\n";

purselog::Date Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return purselog::MakeDate(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                            static_cast<unsigned>(local.tm_mday));
}

std::optional<long> Number(std::string_view text) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  long value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

int Usage(const char* problem) {
  std::fprintf(stderr, "purselog_gendata: %s\n%s", problem, kUsage);
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  using namespace purselog;
  long years = 5;
  std::uint64_t seed = 1;
  Date last_day = Today();
  std::optional<std::filesystem::path> program_dir;
  std::optional<std::filesystem::path> ledger_file;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (arg == "--years" && has_value) {
      const std::optional<long> value = Number(argv[++i]);
      if (!value || *value < 1 || *value > 200) return Usage("--years takes 1 to 200");
      years = *value;
    } else if (arg == "--until" && has_value) {
      const std::optional<Date> day = ParseDateKey(argv[++i]);
      if (!day) return Usage("--until takes a day as yyyymmdd");
      last_day = *day;
    } else if (arg == "--seed" && has_value) {
      const std::optional<long> value = Number(argv[++i]);
      if (!value) return Usage("--seed takes a whole number");
      seed = static_cast<std::uint64_t>(*value);
    } else if (arg == "--ledger" && has_value) {
      ledger_file = argv[++i];
    } else if (!arg.starts_with("-") && !program_dir) {
      program_dir = arg;
    } else {
      return Usage(("unexpected argument " + std::string(arg)).c_str());
    }
  }
  if (!program_dir) return Usage("no program directory");

  try {
    const ProgramPaths paths{*program_dir};
    const CategoryTable table = LoadCategories(paths.CategoryFile());
    const SampleHistoryOptions options = YearsUntil(static_cast<int>(years), last_day, seed);
    const SampleHistoryCount count = WriteSampleHistory(paths.DataDir(), table, options);
    std::printf("purselog_gendata: %d month files, %ld entries, %s to %s, in %s\n",
                count.month_files, count.entries, DateKey(options.first_day).c_str(),
                DateKey(options.last_day).c_str(), paths.DataDir().c_str());
    if (ledger_file) {
      WriteFileAtomic(*ledger_file, LedgerJournal(table, options));
      std::printf("purselog_gendata: ledger journal in %s\n", ledger_file->c_str());
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "purselog_gendata: %s\n", error.what());
    return 1;
  }
  return 0;
}
