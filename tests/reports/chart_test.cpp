// The breakdown pie, TezGraph and the printed page's geometry, on a recording canvas.
#include <gtest/gtest.h>

#include "core/color.h"
#include "core/text_codec.h"
#include "reports/chart_math.h"
#include "reports/ez_graph.h"
#include "reports/pie_chart.h"
#include "reports/print_layout.h"
#include "support/recording_canvas.h"

namespace purselog {
namespace {

using testing::RecordingCanvas;
using Kind = RecordingCanvas::Kind;

MoneySum Yen(long long whole) { return Money::FromWhole(whole); }

TEST(PieChart, EveryWedgeGetsOneDegreeMoreAndTheLastAreCutAt360) {
  EXPECT_EQ(PieEndAngles({Yen(500)}, Yen(500)), std::vector<int>{360});  // 361 cut
  EXPECT_EQ(PieEndAngles({Yen(50), Yen(30), Yen(20)}, Yen(100)), (std::vector<int>{181, 290, 360}));
  // Whole-degree shares still get their extra degree; zeros count one and are squeezed out.
  EXPECT_EQ(PieEndAngles({Yen(1), Yen(1), Yen(1), Yen(1), Yen(0)}, Yen(4)),
            (std::vector<int>{91, 182, 273, 360, 360}));
  // A negative slice narrows its wedge below the one before.
  EXPECT_EQ(PieEndAngles({Yen(80), Yen(-30), Yen(50)}, Yen(100)),
            (std::vector<int>{289, 182, 360}));
  EXPECT_EQ(PieEndAngles({MoneySum::FromUnits(1)}, MoneySum::FromUnits(3)), std::vector<int>{121});
  // Huge opposite slices: exact, whatever the size (they were clamped and cut to 32 bits).
  EXPECT_EQ(PieEndAngles({Yen(7005379291), Yen(-7005379290)}, Yen(1)),
            (std::vector<int>{360, 360}));
  EXPECT_EQ(PieEndAngles({Yen(-7005379291), Yen(7005379290)}, Yen(-1)),
            (std::vector<int>{360, 360}));
  EXPECT_EQ(PieEndAngles({Yen(1), Yen(-7005379291)}, Yen(1)),
            (std::vector<int>{360, static_cast<int>((361 - 7005379291LL * 360 + 1) % 360)}));
}

TEST(PieChart, WedgesRunClockwiseFromTwelveOClockOnTheHalfHeightEllipse) {
  EXPECT_EQ(PieWedgeGeometry(201, 0), (PieWedge{{0, 0, 201, 100}, {100, 0}, {100, 0}}));
  EXPECT_EQ(PieWedgeGeometry(201, 360).start, (CanvasPoint{100, 0}));
  EXPECT_EQ(PieWedgeGeometry(201, 90).start, (CanvasPoint{200, 50}));
  EXPECT_EQ(PieWedgeGeometry(201, 181).start, (CanvasPoint{98, 100}));
  EXPECT_EQ(PieWedgeGeometry(201, 290).start, (CanvasPoint{6, 33}));

  const ChartPaletteColors palette = MakeChartPalette();
  RecordingCanvas canvas(201, 105);
  DrawBreakdownPie(canvas, {Yen(50), Yen(30), Yen(20)}, Yen(100), palette);
  const auto pies = canvas.Of(Kind::kPie);
  const auto dots = canvas.Of(Kind::kPixel);
  ASSERT_EQ(pies.size(), 4u);
  ASSERT_EQ(dots.size(), 4u);
  EXPECT_EQ(canvas.operations[0].kind, Kind::kFillRect);
  EXPECT_EQ(canvas.operations[0].rect, (CanvasRect{0, 0, 201, 105}));
  EXPECT_EQ(canvas.operations[0].brush, kWhite);
  // The white ellipse, then the narrowest wedge first, each in its colour with a red dot.
  EXPECT_EQ(pies[0].brush, kWhite);
  EXPECT_EQ(pies[0].from, pies[0].to);
  const Rgb colours[] = {palette[2], palette[1], palette[0]};
  const CanvasPoint starts[] = {{100, 0}, {6, 33}, {98, 100}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(pies[static_cast<std::size_t>(i) + 1].brush, colours[i]);
    EXPECT_EQ(pies[static_cast<std::size_t>(i) + 1].pen, kBlack);
    EXPECT_EQ(pies[static_cast<std::size_t>(i) + 1].from, starts[i]);
    EXPECT_EQ(pies[static_cast<std::size_t>(i) + 1].to, (CanvasPoint{100, 0}));
    EXPECT_EQ(dots[static_cast<std::size_t>(i) + 1].from, starts[i]);
    EXPECT_EQ(dots[static_cast<std::size_t>(i) + 1].brush, kRed);
  }
}

TEST(TezGraph, TwelveMonthLayoutWithAFull_AHalf_AnEmptyAndAnOverflowingBar) {
  TezGraph graph;
  const CanvasFont font;  // 12 pixels
  graph.SlotWidth = 46;
  graph.BarWidth = 25;
  graph.Font = &font;
  graph.Margin = 8;
  graph.MaxValue = 100000;
  graph.Title = Utf8ToCp932("月別グラフ（2001）");
  graph.UnitLabel = "(Yen)";
  graph.BarColor = {255, 85, 0};
  graph.Data = {"100000," + Utf8ToCp932("1月"), "50000,2", "0,3", "150000,4"};
  RecordingCanvas canvas(641, 297);
  graph.Draw(canvas);

  const RecordingCanvas::Operation& frame = canvas.operations[0];
  EXPECT_EQ(frame.kind, Kind::kRectangle);
  EXPECT_EQ(frame.rect, (CanvasRect{0, 0, 641, 297}));
  EXPECT_EQ(frame.brush, graph.BackColor);
  const RecordingCanvas::Operation* title = canvas.Text(graph.Title);
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->from, (CanvasPoint{(641 - 108) / 2, 8}));
  EXPECT_TRUE(title->font.bold);
  EXPECT_EQ(title->font.color, (Rgb{80, 80, 80}));

