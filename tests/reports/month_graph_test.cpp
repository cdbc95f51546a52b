// The monthly graph: the year's sums from whole month files, the automatic scale, and the chart of
// one series on a recording canvas.
#include "reports/month_graph.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/errors.h"
#include "core/text_codec.h"
#include "support/recording_canvas.h"
#include "support/temp_dir.h"

namespace purselog {
namespace {

namespace fs = std::filesystem;
using testing::RecordingCanvas;
using testing::TempDir;
using testing::WriteBytes;
using Kind = RecordingCanvas::Kind;
using Texts = std::vector<std::string>;

std::string S(const char* utf8) { return Utf8ToCp932(utf8); }

class MonthGraphTest : public ::testing::Test {
 protected:
  MonthGraphTest() {
    fs::create_directory(dir_ / "data");
    // Two expenses, an income, and a second row of the first name.
    GridTable grid(kCategoryFileColumns, 5);
    const char* rows[][2] = {
        {"支出", "食費"}, {"支出", "住居費"}, {"収入", "給料"}, {"支出", "食費"}};
    for (int row = 1; row <= 4; ++row) {
      grid.SetCell(0, row, S(rows[row - 1][0]));
      grid.SetCell(1, row, S(rows[row - 1][1]));
      grid.SetCell(2, row, "preset");
    }
    table_ = CategoryTable::FromGrid(grid);
  }
  void Month(const char* name, const std::string& lines) {
    WriteBytes(dir_ / "data" / name, lines);
  }
  MonthSums Sums(int year) { return ComputeMonthSums(dir_ / "data", year, table_); }

  TempDir dir_;
  CategoryTable table_;
};

TEST_F(MonthGraphTest, EachMonthIsItsWholeFileByCategoryWithTheTotalsInFront) {
  // March 2001 with a closing day of 25 would end on the 25th; here the whole file counts, the
  // 26th to the 31st and a line dated in April included.
  Month("200103.csv", S("20010310,食費,昼食,1000\r\n20010328,食費,夕食,500.25\r\n"
                        "20010405,食費,x,300\r\n20010331,住居費,家賃,85000\r\n"
                        "20010325,給料,給与,250000\r\n"
                        "20010301\r\n20010302,食費\r\n20010302,食費,x,abc\r\n"  // missing fields
                        "x,食費,x,5\r\n20010303,食費2,x,7\r\n\r\n"));           // passed over
  // Sums as written: two halves of a hundredth each show 0.01, and the total adds what shows.
  Month("200104.csv", S("20010401,食費,x,0.005\r\n20010401,住居費,x,0.005\r\n"));
  Month("200012.csv", S("20001201,食費,x,99999\r\n"));  // another year
  const MonthSums sums = Sums(2001);
  EXPECT_EQ(sums.graph_year, 2001);
  EXPECT_EQ(sums.months[2], (Texts{"88600.5", "250000", "1800.25", "85000", "250000", "1800.25"}));
  EXPECT_EQ(sums.months[3], (Texts{"0.03", "0", "0.01", "0.01", "0", "0.01"}));
  EXPECT_EQ(sums.months[11], (Texts{"0", "0", "0", "0", "0", "0"}));
  EXPECT_EQ(sums.scale, 300000);  // an income category counts for the scale too

  EXPECT_EQ(Sums(1999).months[0], (Texts{"0", "0", "0", "0", "0", "0"}));  // no files at all
  EXPECT_EQ(Sums(1999).scale, 100000);
  fs::create_directory(dir_ / "data" / "200107.csv");  // cannot be read
  EXPECT_THROW(Sums(2001), FileError);
}

TEST(MonthGraphScale, TheNextStepAboveTheLargestCategorySum) {
  const std::pair<MoneySumUnits, int> rows[] = {
      {0, 100000},
      {99999'9999, 100000},
      {100000'0000, 200000},
      {99999999'00000'0000, 2147400000}};  // the largest step an int holds
  for (const auto& [units, scale] : rows)
    EXPECT_EQ(MonthGraphScale(MoneySum::FromUnits(units)), scale);
}

TEST_F(MonthGraphTest, TheChartOfASeriesAboveAndBelowTheScale) {
  // The largest category is 85,000 while the month's expense is 160,000 (食費 counts twice).
  Month("200105.csv", S("20010501,住居費,x,85000\r\n20010502,食費,x,37500\r\n"
                        "20010503,給料,x,42000\r\n"));
  const MonthSums sums = Sums(2001);
  ASSERT_EQ(sums.scale, 100000);
  const ChartPaletteColors palette = MakeChartPalette();
  const CanvasFont font;  // 12 pixels, text height 12
  TezGraph graph;
  SetUpMonthGraph(graph, sums, kExpenseSeries, sums.scale, palette, &font);
  EXPECT_EQ(graph.Title, S("月別グラフ（2001）"));
  EXPECT_EQ(graph.Data[4], S("160000,5月"));
  RecordingCanvas canvas(641, 297);
  graph.Draw(canvas);
  const auto lines = canvas.Of(Kind::kLine);
  EXPECT_EQ(lines[0].from, (CanvasPoint{64, 44}));  // the axis
  EXPECT_EQ(lines[0].to, (CanvasPoint{64, 269}));
  // Only May has a bar: at 87 + 46 x 4, 1.6 x 225 high, above the top of the axis.
  const auto fills = canvas.Of(Kind::kFillRect);
  ASSERT_EQ(fills.size(), 5u);
  EXPECT_EQ(fills[4].rect, (CanvasRect{271, 269 - 360, 296, 269}));
  EXPECT_EQ(fills[4].brush, palette[3]);
  // The month labels centred four pixels right of the middle of bars at 87 and 593.
  EXPECT_EQ(canvas.Text(S("1月"))->from, (CanvasPoint{87 + 4 + 12 - 9, 277}));
  EXPECT_EQ(canvas.Text(S("12月"))->from, (CanvasPoint{593 + 4 + 12 - 12, 277}));

  // The income in palette[0], category k in palette[k].
  SetUpMonthGraph(graph, sums, kIncomeSeries, 50000, palette, &font);
  EXPECT_EQ(graph.BarColor, palette[0]);
  EXPECT_EQ(graph.Data[4], S("42000,5月"));
  SetUpMonthGraph(graph, sums, kFirstCategorySeries + 1, 100000, palette, &font);
  EXPECT_EQ(graph.BarColor, palette[1]);
  EXPECT_EQ(graph.Data[4], S("85000,5月"));
}

}  // namespace
}  // namespace purselog
