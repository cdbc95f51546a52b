// TezGraph: a bar chart of labelled values on a value axis from 0 to MaxValue, with a title, a
// unit above the axis, eleven grid lines, and one shaded bar per line of Data, its label under
// the base line and its value above the bar. A plain object: its owner sets the fields, fills
// Data and draws it onto a canvas; the fields keep their values between drawings.
#pragma once

#include <string>
#include <vector>

#include "core/color.h"
#include "reports/chart_canvas.h"

namespace purselog {

class TezGraph {
 public:
  int SlotWidth = 40;                // distance between the left edges of neighbouring bars
  int BarWidth = 20;                 // width of a bar
  Rgb BarColor{255, 0, 0};           // fill of the bars
  Rgb BackColor{255, 255, 245};      // background of the chart
  std::string Title;                 // at the top (Shift_JIS)
  std::string UnitLabel;             // above the value axis (Shift_JIS)
  const CanvasFont* Font = nullptr;  // of all texts; not owned; none: the canvas's own
  int Margin = 5;                    // spacing unit
  int AxisLeft = 64;                 // x of the value axis
  int MaxValue = 100;                // value at the top of the axis; the bottom is 0
  // One line per bar: the value (a decimal number), a comma, the label (Shift_JIS).
  std::vector<std::string> Data;

  // Draws the whole chart onto the canvas, using its width and height.
  // Sound where the values give no bar: a value of 0 or below draws no bar (its value text
  // stands just above the base line), and a MaxValue of 0 or below draws the axis and the texts
  // but no bar, instead of dividing by it. A shade that would fall below black stays black.
  // Value texts too wide for their slot are raised clear of their neighbours (PlaceValueTexts).
  void Draw(ChartCanvas& image) const;
};

// Where the value texts stand, given each text's box at its own place (centred above its bar,
// Margin above it): the top of each. A text keeps its place unless it would share a pixel row
// with a text already placed and come nearer to it across than 4 pixels; then it is raised to
// stand just above that text, as often as needed. The texts are placed from the lowest up, so
// that of two crowded neighbours the higher one moves, and by the least. No two texts then
// overlap, whatever their widths, and none comes down onto its bar.
std::vector<int> PlaceValueTexts(const std::vector<CanvasRect>& boxes);

// The colour of a bar's shadow: its value (of RgbToHsv) 50 lower, at least 0.
Rgb ShadeColor(const Rgb& color);

}  // namespace purselog