  // The axis from 44 to 269, ticks at the top, the bottom and the middle, 11 grid lines, the
  // base line.
  const auto lines = canvas.Of(Kind::kLine);
  ASSERT_EQ(lines.size(), 1u + 3u + 11u + 1u);
  EXPECT_EQ(lines[0].from, (CanvasPoint{64, 44}));
  EXPECT_EQ(lines[0].to, (CanvasPoint{64, 269}));
  EXPECT_EQ(lines[3].from, (CanvasPoint{64, 157}));
  EXPECT_EQ(lines[3].to, (CanvasPoint{66, 157}));
  EXPECT_EQ(lines[5].from, (CanvasPoint{67, 247}));  // 269 - rnd(22.5)
  EXPECT_EQ(lines[5].to, (CanvasPoint{633, 247}));
  EXPECT_EQ(lines[5].pen, (Rgb{240, 240, 240}));
  EXPECT_EQ(lines[9].from.y, 157);  // 269 - rnd(112.5)
  EXPECT_EQ(lines[15].to, (CanvasPoint{633, 269}));

  EXPECT_EQ(canvas.Text("0")->from, (CanvasPoint{56 - 6, 263}));
  EXPECT_EQ(canvas.Text("100,000")->from, (CanvasPoint{56 - 42, 38}));
  EXPECT_EQ(canvas.Text("50,000")->from, (CanvasPoint{56 - 36, 150}));
  EXPECT_EQ(canvas.Text("(Yen)")->from, (CanvasPoint{56 - 30, 44 - 6 - 12 - 8}));

