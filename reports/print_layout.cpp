#include "reports/print_layout.h"

#include <algorithm>
#include <cmath>

#include "reports/chart_math.h"

namespace purselog {

namespace {

constexpr int kFrameWidth = 476;
constexpr int kFrameHeight = 287;
constexpr int kBoxWidth = 416;
constexpr int kBoxHeight = 246;
constexpr int kTopMargin = 42;
constexpr int kDesignDpi = 96;
constexpr int kReportExtraHeight = 50;

}  // namespace

int ReportImageHeight(int table_rows) { return kReportRowHeight * table_rows + kReportExtraHeight; }

int WindowToPrinter(int window_pixels, int dpi) {
  return static_cast<int>(std::round(static_cast<long double>(window_pixels) * dpi / kDesignDpi));
}

PrintPlacement PlacePrintedPicture(int picture_width, int picture_height, int dpi_x, int dpi_y) {
  const int frame_width = WindowToPrinter(kFrameWidth, dpi_x);
  const int frame_height = WindowToPrinter(kFrameHeight, dpi_y);
  const int box_width = WindowToPrinter(kBoxWidth, dpi_x);
  const int box_height = WindowToPrinter(kBoxHeight, dpi_y);
  int width = WindowToPrinter(picture_width, dpi_x);
  int height = WindowToPrinter(picture_height, dpi_y);
  if (width > 0 && height > 0) {
    const long double factor = std::min(static_cast<long double>(box_width) / width,
                                        static_cast<long double>(box_height) / height);
    if (factor < 1) {
      width = static_cast<int>(RoundHalfEven(width * factor));
      height = static_cast<int>(RoundHalfEven(height * factor));
    }
  }
  const int left = (frame_width - width) / 2;
  const int top = WindowToPrinter(kTopMargin, dpi_y);
  return {{0, 0, frame_width, frame_height}, {left, top, left + width, top + height}};
}

}  // namespace purselog
