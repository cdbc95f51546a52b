// A chart canvas that records every drawing operation with the brush, pen and font in force, so
// that chart tests can assert exact rectangles, lines, wedges, texts and pixels. Its font metrics
// are fixed: a text is as high as the font's pixel height, and each byte is half that wide (a
// Shift_JIS double-byte character a full square).
#pragma once

#include <string>
#include <vector>

#include "reports/chart_canvas.h"

namespace purselog::testing {

class RecordingCanvas : public ChartCanvas {
 public:
  enum class Kind { kFillRect, kRectangle, kPie, kLine, kText, kPixel };
  struct Operation {
    Kind kind = Kind::kFillRect;
    CanvasRect rect;   // fills, rectangles, pie boxes
    CanvasPoint from;  // line start, pie start point, text or pixel position
    CanvasPoint to;    // line end, pie end point
    std::string text;  // texts
    Rgb brush;         // in force (the pixel's own colour for kPixel)
    Rgb pen;
    CanvasFont font;
  };

  RecordingCanvas(int width, int height) : width_(width), height_(height) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void FillRect(const CanvasRect& rect) override { Record(Kind::kFillRect).rect = rect; }
  void Rectangle(const CanvasRect& rect) override { Record(Kind::kRectangle).rect = rect; }
  void Pie(const CanvasRect& box, const CanvasPoint& start, const CanvasPoint& end) override {
    Operation& pie = Record(Kind::kPie);
    pie.rect = box;
    pie.from = start;
    pie.to = end;
  }
  void TextOut(int x, int y, std::string_view text) override {
    Operation& out = Record(Kind::kText);
    out.from = {x, y};
    out.text = text;
  }
  int TextWidth(std::string_view text) override {
    return static_cast<int>(text.size()) * Font().pixel_height / 2;
  }
  int TextHeight(std::string_view) override { return Font().pixel_height; }
  void SetPixel(int x, int y, const Rgb& color) override {
    Operation& pixel = Record(Kind::kPixel);
    pixel.from = {x, y};
    pixel.brush = color;
  }

  // Every operation of one kind, in order.
  std::vector<Operation> Of(Kind kind) const {
    std::vector<Operation> found;
    for (const Operation& operation : operations) {
      if (operation.kind == kind) found.push_back(operation);
    }
    return found;
  }
  // The text operations of that text, in order.
  std::vector<Operation> Texts(std::string_view text) const {
    std::vector<Operation> found;
    for (const Operation& operation : operations) {
      if (operation.kind == Kind::kText && operation.text == text) found.push_back(operation);
    }
    return found;
  }
  // The first text operation of that text; nullptr when it was not drawn.
  const Operation* Text(std::string_view text) const {
    for (const Operation& operation : operations) {
      if (operation.kind == Kind::kText && operation.text == text) return &operation;
    }
    return nullptr;
  }

  std::vector<Operation> operations;

 protected:
  void DrawLine(const CanvasPoint& from, const CanvasPoint& to) override {
    Operation& line = Record(Kind::kLine);
    line.from = from;
    line.to = to;
  }

 private:
  Operation& Record(Kind kind) {
    Operation& operation = operations.emplace_back();
    operation.kind = kind;
    operation.brush = Brush();
    operation.pen = Pen();
    operation.font = Font();
    return operation;
  }

  int width_;
  int height_;
};

}  // namespace purselog::testing
