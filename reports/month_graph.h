// The monthly graph: the sums of the twelve calendar months of one year (each month one whole
// month file, whatever the closing day), per category and in total, and the bar chart of one
// series of them. Texts are Shift_JIS bytes.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "categories/category_table.h"
#include "core/color.h"
#include "core/money.h"
#include "reports/ez_graph.h"

namespace purselog {

constexpr int kMonthsInYear = 12;
constexpr int kMonthGraphScaleStep = 100000;
// The series list: item 0 is the total expense, item 1 the total income, item k + 2 category k.
constexpr int kExpenseSeries = 0;
constexpr int kIncomeSeries = 1;
constexpr int kFirstCategorySeries = 2;

struct MonthSums {
  int graph_year = 0;  // GraphYear
  // Month m at index m - 1: the month's total expense, its total income, then the sum of each
  // category of the table in table order, each "#0.##" (1234.5). Entry i belongs to series i.
  std::array<std::vector<std::string>, kMonthsInYear> months;
  MoneySum largest;                  // the largest single category sum of any month, at least 0
  int scale = kMonthGraphScaleStep;  // MonthGraphScale(largest)
};

// The month file of month m of the graph's year: the year in decimal, m in two digits, ".csv".
std::filesystem::path MonthGraphFilePath(const std::filesystem::path& data_dir, int year,
                                         int month);

// Sums the twelve month files of `year`. A line counts for a category when its field 0 is an
// integer text and its field 1 equals the category's name byte for byte (its date is not looked
// at; every category of that name counts it); its field 3 is the amount, 0 when it is not a
// number. Missing fields count as empty, so such a line is passed over or counts 0. The totals
// add the category sums as written ("#0.##"), by each category's kind. A missing month file
// counts 0 throughout; throws FileError when one cannot be read.
MonthSums ComputeMonthSums(const std::filesystem::path& data_dir, int year,
                           const CategoryTable& categories);

// The smallest multiple of 100,000 above `largest`: (trunc(largest / 100000) + 1) x 100000;
// the largest such multiple an int holds when it would be larger.
int MonthGraphScale(MoneySum largest);

// The texts of the series list: "総支出", "総収入", then the category names in table order.
std::vector<std::string> MonthGraphSeries(const CategoryTable& categories);

// Sets `graph` up to draw series `series` (which must be an entry of every month's list) of
// `sums` on an axis up to `scale`: the twelve-month layout, the title "月別グラフ（<year>）",
// the unit "(Yen)", the bars in the series' colour (the expense in palette[3], the income in
// palette[0], category k in palette[k]) and one data line per month ("12345,1月").
void SetUpMonthGraph(TezGraph& graph, const MonthSums& sums, int series, int scale,
                     const ChartPaletteColors& palette, const CanvasFont* font);

}  // namespace purselog
