// A change of date on a month file of 3,000 lines, against the bare floor of reading the same
// bytes and writing them back through the same atomic writer.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench_dir.h"
#include "core/comma_text.h"
#include "core/text_codec.h"
#include "core/text_file.h"
#include "ledger/month_file.h"

namespace purselog {
namespace {

// 3,000 entry lines spread over the 31 days of January 2024, with Shift_JIS text.
void WriteMonth(const std::filesystem::path& data_dir) {
  const std::string categories[4] = {Utf8ToCp932("食費"), Utf8ToCp932("日用品"),
                                     Utf8ToCp932("交通費"), Utf8ToCp932("給料")};
  const std::string memo = Utf8ToCp932("スーパーで まとめ買い");
  std::vector<std::string> lines;
  for (int i = 0; i < 3000; ++i) {
    const Date day = MakeDate(2024, 1, static_cast<unsigned>(1 + (i * 7) % 31));
    lines.push_back(JoinCommaText({DateKey(day), categories[i % 4], "item " + std::to_string(i),
                                   std::to_string(100 + i), i % 3 == 0 ? memo : ""}));
  }
  WriteLines(MonthFilePath(data_dir, MakeDate(2024, 1, 1)), lines);
}

void BM_ChangeOfDate(benchmark::State& state) {
  BenchDir dir;
  WriteMonth(dir.path());
  const Date today = MakeDate(2024, 1, 10);
  const Date tomorrow = MakeDate(2024, 1, 11);
  DayPage page = LoadDayPage(dir.path(), today);
  for (auto _ : state) {
    SaveDayPage(dir.path(), today, page);
    DayPage next = LoadDayPage(dir.path(), tomorrow);
    benchmark::DoNotOptimize(next);
  }
}
BENCHMARK(BM_ChangeOfDate)->Unit(benchmark::kMicrosecond);

void BM_ReadAndRewriteFloor(benchmark::State& state) {
  BenchDir dir;
  WriteMonth(dir.path());
  const std::filesystem::path path = MonthFilePath(dir.path(), MakeDate(2024, 1, 1));
  for (auto _ : state) {
    const std::string bytes = ReadFileBytes(path);
    WriteFileAtomic(path, bytes);
    benchmark::DoNotOptimize(bytes);
  }
}
BENCHMARK(BM_ReadAndRewriteFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace purselog
