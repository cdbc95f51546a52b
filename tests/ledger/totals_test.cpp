#include "ledger/totals.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/text_codec.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

using testing::TempDir;
using testing::WriteBytes;

const std::string kFood = Utf8ToCp932("食費");
const std::string kSalary = Utf8ToCp932("給料");
const std::string kTriangle = Utf8ToCp932("▲");

// Food is an expense, salary an income (in either letter case, as the table's lookup would
// have it), anything else is of no kind.
EntryKind KindOf(std::string_view category) {
  if (category == kFood || category == "food" || category == "FOOD") return EntryKind::kExpense;
  if (category == kSalary) return EntryKind::kIncome;
  return EntryKind::kNone;
}

DayPage Page(std::initializer_list<std::pair<std::string, std::string>> rows) {
  DayPage page;
  for (const auto& [category, amount] : rows) page.push_back({category, "d", amount, ""});
  return page;
}

TEST(Totals, DayLineTexts) {
  const DayPage page = Page({{kSalary, "5000"}, {kFood, "1200"}, {"unknown", "999"}, {"", "7"}});
  EXPECT_EQ(DayTotalText(SumDayPage(page, KindOf, false), false), "Sub Total \\3,800 /Day");
  EXPECT_EQ(DayTotalText(SumDayPage(page, KindOf, true), true),
            "Total Spent " + kTriangle + "\\1,200 /Day");

  const DayPage spend = Page({{kFood, "6000"}});
  EXPECT_EQ(DayTotalText(SumDayPage(spend, KindOf, false), false),
            "Sub Total " + kTriangle + "\\6,000 /Day");

  const DayPage incomes = Page({{kSalary, "6000"}, {kSalary, "1"}});
  EXPECT_EQ(DayTotalText(SumDayPage(incomes, KindOf, true), true), "Total Spent \\0 /Day");

  const DayPage fractions = Page({{kSalary, "1234.567"}, {kSalary, "abc"}, {kSalary, "1,000"}});
  EXPECT_EQ(SumDayPage(fractions, KindOf, false), AmountValue("1234.567"));
  EXPECT_EQ(DayTotalText(SumDayPage(fractions, KindOf, false), false), "Sub Total \\1,234.57 /Day");
  EXPECT_EQ(MonthTotalText(AmountValue("1234.5"), false), "Total \\1,234.5 /Month");
  EXPECT_EQ(MonthTotalText(AmountValue("-1"), true), "Total Spent " + kTriangle + "\\1 /Month");
}

TEST(Totals, PeriodSumsAcrossTwoMonthFiles) {
  TempDir dir;
  // Closing day 25, 10 May: the period runs from 26 April to 25 May.
  WriteBytes(dir / "202404.csv",
             "20240425," + kSalary +
                 ",x,100000,\r\n"  // before the period
                 "20240426," +
                 kSalary +
                 ",x,250000,\r\n"
                 "20240430,FOOD,x,3000,\r\n"  // other letter case still counts
                 "20240430," +
                 kFood +
                 ",x,12.5,memo\r\n"
                 "20240430,Unknown,x,777,\r\n"  // no kind: ignored
                 "header,line\r\n"
                 "20240430," +
                 kFood +
                 "\r\n"  // fewer than four fields: counts 0
                 "\r\n");
  WriteBytes(dir / "202405.csv",
             "20240510," + kFood +
                 ",x,1000,\r\n"
                 "20240525,food,x,500,\r\n"
                 "20240526," +
                 kFood +
                 ",x,99999,\r\n"  // after the period
                 "$134D8BE," +
                 kFood + ",x,1,\r\n");  // 20240574 in hexadecimal: outside
  const AccountingPeriod period = PeriodOf(MakeDate(2024, 5, 10), 25);
  EXPECT_EQ(SumPeriod(dir.path(), period, KindOf, false), AmountValue("245487.5"));
  EXPECT_EQ(SumPeriod(dir.path(), period, KindOf, true), AmountValue("-4512.5"));

  const MonthTotal total = ComputeMonthTotal(dir.path(), MakeDate(2024, 5, 10), 25, KindOf, false);
  EXPECT_EQ(total.text, "Total \\245,487.5 /Month");
  EXPECT_EQ(total.sum, AmountValue("245487.5"));
}

TEST(Totals, AMissingOwnMonthFileDoesNotHideTheOtherMonth) {
  TempDir dir;
  WriteBytes(dir / "202404.csv", "20240428," + kFood + ",x,800,\r\n");
  // 10 May, closing day 25: no May file yet, but 28 April belongs to the period.
  const MonthTotal total = ComputeMonthTotal(dir.path(), MakeDate(2024, 5, 10), 25, KindOf, false);
  EXPECT_EQ(total.text, "Total " + kTriangle + "\\800 /Month");
  EXPECT_EQ(total.sum, AmountValue("-800"));

  // No file of the period at all: the literal, in either mode.
  const MonthTotal none = ComputeMonthTotal(dir.path(), MakeDate(2024, 7, 10), 25, KindOf, true);
  EXPECT_EQ(none.text, "Total \\0 /Month");
  EXPECT_EQ(none.sum, Money());

  // Calendar months read only the month's own file.
  const MonthTotal may = ComputeMonthTotal(dir.path(), MakeDate(2024, 5, 10), 0, KindOf, true);
  EXPECT_EQ(may.text, "Total \\0 /Month");
}

TEST(Totals, SumsBeyondTheAmountRangeAreShownExactly) {
  const std::string big = "900000000000000";  // each amount fits 64 bits, their sum does not
  EXPECT_EQ(DayTotalText(SumDayPage(Page({{kSalary, big}, {kSalary, big}}), KindOf, false), false),
            "Sub Total \\1,800,000,000,000,000 /Day");
  // The one 64-bit value without a negation is no amount: it counts 0.
  const DayPage spent = Page({{kFood, big}, {kFood, big}, {kFood, "-922337203685477.5808"}});
  EXPECT_EQ(DayTotalText(SumDayPage(spent, KindOf, true), true),
            "Total Spent " + kTriangle + "\\1,800,000,000,000,000 /Day");

  TempDir dir;
  WriteBytes(dir / "202405.csv", "20240501," + kSalary + ",x," + big + ",\r\n20240502," + kSalary +
                                     ",x," + big + ",\r\n");
  const MoneySum sum = SumPeriod(dir.path(), PeriodOf(MakeDate(2024, 5, 1), 0), KindOf, false);
  EXPECT_EQ(sum.units(), MoneySumUnits{1800000000000000} * Money::kUnitsPerYen);
  const MonthTotal total = ComputeMonthTotal(dir.path(), MakeDate(2024, 5, 1), 0, KindOf, false);
  EXPECT_EQ(total.text, "Total \\1,800,000,000,000,000 /Month");
  EXPECT_EQ(total.sum, sum);
}

TEST(Totals, AnUnreadableMonthFileRaises) {
  TempDir dir;
  std::filesystem::create_directory(dir / "202405.csv");
  EXPECT_THROW(SumPeriod(dir.path(), PeriodOf(MakeDate(2024, 5, 10), 0), KindOf, false), FileError);
}

}  // namespace
}  // namespace purselog
