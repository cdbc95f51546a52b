#include "reports/pie_chart.h"

#include <cmath>
#include <numbers>

#include "reports/chart_math.h"

namespace purselog {

long double DegToRad(long double x) { return x * std::numbers::pi_v<long double> / 180.0L; }

std::vector<int> PieEndAngles(const std::vector<MoneySum>& amounts, MoneySum total) {
  std::vector<int> ends;
  ends.reserve(amounts.size());
  MoneySumUnits cumulative = 0;  // exact, whatever the amounts
  for (const MoneySum& amount : amounts) {
    cumulative += TruncatedShare(amount, total, 360) + 1;
    if (cumulative >= 361) {
      ends.push_back(360);
    } else if (cumulative < -360) {
      // Far below: the same angle, a whole number of turns nearer (what the geometry draws).
      ends.push_back(static_cast<int>(cumulative % 360));
    } else {
      ends.push_back(static_cast<int>(cumulative));
    }
  }
  return ends;
}

PieWedge PieWedgeGeometry(int width, int degrees) {
  const long double r = DegToRad(static_cast<long double>(degrees) - 180.0L);
  const long double radius = RoundHalfEven((width - 1) / 2.0L);
  const long double x = radius - radius * std::sin(r);
  const long double y = radius + radius * std::cos(r);
  return {{0, 0, width, static_cast<int>(RoundHalfEven(width / 2.0L))},
          {static_cast<int>(RoundHalfEven(x)), static_cast<int>(RoundHalfEven(y / 2.0L))},
          {static_cast<int>(RoundHalfEven((width - 1) / 2.0L)), 0}};
}

void DrawPieWedge(ChartCanvas& canvas, int degrees) {
  const PieWedge wedge = PieWedgeGeometry(canvas.Width(), degrees);
  canvas.Pie(wedge.box, wedge.start, wedge.end);
  canvas.SetPixel(wedge.start.x, wedge.start.y, kRed);
}

void DrawBreakdownPie(ChartCanvas& canvas, const std::vector<MoneySum>& amounts, MoneySum total,
                      const ChartPaletteColors& palette) {
  canvas.SetBrush(kWhite);
  canvas.FillRect({0, 0, canvas.Width(), canvas.Height()});
  DrawPieWedge(canvas, 0);
  const std::vector<int> ends = PieEndAngles(amounts, total);
  for (std::size_t k = ends.size(); k-- > 0;) {
    canvas.SetBrush(palette[k % palette.size()]);
    DrawPieWedge(canvas, ends[k]);
  }
}

}  // namespace purselog
