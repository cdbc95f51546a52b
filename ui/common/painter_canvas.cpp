#include "ui/common/painter_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <cmath>
#include <numbers>

#include "ui/common/glass.h"
#include "ui/common/look.h"

namespace purselog {

namespace {

QColor ToColor(const Rgb& color) { return QColor(color.red, color.green, color.blue); }

// The parametric angle, in degrees counter-clockwise from three o'clock, at which the ray from
// the centre of the ellipse through `point` meets the ellipse (the angle QPainter's arcs take).
double EllipseAngle(const QRectF& ellipse, const CanvasPoint& point) {
  const double half_width = std::max(ellipse.width() / 2, 0.5);
  const double half_height = std::max(ellipse.height() / 2, 0.5);
  const QPointF centre = ellipse.center();
  return std::atan2(-(point.y - centre.y()) / half_height, (point.x - centre.x()) / half_width) *
         180 / std::numbers::pi;
}

}  // namespace

QFont ScreenFont(const CanvasFont& font) {
  QFont screen;
  if (font.face == kGothicFace || font.face.empty()) {
    screen = GothicFont(font.pixel_height, font.bold);
  } else {
    screen.setFamily(QString::fromStdString(font.face));
    screen.setPixelSize(font.pixel_height);
    screen.setBold(font.bold);
  }
  return screen;
}

CanvasPicture CanvasPictureOf(const QImage& image) {
  CanvasPicture picture{image.width(), image.height(), {}};
  picture.pixels.reserve(static_cast<std::size_t>(image.width() * image.height()));
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      picture.pixels.push_back({qRed(pixel), qGreen(pixel), qBlue(pixel)});
    }
  }
  return picture;
}

CanvasFont CanvasFontOf(const QFont& font, const Rgb& color) {
  CanvasFont canvas_font;
  if (!font.families().contains(QString::fromUtf8(kGothicFace.data(), kGothicFace.size()))) {
    canvas_font.face = font.family().toStdString();
  }
  canvas_font.pixel_height = font.pixelSize() > 0 ? font.pixelSize() : 12;
  canvas_font.bold = font.bold();
  canvas_font.color = color;
  return canvas_font;
}

void PainterCanvas::FillRect(const CanvasRect& rect) {
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  QPainter painter(&image_);
  painter.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToColor(Brush()));
}

void PainterCanvas::Rectangle(const CanvasRect& rect) {
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  QPainter painter(&image_);
  painter.fillRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), ToColor(Brush()));
  // The outline on the outermost pixels of the filled area.
  const QColor pen = ToColor(Pen());
  painter.fillRect(QRect(rect.left, rect.top, rect.Width(), 1), pen);
  painter.fillRect(QRect(rect.left, rect.bottom - 1, rect.Width(), 1), pen);
  painter.fillRect(QRect(rect.left, rect.top, 1, rect.Height()), pen);
  painter.fillRect(QRect(rect.right - 1, rect.top, 1, rect.Height()), pen);
}

void PainterCanvas::Pie(const CanvasRect& box, const CanvasPoint& start, const CanvasPoint& end) {
  if (box.Width() <= 0 || box.Height() <= 0) return;
  QPainter painter(&image_);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(ToColor(Pen()), 0));  // cosmetic: one pixel
  painter.setBrush(ToColor(Brush()));
  // An aliased outline of QRect(x, y, w, h) covers x .. x + w: the box less its last pixels.
  const QRect ellipse(box.left, box.top, box.Width() - 1, box.Height() - 1);
  if (start == end) {
    painter.drawEllipse(ellipse);
    return;
  }
  const double from = EllipseAngle(QRectF(ellipse), start);
  double span = EllipseAngle(QRectF(ellipse), end) - from;
  while (span <= 0) span += 360;
  while (span > 360) span -= 360;
  int span16 = static_cast<int>(std::lround(span * 16));
  if (span16 <= 0) span16 = 360 * 16;  // the two rays coincide
  painter.drawPie(ellipse, static_cast<int>(std::lround(from * 16)), span16);
}

void PainterCanvas::TextOut(int x, int y, std::string_view text) {
  const QString screen_text = ToGlass(text);
  const QFont font = ScreenFont(Font());
  const QFontMetrics metrics(font);
  QPainter painter(&image_);
  painter.fillRect(QRect(x, y, metrics.horizontalAdvance(screen_text), metrics.height()),
                   ToColor(Brush()));
  painter.setFont(font);
  painter.setPen(ToColor(Font().color));
  painter.drawText(x, y + metrics.ascent(), screen_text);
}

int PainterCanvas::TextWidth(std::string_view text) {
  return QFontMetrics(ScreenFont(Font())).horizontalAdvance(ToGlass(text));
}

int PainterCanvas::TextHeight(std::string_view) {
  return QFontMetrics(ScreenFont(Font())).height();
}

void PainterCanvas::SetPixel(int x, int y, const Rgb& color) {
  if (image_.valid(x, y)) image_.setPixelColor(x, y, ToColor(color));
}

void PainterCanvas::DrawLine(const CanvasPoint& from, const CanvasPoint& to) {
  const QColor pen = ToColor(Pen());
  for (const CanvasPoint& pixel : LinePixels(from, to)) {
    if (image_.valid(pixel.x, pixel.y)) image_.setPixelColor(pixel.x, pixel.y, pen);
  }
}

}  // namespace purselog
