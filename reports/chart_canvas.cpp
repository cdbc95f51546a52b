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

ChartCanvas& OffsetCanvas::Target() {
  target_.SetBrush(Brush());
  target_.SetPen(Pen());
  target_.SetFont(Font());
  return target_;
}

CanvasRect OffsetCanvas::Moved(const CanvasRect& rect) const {
  return {rect.left + origin_.x, rect.top + origin_.y, rect.right + origin_.x,
          rect.bottom + origin_.y};
}

CanvasPoint OffsetCanvas::Moved(const CanvasPoint& point) const {
  return {point.x + origin_.x, point.y + origin_.y};
}

void OffsetCanvas::FillRect(const CanvasRect& rect) { Target().FillRect(Moved(rect)); }
void OffsetCanvas::Rectangle(const CanvasRect& rect) { Target().Rectangle(Moved(rect)); }
void OffsetCanvas::Pie(const CanvasRect& box, const CanvasPoint& start, const CanvasPoint& end) {
  Target().Pie(Moved(box), Moved(start), Moved(end));
}
void OffsetCanvas::TextOut(int x, int y, std::string_view text) {
  Target().TextOut(x + origin_.x, y + origin_.y, text);
}
int OffsetCanvas::TextWidth(std::string_view text) { return Target().TextWidth(text); }
int OffsetCanvas::TextHeight(std::string_view text) { return Target().TextHeight(text); }
void OffsetCanvas::SetPixel(int x, int y, const Rgb& color) {
  target_.SetPixel(x + origin_.x, y + origin_.y, color);
}
void OffsetCanvas::DrawLine(const CanvasPoint& from, const CanvasPoint& to) {
  const CanvasPoint moved_from = Moved(from);
  const CanvasPoint moved_to = Moved(to);
  Target().MoveTo(moved_from.x, moved_from.y);
  target_.LineTo(moved_to.x, moved_to.y);
}

}  // namespace purselog
