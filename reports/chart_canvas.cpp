#include "reports/chart_canvas.h"

#include <cstdlib>

namespace purselog {

std::vector<CanvasPoint> LinePixels(const CanvasPoint& from, const CanvasPoint& to) {
  std::vector<CanvasPoint> pixels;
  const int dx = std::abs(to.x - from.x);
  const int dy = -std::abs(to.y - from.y);
  const int step_x = from.x < to.x ? 1 : -1;
  const int step_y = from.y < to.y ? 1 : -1;
  int error = dx + dy;
  CanvasPoint at = from;
  while (at != to) {
    pixels.push_back(at);
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      at.x += step_x;
    }
    if (twice <= dx) {
      error += dx;
      at.y += step_y;
    }
  }
  return pixels;
}

}  // namespace purselog