  // Bars at 87 + 46 (m - 1): the full one reaches the top, its shadow ends at 87 + 4 + 25.
  const auto fills = canvas.Of(Kind::kFillRect);
  ASSERT_EQ(fills.size(), 5u + 5u + 5u);
  EXPECT_EQ(fills[0].rect, (CanvasRect{88, 45, 113, 269}));
  EXPECT_EQ(fills[0].brush, (Rgb{205, 68, 0}));  // the shade: value 50 lower
  EXPECT_EQ(fills[3].rect, (CanvasRect{91, 48, 116, 269}));
  EXPECT_EQ(fills[4].rect, (CanvasRect{87, 44, 112, 269}));
  EXPECT_EQ(fills[4].brush, graph.BarColor);
  EXPECT_EQ(canvas.Text(Utf8ToCp932("1月"))->from, (CanvasPoint{87 + 4 + 12 - 9, 277}));
  EXPECT_EQ(canvas.Texts("100,000").at(1).from, (CanvasPoint{103 - 21, 44 - 8 - 12}));
  // 50000 stops within one pixel of the middle tick.
  EXPECT_EQ(fills[9].rect, (CanvasRect{133, 156, 158, 269}));
  // 0: no bar, no shadow, its value just above the base line.
  const auto zero_texts = canvas.Texts("0");
  ASSERT_EQ(zero_texts.size(), 2u);
  EXPECT_EQ(zero_texts[1].from, (CanvasPoint{179 + 4 + 12 - 3, 269 - 8 - 12}));
  // 150000 rises above the axis, its value with it.
  EXPECT_EQ(fills[14].rect, (CanvasRect{225, -68, 250, 269}));
  EXPECT_EQ(canvas.Text("150,000")->from.y, -68 - 8 - 12);
}

TEST(TezGraph, NegativeValuesAndANonPositiveScaleDrawNoBar) {
  TezGraph graph;
  graph.Data = {"-500,a", "abc,b", "20"};
  RecordingCanvas canvas(300, 200);
  graph.Draw(canvas);
  EXPECT_EQ(canvas.Of(Kind::kFillRect).size(), 5u);  // only the third bar
  graph.MaxValue = 0;
  RecordingCanvas flat(300, 200);
  graph.Draw(flat);
  EXPECT_TRUE(flat.Of(Kind::kFillRect).empty());
  EXPECT_NE(flat.Text("-500"), nullptr);
  EXPECT_EQ(ShadeColor({30, 20, 10}), (Rgb{0, 0, 0}));
}

TEST(TezGraph, ValueTextsNeverOverlap) {
  // The scale, and the values of the odd and the even months.
  const std::tuple<int, long long, long long> cases[] = {{10000000, 9999999, 9999999},
                                                         {10000000, 9000000, 9090000},
                                                         {10000000, 0, 9999999},
                                                         {2147400000, 2147400000, 2147400000},
                                                         {2147483647, 2147483647, 2100000000},
                                                         {1, 999999999999999, 999999999999999}};
  for (const auto& [scale, odd, even] : cases) {
    TezGraph graph;
    graph.SlotWidth = 46, graph.BarWidth = 25, graph.Margin = 8, graph.MaxValue = scale;
    for (int m = 0; m < 12; ++m) graph.Data.push_back(std::to_string(m % 2 ? even : odd) + ",m");
    RecordingCanvas canvas(641, 297);
    graph.Draw(canvas);
    const auto texts = canvas.Of(Kind::kText);  // title, axis, unit, then label and value by bar
    for (std::size_t a = 6; a < texts.size(); a += 2) {
      for (std::size_t b = a + 2; b < texts.size(); b += 2) {
        const CanvasPoint p = texts[a].from, q = texts[b].from;  // 6 x 12 pixels a byte
        EXPECT_FALSE(q.x < p.x + 6 * int(texts[a].text.size()) &&
                     p.x < q.x + 6 * int(texts[b].text.size()) && std::abs(p.y - q.y) < 12)
            << scale << ": " << texts[a].text << " and " << texts[b].text;
      }
    }
  }
}

TEST(PrintLayout, ThePictureFitsTheBoxCentredInTheFrame) {
  EXPECT_EQ(ReportImageHeight(9), 212);
  EXPECT_EQ(ReportImageHeight(21), 428);
  // Eight categories on 600 dpi: 416 window pixels wide, 30 on each side, 42 from the top.
  EXPECT_EQ(PlacePrintedPicture(480, 212, 600, 600),
            (PrintPlacement{{0, 0, 2975, 1794}, {187, 263, 187 + 2600, 263 + 1148}}));
  // Twenty: the height decides, about 276 × 246 window pixels with 100 on each side.
  EXPECT_EQ(PlacePrintedPicture(480, 428, 600, 600),
            (PrintPlacement{{0, 0, 2975, 1794}, {625, 263, 625 + 1725, 263 + 1538}}));
  // Never scaled up; other resolutions across and down.
  EXPECT_EQ(PlacePrintedPicture(100, 50, 96, 192).picture, (CanvasRect{188, 84, 288, 184}));
}

// The printed report at the window's places: the pie moved onto it, the rule, the rows' texts
// on their colours, an icon's background painted white.
TEST(PrintLayout, TheReportDrawsTheBreakdownAtTheWindowsPlaces) {
  const ChartPaletteColors palette = MakeChartPalette();
  BreakdownView view;
  view.rows = {{"food", "75.0%", "\\75", Yen(75), 1}, {"xx", "25.0%", "\\25", Yen(25), -1}};
  view.total = Yen(100);
  view.print_title = "title";
  view.balance_text = "\\-5";
  CanvasPicture icon{2, 2, {kRed, kRed, Rgb{1, 2, 3}, kBlack}};  // bottom-left: the background
  RecordingCanvas canvas(kReportWidth, BreakdownReportHeight(view));
  EXPECT_EQ(canvas.Height(), 18 * 3 + 50);
  DrawBreakdownReport(canvas, view, palette, CanvasFont{}, {CanvasPicture{}, icon});
  EXPECT_EQ(canvas.Text("title")->from, (CanvasPoint{24, 10}));
  EXPECT_TRUE(canvas.Text("title")->font.bold);
  EXPECT_EQ(canvas.Of(RecordingCanvas::Kind::kPie).front().rect, (CanvasRect{24, 40, 225, 140}));
  EXPECT_EQ(canvas.Of(RecordingCanvas::Kind::kLine).back().from, (CanvasPoint{24, 198}));
  EXPECT_EQ(canvas.Text("\\-5")->from, (CanvasPoint{224 - 18, 202}));
  EXPECT_EQ(canvas.Text("food")->from, (CanvasPoint{258, 58}));
  EXPECT_EQ(canvas.Text("food")->brush, palette[0]);
  EXPECT_EQ(canvas.Text("xx")->brush, palette[1]);
  std::vector<Rgb> icon_pixels;
  for (const auto& pixel : canvas.Of(RecordingCanvas::Kind::kPixel)) {
    if (pixel.from.x >= 240 && pixel.from.y >= 58) icon_pixels.push_back(pixel.brush);
  }
  EXPECT_EQ(icon_pixels, (std::vector<Rgb>{kRed, kRed, kWhite, kBlack}));
}

TEST(ChartMath, SharesAndMoneyTextsAreExact) {
  EXPECT_EQ(RoundedShare(Yen(1), Yen(8), 1000), 125);                                  // 12.5 %
  EXPECT_EQ(RoundedShare(MoneySum::FromUnits(1), MoneySum::FromUnits(16), 1000), 63);  // 6.25
  EXPECT_EQ(RoundedShare(MoneySum::FromUnits(-1), MoneySum::FromUnits(16), 1000), -63);
  EXPECT_EQ(TruncatedShare(Yen(-1), Yen(3), 360), -120);
  EXPECT_EQ(MoneyTextValue("100.13"), MoneySum::FromUnits(1001300));
  EXPECT_EQ(MoneyTextValue("1e3"), Yen(1000));
  EXPECT_EQ(MoneyTextValue("x"), MoneySum());
  // Beyond a 64-bit amount, as a sum of many may be.
  EXPECT_EQ(MoneyTextValue("92233720368547758070.5"),
            MoneySum::FromUnits(MoneySumUnits{922337203685477580} * 1000000 + 705000));
}

TEST(ChartCanvas, LinesLeaveTheirEndPointUnpainted) {
  EXPECT_EQ(LinePixels({2, 1}, {5, 1}), (std::vector<CanvasPoint>{{2, 1}, {3, 1}, {4, 1}}));
  EXPECT_EQ(LinePixels({0, 0}, {0, -2}), (std::vector<CanvasPoint>{{0, 0}, {0, -1}}));
  EXPECT_EQ(LinePixels({0, 0}, {2, 2}), (std::vector<CanvasPoint>{{0, 0}, {1, 1}}));
  EXPECT_TRUE(LinePixels({3, 3}, {3, 3}).empty());
}

}  // namespace
}  // namespace purselog
