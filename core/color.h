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

// The 33 chart colours: 20 fixed ones, then 13 drawn from a linear congruential generator that
// starts at 0 and is never reseeded, so the palette is the same on every run.
ChartPaletteColors MakeChartPalette();

}  // namespace purselog
