#include "core/color.h"

namespace purselog {

namespace {

// state = state * 134775813 + 1 (mod 2^32); each draw yields (state * 255) div 2^32, 0 to 254.
class PaletteGenerator {
 public:
  int Draw() {
    state_ = state_ * 134775813u + 1u;
    return static_cast<int>((static_cast<std::uint64_t>(state_) * 255u) >> 32);
  }

 private:
  std::uint32_t state_ = 0;
};

constexpr Rgb kFixedColors[20] = {
    {107, 107, 255}, {73, 220, 0},    {255, 211, 62},  {255, 85, 0},    {255, 142, 212},
    {180, 242, 120}, {243, 192, 34},  {169, 220, 103}, {53, 216, 118},  {42, 194, 232},
    {158, 158, 255}, {164, 181, 156}, {255, 235, 166}, {255, 131, 69},  {255, 255, 244},
    {226, 243, 209}, {180, 217, 195}, {191, 224, 232}, {222, 209, 255}, {255, 223, 207},
};

}  // namespace

ChartPaletteColors MakeChartPalette() {
  ChartPaletteColors palette{};
  std::size_t i = 0;
  for (const Rgb& color : kFixedColors) palette[i++] = color;
  PaletteGenerator generator;
  for (; i < kChartPaletteSize; ++i) {
    Rgb& color = palette[i];
    color.blue = generator.Draw();
    color.green = generator.Draw();
    color.red = generator.Draw();
  }
  return palette;
}

}  // namespace purselog
