#include "core/color.h"

#include <algorithm>
#include <cmath>

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

// The nearest integer, halves to the even neighbour.
int Nearest(double x) { return static_cast<int>(std::nearbyint(x)); }

}  // namespace

Hsv RgbToHsv(const Rgb& c) {
  const int v = std::max({c.red, c.green, c.blue});
  const int s = v - std::min({c.red, c.green, c.blue});
  int h = 0;
  if (s != 0) {
    if (c.red == v) {
      h = ((c.green - c.blue) * 60) / s;
    } else if (c.green == v) {
      h = ((c.blue - c.red) * 60) / s + 120;
    } else {
      h = ((c.red - c.green) * 60) / s + 240;
    }
    if (h < 0) h += 360;
  }
  return {h, s, v};
}

bool HsvToRgb(const Hsv& hsv, Rgb& color) {
  const int h = hsv.hue;
  const int s = hsv.saturation;
  const int v = hsv.value;
  if (h < 0 || h > 359) return false;
  const int f = h % 60;
  const int p = (v * (255 - s)) / 255;
  const int rising = (v * (255 - Nearest((60 - f) * s / 60.0))) / 255;
  const int falling = (v * (255 - Nearest(s * f / 60.0))) / 255;
  switch (h / 60) {
    case 0:
      color = {v, rising, p};
      break;
    case 1:
      color = {falling, v, p};
      break;
    case 2:
      color = {p, v, rising};
      break;
    case 3:
      color = {p, falling, v};
      break;
    case 4:
      color = {rising, p, v};
      break;
    default:  // the subtraction from 255 comes before the rounding here
      color = {v, p, (v * Nearest(255 - s * f / 60.0)) / 255};
      break;
  }
  return true;
}

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
