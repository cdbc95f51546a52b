// The printed breakdown report: the size of the report picture, and where a picture goes on the
// printed page. The windows are designed at 96 pixels per inch; a length of v window pixels is
// v × dpi ÷ 96 printer pixels (rounded, halves away from zero), with the printer's horizontal
// resolution for widths and its vertical resolution for heights.
#pragma once

#include "reports/chart_canvas.h"

namespace purselog {

constexpr int kReportWidth = 480;
constexpr int kReportRowHeight = 18;

// ReportImage's height for a table of `table_rows` rows, the header included: 18 each, plus 50.
int ReportImageHeight(int table_rows);

int WindowToPrinter(int window_pixels, int dpi);

// In printer pixels, from the top left of the printable area: the frame (476 × 287 window
// pixels, outlined), and the picture scaled down, keeping its proportions, to fit the box of
// 416 × 246 window pixels (never up), centred across the frame, 42 window pixels from its top.
struct PrintPlacement {
  CanvasRect frame;
  CanvasRect picture;
  friend bool operator==(const PrintPlacement&, const PrintPlacement&) = default;
};
PrintPlacement PlacePrintedPicture(int picture_width, int picture_height, int dpi_x, int dpi_y);

}  // namespace purselog
