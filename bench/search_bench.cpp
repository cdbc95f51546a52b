// The search across months over a history of 30 years from the sample history (360 month
// files): building the index (list, read, write ~searchindex.tmp, sort ignoring case), against
// the floor of reading the same files and sorting their lines bytewise; and one find-next for
// the newest day, whose lines are the last of the index.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "core/text_file.h"
#include "history.h"
#include "search/search_index.h"

namespace purselog {
namespace {

void BM_BuildSearchIndex30Years(benchmark::State& state) {
  const HistoryDir history(30);
  for (auto _ : state) {
    std::vector<std::string> lines = BuildSearchIndex(history.paths());
    benchmark::DoNotOptimize(lines);
  }
}
BENCHMARK(BM_BuildSearchIndex30Years)->Unit(benchmark::kMillisecond);

void BM_ReadAndSortBytewiseFloor30Years(benchmark::State& state) {
  const HistoryDir history(30);
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(history.DataDir())) {
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
  const HistoryDir history(30);
  SearchIndex index(BuildSearchIndex(history.paths()));
  // The newest day's key, and the same with its comma: two texts in turn, so that every step
  // starts again at the oldest line.
  const std::string key = DateKey(kHistoryLastDay);
  const std::array<std::optional<std::string>, 2> texts = {key, key + ","};
  std::size_t turn = 0;
  Date opened;
  for (auto _ : state) {
    const SearchStep step = index.Step(texts[turn++ % 2], [&opened](const Date& date) {
      opened = date;
      return true;
    });
    if (step != SearchStep::kOpened || opened != kHistoryLastDay) {
      state.SkipWithError("the newest day's line was not found");
      break;
    }
  }
}
BENCHMARK(BM_SearchStepToNewestMonth)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace purselog
