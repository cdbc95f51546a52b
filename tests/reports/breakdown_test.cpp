// The category breakdown: periods, sums, the order of the list, the table and caption texts, bad
// lines, and a realistic two-month period against golden files.
#include "reports/breakdown.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/errors.h"
#include "core/text_codec.h"
#include "core/text_file.h"
#include "ledger/totals.h"
#include "support/golden.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::WriteBytes;

std::string S(const char* utf8) { return Utf8ToCp932(utf8); }

// Rows of kind and name (UTF-8); every row gets a first preset, so that it counts.
CategoryTable Table(const std::vector<std::pair<const char*, std::string>>& rows) {
  GridTable grid(kCategoryFileColumns, static_cast<int>(rows.size()) + 1);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    grid.SetCell(0, row, S(rows[i].first));
    grid.SetCell(1, row, rows[i].second);
    grid.SetCell(2, row, "preset");
  }
  return CategoryTable::FromGrid(grid);
}

class BreakdownTest : public ::testing::Test {
 protected:
  BreakdownTest() {
    fs::create_directory(dir_ / "data");
    // Categories 0 to 5: four expenses with awkward names, an income, and one never used.
    table_ = Table({{"支出", "Food"},
                    {"支出", S("交通費")},
                    {"収入", S("給料")},
                    {"支出", "a,b"},
                    {"支出", "say \"hi\""},
                    {"支出", "Empty"}});
    Month("200103.csv",
          "20010301,Food,x,1000\r\n"
          "20010315," +
              S("交通費") +
              ",x,500\r\n"
              "20010326,Food,x,100.125\r\n"
              "20010326,food,x,777\r\n"  // letter case matters here
              "20010327," +
              S("給料") +
              ",x,3000\r\n"
              "20010320\r\n20010320,Food\r\n20010320,Food,no amount\r\n"  // missing fields
              "20010321,\"a,b\",x,10\r\n20010321,\"say \"\"hi\"\"\",x,10\r\n");
    Month("200104.csv",
          "20010405,Food,x,2000\r\n"
          "20010410," +
              S("交通費") +
              ",x,-200\r\n"
              "20010425,Food,x,50\r\n"
              "20010426,Food,x,9999\r\n");
    // The months around are unreadable: reading them would fail.
    fs::create_directory(dir_ / "data" / "200102.csv");
    fs::create_directory(dir_ / "data" / "200105.csv");
  }
  void Month(const char* name, const std::string& bytes) {
    WriteBytes(dir_ / "data" / name, bytes);
  }
  Breakdown Compute(const Date& date, int closing_day) {
    return ComputeBreakdown(dir_ / "data", date, closing_day, table_);
  }

  TempDir dir_;
  CategoryTable table_;
};

TEST_F(BreakdownTest, CalendarMonthReadsOneFileAndListsEveryExpenseCategory) {
  const Breakdown breakdown = Compute(MakeDate(2001, 3, 15), 0);
  EXPECT_EQ(breakdown.period, (AccountingPeriod{MakeDate(2001, 3, 1), MakeDate(2001, 3, 31)}));
  // Ascending; equal amounts keep the table order; 1000 + 100.125 shows 1100.13.
  EXPECT_EQ(breakdown.lines, (std::vector<std::string>{"0=Empty", "10=a,b", "10=say \"hi\"",
                                                       "500=" + S("交通費"), "1100.13=Food"}));
  EXPECT_EQ(breakdown.income, Money::FromWhole(3000));

  const BreakdownView view =
      MakeBreakdownView(breakdown.lines, breakdown.income, breakdown.period, MakeDate(2001, 3, 15),
                        Money::FromWhole(-42), table_);
  EXPECT_EQ(view.total, MoneySum::FromUnits(16201300));
  ASSERT_EQ(view.rows.size(), 5u);
  // From the largest down; of two equal sums the later category comes first.
  const std::vector<std::vector<std::string>> texts = {{"Food", "67.9%", "\\1100.13"},
                                                       {S("交通費"), "30.9%", "\\500"},
                                                       {"say \"hi\"", "0.6%", "\\10"},
                                                       {"a,b", "0.6%", "\\10"},
                                                       {"Empty", "0.0%", "\\0"}};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(view.rows[i].category, texts[i][0]) << i;
    EXPECT_EQ(view.rows[i].share, texts[i][1]) << i;
    EXPECT_EQ(view.rows[i].amount, texts[i][2]) << i;
  }
  EXPECT_EQ(view.rows[0].category_index, 0);
  EXPECT_EQ(view.rows[4].category_index, 5);
  EXPECT_EQ(view.title, S("月別支出グラフ   2001年3月1日～2001年3月31日"));
  EXPECT_EQ(view.print_title, S("3月度収支   2001年3月1日～2001年3月31日"));
  EXPECT_EQ(view.income_caption, S("3月度総収入："));
  EXPECT_EQ(view.income_text, "\\3,000");
  EXPECT_EQ(view.expense_caption, S("3月度総支出："));
  EXPECT_EQ(view.expense_text, "\\1,620.13");
  EXPECT_EQ(view.balance_caption, S("3月度収支："));
  EXPECT_EQ(view.balance_text, "\\-42");
}

