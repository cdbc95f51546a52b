// The program directory the benchmarks work on: the delivered category table, a closing day in
// ini.ini, and years of a made-up household's month files from tools/gendata, ending on
// kHistoryLastDay. Removed with everything in it afterwards.
#pragma once

#include <filesystem>

#include "bench_dir.h"
#include "categories/category_table.h"
#include "core/date.h"
#include "core/paths.h"
#include "tools/gendata/sample_history.h"

namespace purselog {

// A fixed last day, so that every run measures the same bytes.
inline const Date kHistoryLastDay = MakeDate(2024, 12, 31);
// The pay day most of the benchmarks close their accounting month on: a month total or a
// breakdown then reads two month files.
constexpr int kHistoryClosingDay = 25;

class HistoryDir {
 public:
  explicit HistoryDir(int years, int closing_day = kHistoryClosingDay);

  const ProgramPaths& paths() const { return paths_; }
  std::filesystem::path DataDir() const { return paths_.DataDir(); }
  const CategoryTable& categories() const { return categories_; }
  const SampleHistoryOptions& options() const { return options_; }
  const SampleHistoryCount& count() const { return count_; }
  int closing_day() const { return closing_day_; }

 private:
  BenchDir dir_;
  ProgramPaths paths_;
  CategoryTable categories_;
  SampleHistoryOptions options_;
  SampleHistoryCount count_;
  int closing_day_;
};

}  // namespace purselog
