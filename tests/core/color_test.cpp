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
