#include "core/color.h"

#include <gtest/gtest.h>

namespace purselog {
namespace {

TEST(ChartPalette, FixedEntriesThenTheGeneratedOnes) {
  const ChartPaletteColors palette = MakeChartPalette();
  EXPECT_EQ(palette[0], (Rgb{107, 107, 255}));
  EXPECT_EQ(palette[3], (Rgb{255, 85, 0}));
  EXPECT_EQ(palette[19], (Rgb{255, 223, 207}));
  const Rgb generated[13] = {{219, 8, 0},    {171, 69, 51}, {94, 41, 81},   {121, 20, 108},
                             {15, 214, 17},  {93, 233, 74}, {177, 83, 197}, {78, 183, 215},
                             {118, 84, 41},  {71, 210, 62}, {222, 38, 122}, {248, 197, 73},
                             {210, 226, 125}};
  for (int i = 0; i < 13; ++i) EXPECT_EQ(palette[20 + i], generated[i]) << "entry " << 20 + i;
  EXPECT_EQ(MakeChartPalette(), palette);  // the same on every run
}

}  // namespace
}  // namespace purselog

namespace purselog {
namespace {

TEST(ColorModel, RgbToHsvUsesTheDifferenceAsSaturation) {
  EXPECT_EQ(RgbToHsv({255, 85, 0}), (Hsv{20, 255, 255}));
  EXPECT_EQ(RgbToHsv({73, 220, 0}), (Hsv{101, 220, 220}));
  EXPECT_EQ(RgbToHsv({128, 128, 128}), (Hsv{0, 0, 128}));
  EXPECT_EQ(RgbToHsv({107, 107, 255}), (Hsv{240, 148, 255}));
  EXPECT_EQ(RgbToHsv({255, 0, 10}), (Hsv{358, 255, 255}));  // a negative hue wraps
  EXPECT_EQ(RgbToHsv({200, 200, 0}), (Hsv{60, 200, 200}));  // red wins a tie with green
}

TEST(ColorModel, HsvToRgbByTheTable) {
  Rgb color{1, 2, 3};
  EXPECT_TRUE(HsvToRgb({101, 220, 220}, color));
  EXPECT_EQ(color, (Rgb{90, 220, 30}));
  EXPECT_TRUE(HsvToRgb({0, 0, 128}, color));
  EXPECT_EQ(color, (Rgb{128, 128, 128}));
  const auto round_trip = [](Rgb in) {
    Rgb out;
    HsvToRgb(RgbToHsv(in), out);
    return out;
  };
  EXPECT_EQ(round_trip({107, 107, 255}), (Rgb{107, 107, 255}));
  EXPECT_EQ(round_trip({255, 211, 62}), (Rgb{255, 210, 62}));
  EXPECT_EQ(round_trip({73, 220, 0}), (Rgb{90, 220, 30}));
  EXPECT_TRUE(HsvToRgb({330, 255, 255}, color));  // the last row rounds after subtracting
  EXPECT_EQ(color, (Rgb{255, 0, 128}));           // 127.5 rounds to even

  color = {1, 2, 3};
  EXPECT_FALSE(HsvToRgb({-10, 100, 100}, color));
  EXPECT_FALSE(HsvToRgb({360, 100, 100}, color));
  EXPECT_EQ(color, (Rgb{1, 2, 3}));
}

}  // namespace
}  // namespace purselog