TEST_F(BreakdownTest, ClosingDayPeriodSpansTwoFilesAndCaptionsTakeTheMonthOfTheDate) {
  const Breakdown breakdown = Compute(MakeDate(2001, 4, 10), 25);
  EXPECT_EQ(breakdown.period, (AccountingPeriod{MakeDate(2001, 3, 26), MakeDate(2001, 4, 25)}));
  // 1 to 25 March and 26 to 30 April are left out; a negative amount lowers its sum.
  EXPECT_EQ(breakdown.lines, (std::vector<std::string>{"-200=" + S("交通費"), "0=a,b",
                                                       "0=say \"hi\"", "0=Empty", "2150.13=Food"}));
  const BreakdownView view = MakeBreakdownView(breakdown.lines, breakdown.income, breakdown.period,
                                               MakeDate(2001, 4, 10), MoneySum(), table_);
  EXPECT_EQ(view.rows[4].share, "-10.3%");
  EXPECT_EQ(view.rows[4].amount, "\\-200");
  EXPECT_EQ(view.title, S("月別支出グラフ   2001年3月26日～2001年4月25日"));
  EXPECT_EQ(view.income_caption, S("4月度総収入："));
  EXPECT_EQ(view.expense_caption, S("4月度総支出："));
  EXPECT_EQ(view.balance_caption, S("4月度収支："));

  // A period that needs an unreadable file stops with its error.
  EXPECT_THROW(Compute(MakeDate(2001, 3, 10), 25), FileError);
}

TEST_F(BreakdownTest, AnOnlyEntryOf100_125CountsAs100_13Everywhere) {
  Month("200106.csv", "20010601,Food,x,100.125\r\n");
  const Breakdown breakdown = Compute(MakeDate(2001, 6, 1), 0);
  EXPECT_EQ(breakdown.lines.back(), "100.13=Food");
  EXPECT_EQ(BreakdownTotal(breakdown.lines), MoneySum::FromUnits(1001300));
  const BreakdownView view =
      MakeBreakdownView(breakdown.lines, {}, breakdown.period, MakeDate(2001, 6, 1), {}, table_);
  EXPECT_EQ(view.rows[0].share, "100.0%");
  EXPECT_EQ(view.expense_text, "\\100.13");
}

TEST(Breakdown, TwentyCategoriesAndLinesWithTheSignInTheName) {
  std::vector<std::pair<const char*, std::string>> rows;
  for (int k = 0; k < 20; ++k) rows.emplace_back("支出", "c" + std::to_string(k));
  const CategoryTable table = Table(rows);
  TempDir dir;
  std::string month;
  for (int k = 0; k < 20; ++k)
    month += "20240105,c" + std::to_string(k) + ",x," + std::to_string(k * 10) + "\r\n";
  WriteBytes(dir / "202401.csv", month);
  const Breakdown breakdown = ComputeBreakdown(dir.path(), MakeDate(2024, 1, 5), 0, table);
  ASSERT_EQ(breakdown.lines.size(), 20u);
  EXPECT_EQ(breakdown.lines.front(), "0=c0");
  EXPECT_EQ(breakdown.lines.back(), "190=c19");
  EXPECT_EQ(BreakdownAmount("12.5=a=b"), MoneySum::FromUnits(125000));
  EXPECT_EQ(BreakdownName("12.5=a=b"), "a=b");
}

// The breakdown of 26 March to 25 April 2024 from two realistic month files with hand-edited
// lines: the list, the income, and every text of the window.
TEST(Breakdown, TwoMonthPeriodMatchesItsGoldenFile) {
  const testing::GoldenCase golden("breakdown_two_months");
  const fs::path data = golden.program_dir() / "data";
  const CategoryTable table = LoadCategories(golden.program_dir() / "setting.dat");
  const Date date = MakeDate(2024, 4, 10);
  const Breakdown breakdown = ComputeBreakdown(data, date, 25, table);
  const MoneySum balance = ComputeMonthTotal(data, date, 25, table.KindFunction(), false).sum;
  const BreakdownView view =
      MakeBreakdownView(breakdown.lines, breakdown.income, breakdown.period, date, balance, table);

  std::vector<std::string> lines = {"[BreakdownList]"};
  lines.insert(lines.end(), breakdown.lines.begin(), breakdown.lines.end());
  lines.push_back("[BreakdownIncome]");
  lines.push_back(FormatMoney(breakdown.income, NumberPattern::kPlain));
  lines.push_back("[Table]");
  lines.push_back(BreakdownHeader()[0] + "\t" + BreakdownHeader()[1] + "\t" + BreakdownHeader()[2]);
  for (const BreakdownRow& row : view.rows) {
    lines.push_back(row.category + "\t" + row.share + "\t" + row.amount + "\t" +
                    std::to_string(row.category_index));
  }
  lines.push_back("[Labels]");
  for (const std::string* text :
       {&view.title, &view.income_caption, &view.income_text, &view.expense_caption,
        &view.expense_text, &view.balance_caption, &view.balance_text, &view.print_title}) {
    lines.push_back(*text);
  }
  EXPECT_TRUE(golden.Matches("breakdown.txt", JoinLines(lines)));
}

}  // namespace
}  // namespace purselog
