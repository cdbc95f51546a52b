// The pixel canvas the charts draw on: a raster picture of a given size, origin at the top left,
// y growing downwards, with a current brush (fills), a current pen (lines and outlines, solid,
// one pixel wide, black unless set) and a current font. The charts only issue these operations;
// the windows draw them with QPainter on a QImage, the tests record them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/color.h"

namespace purselog {

struct CanvasPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const CanvasPoint&, const CanvasPoint&) = default;
};

// Left and top inclusive, right and bottom exclusive.
struct CanvasRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const CanvasRect&, const CanvasRect&) = default;
};

// The program's font: the 12-pixel proportional Gothic of every window (UTF-8 face name).
inline constexpr std::string_view kGothicFace = "ＭＳ Ｐゴシック";

struct CanvasFont {
  std::string face{kGothicFace};  // UTF-8
  int pixel_height = 12;
  bool bold = false;
  Rgb color;
  friend bool operator==(const CanvasFont&, const CanvasFont&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kRed{255, 0, 0};

class ChartCanvas {
 public:
  virtual ~ChartCanvas() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  const Rgb& Brush() const { return brush_; }
  void SetBrush(const Rgb& color) { brush_ = color; }
  const Rgb& Pen() const { return pen_; }
  void SetPen(const Rgb& color) { pen_ = color; }
  const CanvasFont& Font() const { return font_; }
  void SetFont(const CanvasFont& font) { font_ = font; }

  // Fills the pixels of the rectangle with the brush; an empty rectangle fills nothing.
  virtual void FillRect(const CanvasRect& rect) = 0;
  // Fills as FillRect and outlines the same pixels with the pen.
  virtual void Rectangle(const CanvasRect& rect) = 0;
  // The wedge of the ellipse inscribed in `box` that runs counter-clockwise (as seen on the
  // screen) from the ray through `start` to the ray through `end`, filled with the brush, its
  // arc and both radii outlined with the pen; the whole ellipse when the two points coincide.
  virtual void Pie(const CanvasRect& box, const CanvasPoint& start, const CanvasPoint& end) = 0;
  // A pen line from the current point to (x, y), the end point itself not painted; (x, y)
  // becomes the current point.
  void MoveTo(int x, int y) { current_ = {x, y}; }
  void LineTo(int x, int y) {
    DrawLine(current_, {x, y});
    current_ = {x, y};
  }
  // The text (Shift_JIS bytes) in the current font with its cell's top left corner at (x, y);
  // the cell is first filled with the brush.
  virtual void TextOut(int x, int y, std::string_view text) = 0;
  virtual int TextWidth(std::string_view text) = 0;
  virtual int TextHeight(std::string_view text) = 0;
  virtual void SetPixel(int x, int y, const Rgb& color) = 0;

 protected:
  virtual void DrawLine(const CanvasPoint& from, const CanvasPoint& to) = 0;

 private:
  Rgb brush_ = kWhite;
  Rgb pen_ = kBlack;
  CanvasFont font_;
  CanvasPoint current_;
};

// The pixels of a pen line from `from` to `to`, in drawing order, without the end point (a line
// to its own start paints nothing): the steps of Bresenham's algorithm.
std::vector<CanvasPoint> LinePixels(const CanvasPoint& from, const CanvasPoint& to);

// A plain picture of pixels, row by row (an icon handed down from the windows).
struct CanvasPicture {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;  // width × height
  const Rgb& At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// A part of another canvas: `size` pixels from `origin` on, so that a chart drawn for a picture
// of its own lands in its place on a larger one (the pie on the printed report). Every
// operation goes to the other canvas, moved by the origin, with this canvas's brush, pen and
// font.
class OffsetCanvas : public ChartCanvas {
 public:
  OffsetCanvas(ChartCanvas& target, CanvasPoint origin, int width, int height)
      : target_(target), origin_(origin), width_(width), height_(height) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }
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
  // The target's brush, pen and font as this canvas's.
  ChartCanvas& Target();
  CanvasRect Moved(const CanvasRect& rect) const;
  CanvasPoint Moved(const CanvasPoint& point) const;

  ChartCanvas& target_;
  CanvasPoint origin_;
  int width_;
  int height_;
};

}  // namespace purselog
