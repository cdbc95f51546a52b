#include "reports/ez_graph.h"

#include <algorithm>
#include <numeric>

#include "core/comma_text.h"
#include "core/money.h"
#include "reports/chart_math.h"

namespace purselog {

namespace {

constexpr Rgb kTitleColor{80, 80, 80};
constexpr Rgb kGridColor{240, 240, 240};
constexpr int kShadowDepth = 4;
constexpr int kShadeDrop = 50;
constexpr int kValueGap = 4;
constexpr long double kHighestTop = -1e9L;

std::string Whole(long double value) {
  return FormatNumber(static_cast<double>(value), NumberPattern::kGroupedWhole);
}

// Whether two value texts stand too near each other: sharing a pixel row, and closer than
// kValueGap across (two numbers must never read as one).
bool Crowded(const CanvasRect& a, const CanvasRect& b) {
  return a.left < b.right + kValueGap && b.left < a.right + kValueGap && a.top < b.bottom &&
         b.top < a.bottom;
}

}  // namespace

std::vector<int> PlaceValueTexts(const std::vector<CanvasRect>& boxes) {
  // From the lowest text up, left to right among equals.
  std::vector<std::size_t> order(boxes.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&boxes](std::size_t a, std::size_t b) { return boxes[a].top > boxes[b].top; });
  std::vector<CanvasRect> placed;
  std::vector<int> tops(boxes.size());
  for (const std::size_t i : order) {
    CanvasRect box = boxes[i];
    // Each step ends above the text it cleared, so every placed text is cleared at most once.
    for (bool raised = true; raised;) {
      raised = false;
      for (const CanvasRect& other : placed) {
        if (!Crowded(box, other)) continue;
        box.top = other.top - box.Height();
        box.bottom = other.top;
        raised = true;
      }
    }
    placed.push_back(box);
    tops[i] = box.top;
  }
  return tops;
}

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
  struct Bar {
    int x = 0;
    int top = 0;
    std::string label;
    std::string value_text;
  };
  std::vector<Bar> bars;
  std::vector<CanvasRect> value_boxes;
  for (std::size_t i = 0; i < Data.size(); ++i) {
    const std::vector<std::string> fields = SplitCommaText(Data[i]);
    const MoneySum value = MoneyTextValue(fields.empty() ? std::string() : fields[0]);
    Bar& bar = bars.emplace_back();
    bar.label = fields.size() > 1 ? fields[1] : std::string();
    bar.x = AxisLeft + SlotWidth / 2 + SlotWidth * static_cast<int>(i);
    bar.top = axis_bottom;
    if (MaxValue > 0 && value > MoneySum()) {
      // A bar far above the chart stops a long way above it, inside the range of int.
      bar.top = static_cast<int>(
          RoundHalfEven(std::max(axis_bottom - static_cast<long double>(value.units()) /
                                                   Money::kUnitsPerYen / MaxValue * axis_height,
                                 kHighestTop)));
    }
    bar.value_text = FormatMoney(value, NumberPattern::kGroupedWhole);
    const int value_width = image.TextWidth(bar.value_text);
    const int value_height = image.TextHeight(bar.value_text);
    const int left = bar.x + 4 + BarWidth / 2 - value_width / 2;
    const int top = bar.top - Margin - value_height;
    value_boxes.push_back({left, top, left + value_width, top + value_height});
  }
  const std::vector<int> value_tops = PlaceValueTexts(value_boxes);

  const Rgb shade = ShadeColor(BarColor);
  for (std::size_t i = 0; i < bars.size(); ++i) {
    const Bar& bar = bars[i];
    const int x = bar.x;
    if (bar.top < axis_bottom) {
      image.SetBrush(shade);
      for (int s = 1; s <= kShadowDepth; ++s) {
        if (bar.top + s < axis_bottom) {
          image.FillRect({x + s, bar.top + s, x + s + BarWidth, axis_bottom});
        }
      }
      image.SetBrush(BarColor);
      image.FillRect({x, bar.top, x + BarWidth, axis_bottom});
    }
    image.SetBrush(BackColor);
    image.SetPen(kBlack);
    const int centre = x + 4 + BarWidth / 2;
    image.TextOut(centre - image.TextWidth(bar.label) / 2, axis_bottom + Margin, bar.label);
    image.TextOut(value_boxes[i].left, value_tops[i], bar.value_text);
  }
}

}  // namespace purselog
