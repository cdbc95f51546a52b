// The category breakdown over an accounting period that spans two month files of 3,000 lines each,
// with a table of 20 categories: the files are generated as for the month line's benchmark, so
// BM_ReadAndSplitFloor (totals_bench.cpp) reads and splits the same lines once. The monthly
// graph's year over twelve such files, against reading and splitting those lines once.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench_dir.h"
#include "categories/category_table.h"
#include "core/comma_text.h"
#include "core/text_codec.h"
#include "core/text_file.h"
#include "ledger/month_file.h"
#include "reports/breakdown.h"
#include "reports/month_graph.h"

namespace purselog {
namespace {

std::string BreakdownCategoryName(int i) { return Utf8ToCp932("費目") + std::to_string(i); }

CategoryTable BreakdownCategories() {
  GridTable grid(kCategoryFileColumns, 21);
  for (int k = 0; k < 20; ++k) {
    grid.SetCell(0, k + 1, k % 5 == 0 ? IncomeKindText() : ExpenseKindText());
    grid.SetCell(1, k + 1, BreakdownCategoryName(k));
    grid.SetCell(2, k + 1, "preset");
  }
  return CategoryTable::FromGrid(grid);
}

void WriteBreakdownMonth(const std::filesystem::path& data_dir, int year, unsigned month) {
  const std::string memo = Utf8ToCp932("スーパーで まとめ買い");
  std::vector<std::string> lines;
  for (int i = 0; i < 3000; ++i) {
    const Date day = MakeDate(year, month, static_cast<unsigned>(1 + (i * 7) % 30));
    lines.push_back(
        JoinCommaText({DateKey(day), BreakdownCategoryName(i % 21), "item " + std::to_string(i),
                       std::to_string(100 + i) + ".5", i % 3 == 0 ? memo : ""}));
  }
  WriteLines(MonthFilePath(data_dir, MakeDate(year, month, 1)), lines);
}

void BM_BreakdownTwoFiles(benchmark::State& state) {
  BenchDir dir;
  WriteBreakdownMonth(dir.path(), 2024, 4);
  WriteBreakdownMonth(dir.path(), 2024, 5);
  const CategoryTable table = BreakdownCategories();
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComputeBreakdown(dir.path(), MakeDate(2024, 5, 10), 25, table));
  }
}
BENCHMARK(BM_BreakdownTwoFiles)->Unit(benchmark::kMicrosecond);

void WriteYear(const std::filesystem::path& data_dir, int year) {
  for (unsigned month = 1; month <= 12; ++month) WriteBreakdownMonth(data_dir, year, month);
}

void BM_MonthSumsYear(benchmark::State& state) {
  BenchDir dir;
  WriteYear(dir.path(), 2024);
  const CategoryTable table = BreakdownCategories();
  for (auto _ : state) benchmark::DoNotOptimize(ComputeMonthSums(dir.path(), 2024, table));
}
BENCHMARK(BM_MonthSumsYear)->Unit(benchmark::kMillisecond);

void BM_YearReadAndSplitFloor(benchmark::State& state) {
  BenchDir dir;
  WriteYear(dir.path(), 2024);
  for (auto _ : state) {
    std::size_t fields = 0;
    for (unsigned month = 1; month <= 12; ++month) {
      for (const std::string& line :
           ReadLines(MonthFilePath(dir.path(), MakeDate(2024, month, 1)))) {
        fields += SplitCommaText(line).size();
      }
    }
    benchmark::DoNotOptimize(fields);
  }
}
BENCHMARK(BM_YearReadAndSplitFloor)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace purselog
