// The chart canvas on a QImage: fills, aliased one-pixel outlines and lines, pie wedges, and texts
// in the program's fonts (Shift_JIS bytes shown as ToGlass shows them).
#pragma once

#include <QFont>
#include <QImage>

#include "reports/chart_canvas.h"

namespace purselog {

// The screen font of a canvas font: the program's Gothic for its face, else the named family.
QFont ScreenFont(const CanvasFont& font);
// The canvas font of a window's font (its colour given apart).
CanvasFont CanvasFontOf(const QFont& font, const Rgb& color);
// The picture's pixels, for a chart that draws it.
CanvasPicture CanvasPictureOf(const QImage& image);

class PainterCanvas : public ChartCanvas {
 public:
  // Draws on `image`, which must outlive the canvas.
  explicit PainterCanvas(QImage& image) : image_(image) {}

  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }
  void FillRect(const CanvasRect& rect) override;
  void Rectangle(const CanvasRect& rect) override;
  void Pie(const CanvasRect& box, const CanvasPoint& start, const CanvasPoint& end) override;
  void TextOut(int x, int y, std::string_view text) override;
  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;
  void SetPixel(int x, int y, const Rgb& color) override;

 protected:
  void DrawLine(const CanvasPoint& from, const CanvasPoint& to) override;

 private:
  QImage& image_;
};

}  // namespace purselog
