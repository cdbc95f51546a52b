// The category breakdown of an accounting month: the sum of every expense category and, together,
// of all income categories over the period's one or two month files, and the texts of the
// breakdown window and of its printout. Texts are Shift_JIS bytes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "categories/category_table.h"
#include "core/date.h"
#include "core/money.h"
#include "ledger/period.h"

namespace purselog {

struct Breakdown {
  AccountingPeriod period;
  // BreakdownList: one line per expense category, its sum "#0.##", "=", its name (12345=食費),
  // ascending by amount; equal amounts keep their category-table order.
  std::vector<std::string> lines;
  MoneySum income;  // BreakdownIncome: the sum over all income categories
};

// The breakdown of the accounting month of `current_date`. A line counts for a category when its
// date key lies in the period and its category field equals the name byte for byte (letter case
// matters here); its amount field counts as 0 when it is not a number or is missing. Missing
// month files contribute nothing; throws FileError when one cannot be read.
Breakdown ComputeBreakdown(const std::filesystem::path& data_dir, const Date& current_date,
                           int closing_day, const CategoryTable& categories);

// The amount of a BreakdownList line: its text before the first "=" read back as money, so that
// every later use works with the sums rounded to two decimals.
MoneySum BreakdownAmount(std::string_view line);
// The category name of a line: everything after the first "=".
std::string_view BreakdownName(std::string_view line);
// BreakdownTotal: the sum of the amounts of all lines.
MoneySum BreakdownTotal(const std::vector<std::string>& lines);
// Ascending by amount; equal amounts keep their order (the order the neighbour-exchange sort of
// the list gives).
void SortBreakdownList(std::vector<std::string>& lines);

// One row of the breakdown table.
struct BreakdownRow {
  std::string category;  // "費目"
  std::string share;     // "構成比(%)": "0.0" of amount / total × 100, then "%"
  std::string amount;    // "金額": the currency symbol and the amount text as stored
  MoneySum value;        // the amount
  int category_index;    // FindCategory of the name (letter case ignored), -1 when none
};

// What the breakdown window shows and prints.
struct BreakdownView {
  std::vector<BreakdownRow> rows;  // table row 1 first: BreakdownList from its last line
  MoneySum total;                  // BreakdownTotal
  std::string title;               // "月別支出グラフ   2001年3月26日～2001年4月25日"
  std::string print_title;         // "4月度収支   2001年3月26日～2001年4月25日"
  std::string income_caption;      // "4月度総収入："
  std::string income_text;         // currency symbol, "#,0.##" of BreakdownIncome
  std::string expense_caption;     // "4月度総支出："
  std::string expense_text;        // currency symbol, "#,0.##" of BreakdownTotal
  std::string balance_caption;     // "4月度収支："
  std::string balance_text;        // currency symbol, "#,0.##" of the month total, signed
};

// The month in the captions is that of `current_date`, not of the period. `balance` is the sum
// of the month line of `current_date`.
BreakdownView MakeBreakdownView(const std::vector<std::string>& lines, MoneySum income,
                                const AccountingPeriod& period, const Date& current_date,
                                MoneySum balance, const CategoryTable& categories);

// The table header: "費目", "構成比(%)", "金額".
const std::vector<std::string>& BreakdownHeader();

}  // namespace purselog
