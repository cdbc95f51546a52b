// The month line: SumPeriod over an accounting period that spans two month files of 3,000 lines
// each, with a table of 20 categories, against reading and splitting the same lines.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench_dir.h"
#include "categories/category_table.h"
#include "core/comma_text.h"
#include "core/text_codec.h"
#include "core/text_file.h"
#include "ledger/month_file.h"
#include "ledger/totals.h"

namespace purselog {
namespace {

std::string CategoryName(int i) { return Utf8ToCp932("費目") + std::to_string(i); }

CategoryTable TwentyCategories() {
  GridTable grid(kCategoryFileColumns, 21);
  for (int k = 0; k < 20; ++k) {
    grid.SetCell(0, k + 1, k % 5 == 0 ? IncomeKindText() : ExpenseKindText());
    grid.SetCell(1, k + 1, CategoryName(k));
    grid.SetCell(2, k + 1, "preset");
  }
  return CategoryTable::FromGrid(grid);
}

void WriteMonth(const std::filesystem::path& data_dir, int year, unsigned month) {
  const std::string memo = Utf8ToCp932("スーパーで まとめ買い");
  std::vector<std::string> lines;
  for (int i = 0; i < 3000; ++i) {
    const Date day = MakeDate(year, month, static_cast<unsigned>(1 + (i * 7) % 30));
    lines.push_back(JoinCommaText({DateKey(day), CategoryName(i % 21), "item " + std::to_string(i),
                                   std::to_string(100 + i) + ".5", i % 3 == 0 ? memo : ""}));
  }
  WriteLines(MonthFilePath(data_dir, MakeDate(year, month, 1)), lines);
}

void BM_SumPeriodTwoFiles(benchmark::State& state) {
  BenchDir dir;
  WriteMonth(dir.path(), 2024, 4);
  WriteMonth(dir.path(), 2024, 5);
  const CategoryTable table = TwentyCategories();
  const EntryKindOf kind_of = table.KindFunction();
  const AccountingPeriod period = PeriodOf(MakeDate(2024, 5, 10), 25);
  for (auto _ : state) {
    benchmark::DoNotOptimize(SumPeriod(dir.path(), period, kind_of, false));
  }
}
BENCHMARK(BM_SumPeriodTwoFiles)->Unit(benchmark::kMicrosecond);

void BM_ReadAndSplitFloor(benchmark::State& state) {
  BenchDir dir;
  WriteMonth(dir.path(), 2024, 4);
  WriteMonth(dir.path(), 2024, 5);
  for (auto _ : state) {
    std::size_t fields = 0;
    for (unsigned month : {4u, 5u}) {
      for (const std::string& line :
           ReadLines(MonthFilePath(dir.path(), MakeDate(2024, month, 1)))) {
        fields += SplitCommaText(line).size();
      }
    }
    benchmark::DoNotOptimize(fields);
  }
}
BENCHMARK(BM_ReadAndSplitFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace purselog
