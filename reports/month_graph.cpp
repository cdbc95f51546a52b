#include "reports/month_graph.h"

#include <algorithm>
#include <array>
#include <climits>
#include <optional>
#include <string_view>

#include "core/comma_text.h"
#include "core/text_codec.h"
#include "core/text_file.h"
#include "reports/chart_math.h"

namespace purselog {

namespace {

constexpr int kSlotWidth = 46;
constexpr int kBarWidth = 25;
constexpr int kMargin = 8;
constexpr int kAxisLeft = 64;
constexpr std::size_t kExpenseColour = 3;
constexpr std::size_t kIncomeColour = 0;

// Adds the amount of every entry line of `bytes` to the sums of the categories it names.
void AddLines(std::string_view bytes, const std::vector<std::string>& names,
              const ExactNameIndex& index, std::vector<MoneySum>& sums) {
  std::array<std::string, 4> scratch;
  ForEachLine(bytes, [&](std::string_view line) {
    // One pass over the fields each line needs; a field the line lacks is empty.
    std::array<std::string_view, 4> fields;
    const std::size_t count = LeadingFields(line, fields, scratch);
    if (count == 0 || !IsIntegerText(fields[0])) return;
    std::size_t named = index.Find(fields[1]);
    if (named == names.size()) return;
    const Money amount = AmountValue(fields[3]);
    // Every category of that name counts the line.
    for (; named != names.size(); named = index.Next(named)) sums[named] += amount;
  });
}

}  // namespace

std::filesystem::path MonthGraphFilePath(const std::filesystem::path& data_dir, int year,
                                         int month) {
  return data_dir /
         (std::to_string(year) + (month < 10 ? "0" : "") + std::to_string(month) + ".csv");
}

MonthSums ComputeMonthSums(const std::filesystem::path& data_dir, int year,
                           const CategoryTable& categories) {
  MonthSums result;
  result.graph_year = year;
  const std::vector<std::string>& names = categories.names();
  std::vector<MoneySum> sums(names.size());
  const ExactNameIndex index(names);
  for (int month = 1; month <= kMonthsInYear; ++month) {
    std::fill(sums.begin(), sums.end(), MoneySum());
    if (const std::optional<std::string> bytes =
            ReadFileBytesIfExists(MonthGraphFilePath(data_dir, year, month))) {
      AddLines(*bytes, names, index, sums);
    }
    std::vector<std::string>& list = result.months[static_cast<std::size_t>(month - 1)];
    list.resize(kFirstCategorySeries + names.size());
    // The totals and the largest sum take each category sum as written.
    MoneySum income;
    MoneySum expense;
    for (std::size_t k = 0; k < names.size(); ++k) {
      std::string& text = list[kFirstCategorySeries + k];
      text = FormatMoney(sums[k], NumberPattern::kPlain);
      const MoneySum value = MoneyTextValue(text);
      (categories.IncomeFlag(static_cast<int>(k)) ? income : expense) += value;
      result.largest = std::max(result.largest, value);
    }
    list[kExpenseSeries] = FormatMoney(expense, NumberPattern::kPlain);
    list[kIncomeSeries] = FormatMoney(income, NumberPattern::kPlain);
  }
  result.scale = MonthGraphScale(result.largest);
  return result;
}

int MonthGraphScale(MoneySum largest) {
  constexpr MoneySumUnits kStepUnits = MoneySumUnits{kMonthGraphScaleStep} * Money::kUnitsPerYen;
  constexpr MoneySumUnits kMostSteps = INT_MAX / kMonthGraphScaleStep;
  // Division truncates towards zero, as trunc() does; the largest sum is never below 0.
  const MoneySumUnits steps = std::min(largest.units() / kStepUnits + 1, kMostSteps);
  return static_cast<int>(steps) * kMonthGraphScaleStep;
}

std::vector<std::string> MonthGraphSeries(const CategoryTable& categories) {
  std::vector<std::string> series = {Utf8ToCp932("総支出"), Utf8ToCp932("総収入")};
  series.insert(series.end(), categories.names().begin(), categories.names().end());
  return series;
}

void SetUpMonthGraph(TezGraph& graph, const MonthSums& sums, int series, int scale,
                     const ChartPaletteColors& palette, const CanvasFont* font) {
  graph.SlotWidth = kSlotWidth;
  graph.BarWidth = kBarWidth;
  graph.Font = font;
  graph.Margin = kMargin;
  graph.AxisLeft = kAxisLeft;
  graph.MaxValue = scale;
  graph.Title = Utf8ToCp932("月別グラフ（") + std::to_string(sums.graph_year) + Utf8ToCp932("）");
  graph.UnitLabel = "(Yen)";
  if (series == kExpenseSeries) {
    graph.BarColor = palette[kExpenseColour];
  } else if (series == kIncomeSeries) {
    graph.BarColor = palette[kIncomeColour];
  } else {
    graph.BarColor =
        palette[static_cast<std::size_t>(series - kFirstCategorySeries) % palette.size()];
  }
  const std::string month_text = Utf8ToCp932("月");
  graph.Data.clear();
  for (int month = 1; month <= kMonthsInYear; ++month) {
    graph.Data.push_back(
        sums.months[static_cast<std::size_t>(month - 1)].at(static_cast<std::size_t>(series)) +
        "," + std::to_string(month) + month_text);
  }
}

}  // namespace purselog
