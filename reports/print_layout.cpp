#include "reports/print_layout.h"

#include <algorithm>
#include <cmath>

#include <array>
#include <string>

#include "reports/chart_math.h"
#include "reports/pie_chart.h"

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

int BreakdownReportHeight(const BreakdownView& view) {
  return ReportImageHeight(std::max<int>(1, static_cast<int>(view.rows.size())) + 1);
}

void DrawBreakdownReport(ChartCanvas& canvas, const BreakdownView& view,
                         const ChartPaletteColors& palette, const CanvasFont& font,
                         const std::vector<CanvasPicture>& icons) {
  // The window's places.
  constexpr CanvasPoint kChartAt{24, 40};
  constexpr int kChartWidth = 201;
  constexpr int kChartHeight = 105;
  constexpr int kTableLeft = 240;
  constexpr int kTableTop = 40;
  constexpr int kValueRight = 224;
  constexpr int kIconSize = 16;
  constexpr int kIncomeColour = 3;
  constexpr int kExpenseColour = 0;

  canvas.SetBrush(kWhite);
  canvas.SetPen(kBlack);
  canvas.FillRect({0, 0, canvas.Width(), canvas.Height()});
  CanvasFont bold = font;
  bold.color = kBlack;
  bold.bold = true;
  canvas.SetFont(bold);
  canvas.TextOut(24, 10, view.print_title);
  {
    OffsetCanvas chart(canvas, kChartAt, kChartWidth, kChartHeight);
    std::vector<MoneySum> amounts;
    for (const BreakdownRow& row : view.rows) amounts.push_back(row.value);
    DrawBreakdownPie(chart, amounts, view.total, palette);
  }
  canvas.SetBrush(kWhite);
  canvas.SetPen(kBlack);

  // The totals lines with the fonts and colours of their labels.
  struct Line {
    int y;
    const std::string& caption;
    const std::string& value;
    Rgb color;
  };
  const Line lines[] = {
      {168, view.income_caption, view.income_text, palette[kIncomeColour]},
      {184, view.expense_caption, view.expense_text, palette[kExpenseColour]},
      {202, view.balance_caption, view.balance_text, kBlack},
  };
  const auto line_font = [&bold](const Line& line) {
    CanvasFont coloured = bold;
    coloured.color = line.color;
    return coloured;
  };
  for (const Line& line : lines) {
    canvas.SetFont(line_font(line));
    canvas.TextOut(24, line.y, line.caption);
  }
  canvas.MoveTo(24, 198);
  canvas.LineTo(225, 198);
  for (const Line& line : lines) {
    canvas.SetFont(line_font(line));
    canvas.TextOut(kValueRight - canvas.TextWidth(line.value), line.y, line.value);
  }

  // The table, in the last value's font without bold.
  CanvasFont table_font = bold;
  table_font.bold = false;
  canvas.SetFont(table_font);
  std::vector<std::array<std::string, 3>> cells;
  cells.push_back({BreakdownHeader()[0], BreakdownHeader()[1], BreakdownHeader()[2]});
  for (const BreakdownRow& row : view.rows) cells.push_back({row.category, row.share, row.amount});
  int widths[3] = {0, 0, 0};
  for (const auto& row : cells) {
    for (int c = 0; c < 3; ++c) {
      widths[c] = std::max(widths[c], canvas.TextWidth(row[static_cast<std::size_t>(c)]) + 10);
    }
  }
  const int text_left = kTableLeft + kIconSize + 2;
  for (std::size_t r = 0; r < cells.size(); ++r) {
    const int y = kTableTop + kReportRowHeight * static_cast<int>(r);
    const int k = r >= 1 ? view.rows[r - 1].category_index : -1;
    if (k >= 0 && k < static_cast<int>(icons.size())) {
      const CanvasPicture& icon = icons[static_cast<std::size_t>(k)];
      const int width = std::min(icon.width, kIconSize);
      const int height = std::min(icon.height, kIconSize);
      if (width > 0 && height > 0) {
        const Rgb background = icon.At(0, height - 1);
        for (int py = 0; py < height; ++py) {
          for (int px = 0; px < width; ++px) {
            const Rgb& colour = icon.At(px, py);
            canvas.SetPixel(kTableLeft + px, y + py, colour == background ? kWhite : colour);
          }
        }
      }
    }
    canvas.SetBrush(r >= 1 ? palette[(r - 1) % palette.size()] : kWhite);
    canvas.TextOut(text_left, y, cells[r][0]);
    canvas.SetBrush(kWhite);
    canvas.TextOut(text_left + widths[0], y, cells[r][1]);
    const int amount_right = text_left + widths[0] + widths[1] + widths[2];
    canvas.TextOut(amount_right - canvas.TextWidth(cells[r][2]), y, cells[r][2]);
  }
}

}  // namespace purselog
