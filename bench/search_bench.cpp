// The search across months over a history of 30 years (360 month files of 300 lines, 108,000
// lines): building the index (list, read, write ~searchindex.tmp, sort ignoring case), against
// the floor of reading the same files and sorting their lines bytewise; and one find-next for a
// text that only the newest month holds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_dir.h"
#include "core/comma_text.h"
#include "core/paths.h"
#include "core/text_codec.h"
#include "core/text_file.h"
#include "ledger/month_file.h"
#include "search/search_index.h"

namespace purselog {
namespace {

constexpr int kFirstYear = 1995;
constexpr int kYears = 30;
constexpr int kLinesPerMonth = 300;
const char* const kNewestOnly = "NEWEST-ONLY";

struct Kind {
  const char* category;
  std::array<const char*, 3> descriptions;
};

// A household's month: about ten entries a day, saved day by day (so not in date order), with
// memos on some, in the delivered categories.
void WriteHistory(const std::filesystem::path& data_dir) {
  const std::array<Kind, 8> kinds = {{
      {"食費", {"食料品", "外食", "お弁当"}},
      {"日用品", {"消耗品", "洗剤", "ドラッグストア"}},
      {"交通費", {"電車", "バス", "ガソリン"}},
      {"水道光熱費", {"電気代", "ガス代", "水道代"}},
      {"通信費", {"携帯電話", "インターネット", "新聞"}},
      {"交際娯楽", {"飲み会", "書籍", "映画"}},
      {"給料", {"給与", "賞与", "手当"}},
      {"Misc", {"Coffee", "coffee beans", "Parking"}},
  }};
  const std::array<std::string, 4> memos = {"", Utf8ToCp932("スーパーで まとめ買い"), "",
                                            Utf8ToCp932("友人と")};
  std::filesystem::create_directories(data_dir);
  int n = 0;
  for (int year = kFirstYear; year < kFirstYear + kYears; ++year) {
    for (unsigned month = 1; month <= 12; ++month) {
      const bool newest = year == kFirstYear + kYears - 1 && month == 12;
      std::vector<std::string> lines;
      for (int i = 0; i < kLinesPerMonth; ++i, ++n) {
        const Kind& kind = kinds[static_cast<std::size_t>(n * 7 % 8)];
        const unsigned day = static_cast<unsigned>(1 + (i * 11) % 28);
        std::string memo = memos[static_cast<std::size_t>(n % 4)];
        if (newest && i == kLinesPerMonth / 2) memo = kNewestOnly;
        lines.push_back(
            JoinCommaText({DateKey(MakeDate(year, month, day)), Utf8ToCp932(kind.category),
                           Utf8ToCp932(kind.descriptions[static_cast<std::size_t>(n % 3)]),
                           std::to_string(100 + n % 4900), memo}));
      }
      WriteLines(MonthFilePath(data_dir, MakeDate(year, month, 1)), lines);
    }
  }
}

void BM_BuildSearchIndex30Years(benchmark::State& state) {
  BenchDir dir;
  const ProgramPaths paths{dir.path()};
  WriteHistory(paths.DataDir());
  for (auto _ : state) {
    std::vector<std::string> lines = BuildSearchIndex(paths);
    benchmark::DoNotOptimize(lines);
  }
}
BENCHMARK(BM_BuildSearchIndex30Years)->Unit(benchmark::kMillisecond);

void BM_ReadAndSortBytewiseFloor30Years(benchmark::State& state) {
  BenchDir dir;
  const ProgramPaths paths{dir.path()};
  WriteHistory(paths.DataDir());
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(paths.DataDir())) {
    files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  for (auto _ : state) {
    std::vector<std::string> lines;
    for (const std::filesystem::path& file : files) {
      for (std::string& line : ReadLines(file)) lines.push_back(std::move(line));
    }
    std::sort(lines.begin(), lines.end());
    benchmark::DoNotOptimize(lines);
  }
}
BENCHMARK(BM_ReadAndSortBytewiseFloor30Years)->Unit(benchmark::kMillisecond);

void BM_SearchStepToNewestMonth(benchmark::State& state) {
  BenchDir dir;
  const ProgramPaths paths{dir.path()};
  WriteHistory(paths.DataDir());
  SearchIndex index(BuildSearchIndex(paths));
  // Two texts in turn, so that every step starts again at the oldest line.
  const std::array<std::optional<std::string>, 2> texts = {std::string(kNewestOnly),
                                                           std::string("NEWEST-")};
  std::size_t turn = 0;
  Date opened;
  for (auto _ : state) {
    const SearchStep step = index.Step(texts[turn++ % 2], [&opened](const Date& date) {
      opened = date;
      return true;
    });
    if (step != SearchStep::kOpened ||
        opened != MakeDate(kFirstYear + kYears - 1, 12, 1 + (150 * 11) % 28)) {
      state.SkipWithError("the newest month's line was not found");
      break;
    }
  }
}
BENCHMARK(BM_SearchStepToNewestMonth)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace purselog
