// The printed breakdown report: the size of the report picture, and where a picture goes on the
// printed page. The windows are designed at 96 pixels per inch; a length of v window pixels is
// v × dpi ÷ 96 printer pixels (rounded, halves away from zero), with the printer's horizontal
// resolution for widths and its vertical resolution for heights.
#pragma once

#include <vector>

#include "core/color.h"
#include "reports/breakdown.h"
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

// The report picture's height for the breakdown: its table as the window shows it (at least one
// body row) with the header.
int BreakdownReportHeight(const BreakdownView& view);

// ReportImage: the printed report of a breakdown on a canvas kReportWidth wide and
// BreakdownReportHeight high, at the window's places: the print title in `font` made bold and
// black, the pie as the window draws it, the income, expense and balance lines in their colours
// with the rule above the balance, and the table (header and rows) with the columns as wide as
// their widest texts plus 10, each row's category on its colour and its icon (from `icons`, by
// category index; the icon's bottom-left colour, its background, painted white).
void DrawBreakdownReport(ChartCanvas& canvas, const BreakdownView& view,
                         const ChartPaletteColors& palette, const CanvasFont& font,
                         const std::vector<CanvasPicture>& icons);

}  // namespace purselog
