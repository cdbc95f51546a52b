// The breakdown pie: the expense categories as wedges of an ellipse twice as wide as high, the
// largest first, clockwise from twelve o'clock, each wedge painted from twelve o'clock to its
// cumulative angle over the wider ones before it.
#pragma once

#include <vector>

#include "core/color.h"
#include "core/money.h"
#include "reports/chart_canvas.h"

namespace purselog {

// x degrees in radians, in extended precision.
long double DegToRad(long double x);

// The end angle of each wedge, in whole degrees, for the amounts in table order (the largest
// first) and their total (above 0): wedge k ends at the sum over j = 0 .. k of
// trunc(a_j / total × 360) + 1, so every slice gets one degree more than its share cut down;
// an end of 361 or more is cut to 360, and the last slices lose what does not fit. Exact for any
// amounts. An end below -360 (negative slices far larger than the total) is given as the same
// angle within one turn below 0.
std::vector<int> PieEndAngles(const std::vector<MoneySum>& amounts, MoneySum total);

// Where DrawPieWedge paints the wedge that runs clockwise from twelve o'clock to `degrees`, on a
// picture `width` pixels wide: the box (0, 0, width, rnd(width / 2)), the start point on the rim
// at `degrees`, the end point at the top of the ellipse (start and end coincide for 0 and 360:
// the whole ellipse). The start point also gets a red dot.
struct PieWedge {
  CanvasRect box;
  CanvasPoint start;
  CanvasPoint end;
  friend bool operator==(const PieWedge&, const PieWedge&) = default;
};
PieWedge PieWedgeGeometry(int width, int degrees);

// Paints the wedge with the canvas's brush and pen, then its red dot.
void DrawPieWedge(ChartCanvas& canvas, int degrees);

// The whole pie: the picture white, the ellipse white with its outline, then the wedges from the
// last (the narrowest) to the first, wedge k in palette colour k.
void DrawBreakdownPie(ChartCanvas& canvas, const std::vector<MoneySum>& amounts, MoneySum total,
                      const ChartPaletteColors& palette);

}  // namespace purselog
