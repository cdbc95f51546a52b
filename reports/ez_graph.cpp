#include "reports/ez_graph.h"

#include <algorithm>

#include "core/comma_text.h"
#include "core/money.h"
#include "reports/chart_math.h"

namespace purselog {

namespace {

constexpr Rgb kTitleColor{80, 80, 80};
constexpr Rgb kGridColor{240, 240, 240};
constexpr int kShadowDepth = 4;
constexpr int kShadeDrop = 50;

std::string Whole(long double value) {
  return FormatNumber(static_cast<double>(value), NumberPattern::kGroupedWhole);
}

}  // namespace

Rgb ShadeColor(const Rgb& color) {
  Hsv hsv = RgbToHsv(color);
  hsv.value = std::max(0, hsv.value - kShadeDrop);
  Rgb shade = color;
  HsvToRgb(hsv, shade);
  return shade;
}

void TezGraph::Draw(ChartCanvas& image) const {
  const int width = image.Width();
  const int height = image.Height();

  // Background and frame.
  image.SetBrush(BackColor);
  CanvasFont font = Font != nullptr ? *Font : image.Font();
  image.SetFont(font);
  image.SetPen(kBlack);
  image.Rectangle({0, 0, width, height});

  CanvasFont title_font = font;
  title_font.bold = true;
  title_font.color = kTitleColor;
  image.SetFont(title_font);
  image.TextOut((width - image.TextWidth(Title)) / 2, Margin, Title);

  font.bold = false;
  font.color = kBlack;
  image.SetFont(font);

  // The value axis with ticks at the bottom, the middle and the top.
  const int title_height = image.TextHeight(Title);
  const int axis_top = title_height + 4 * Margin;
  const int axis_bottom = height - (title_height + 2 * Margin);
  const int axis_height = axis_bottom - axis_top;
  image.MoveTo(AxisLeft, axis_top);
  image.LineTo(AxisLeft, axis_bottom);
  for (const int y : {axis_top, axis_bottom, axis_bottom - axis_height / 2}) {
    image.MoveTo(AxisLeft, y);
    image.LineTo(AxisLeft + 2, y);
  }
  for (int i = 0; i <= 10; ++i) {
    const int y = axis_bottom - static_cast<int>(RoundHalfEven(i * axis_height / 10.0L));
    image.SetPen(kGridColor);
    image.MoveTo(AxisLeft + 3, y);
    image.LineTo(width - Margin, y);
    image.SetPen(kBlack);
  }
  image.MoveTo(AxisLeft, axis_bottom);
  image.LineTo(width - Margin, axis_bottom);

  // Axis texts, ending at AxisLeft - Margin, each centred vertically on its height.
  const int text_right = AxisLeft - Margin;
  const auto axis_text = [&](const std::string& text, int centre) {
    image.TextOut(text_right - image.TextWidth(text), centre - image.TextHeight(text) / 2, text);
  };
  axis_text("0", axis_bottom);
  axis_text(Whole(MaxValue), axis_top);
  axis_text(Whole(MaxValue / 2.0L), axis_top + (axis_bottom - axis_top) / 2);
  const int unit_height = image.TextHeight(UnitLabel);
  image.TextOut(text_right - image.TextWidth(UnitLabel),
                axis_top - unit_height / 2 - unit_height - Margin, UnitLabel);

  // The bars, each with a shadow four pixels deep, its label below and its value above.
  const Rgb shade = ShadeColor(BarColor);
  for (std::size_t i = 0; i < Data.size(); ++i) {
    const std::vector<std::string> fields = SplitCommaText(Data[i]);
    const MoneySum value = MoneyTextValue(fields.empty() ? std::string() : fields[0]);
    const std::string label = fields.size() > 1 ? fields[1] : std::string();
    const int x = AxisLeft + SlotWidth / 2 + SlotWidth * static_cast<int>(i);
    int top = axis_bottom;
    if (MaxValue > 0 && value > MoneySum()) {
      top = static_cast<int>(RoundHalfEven(axis_bottom - static_cast<long double>(value.units()) /
                                                             Money::kUnitsPerYen / MaxValue *
                                                             axis_height));
    }
    if (top < axis_bottom) {
      image.SetBrush(shade);
      for (int s = 1; s <= kShadowDepth; ++s) {
        if (top + s < axis_bottom) image.FillRect({x + s, top + s, x + s + BarWidth, axis_bottom});
      }
      image.SetBrush(BarColor);
      image.FillRect({x, top, x + BarWidth, axis_bottom});
    }
    image.SetBrush(BackColor);
    image.SetPen(kBlack);
    const int centre = x + 4 + BarWidth / 2;
    image.TextOut(centre - image.TextWidth(label) / 2, axis_bottom + Margin, label);
    const std::string value_text = FormatMoney(value, NumberPattern::kGroupedWhole);
    image.TextOut(centre - image.TextWidth(value_text) / 2,
                  top - Margin - image.TextHeight(value_text), value_text);
  }
}

}  // namespace purselog
