// Colours as red, green and blue, 0 to 255 each, and the fixed chart palette.
#pragma once

#include <array>
#include <cstdint>

namespace purselog {

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

constexpr std::size_t kChartPaletteSize = 33;
using ChartPaletteColors = std::array<Rgb, kChartPaletteSize>;

struct Hsv {
  int hue = 0;         // whole degrees, 0 to 359
  int saturation = 0;  // 0 to 255
  int value = 0;       // 0 to 255
  friend bool operator==(const Hsv&, const Hsv&) = default;
};

// Saturation is max - min itself (not divided by the value), so a round trip through HsvToRgb
// returns a colour whose largest component is within one unit but whose smaller ones may rise.
Hsv RgbToHsv(const Rgb& color);
// Converts into `color`; a hue outside 0 to 359 leaves `color` as it was and returns false.
bool HsvToRgb(const Hsv& hsv, Rgb& color);

// The 33 chart colours: 20 fixed ones, then 13 drawn from a linear congruential generator that
// starts at 0 and is never reseeded, so the palette is the same on every run.
ChartPaletteColors MakeChartPalette();

}  // namespace purselog
