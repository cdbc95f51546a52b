#include "reports/breakdown.h"

#include <algorithm>
#include <array>
#include <optional>

#include "core/comma_text.h"
#include "core/date_format.h"
#include "core/text_codec.h"
#include "core/text_file.h"
#include "ledger/month_file.h"
#include "reports/chart_math.h"

namespace purselog {

namespace {

// The currency symbol: the byte 0x5C, which Japanese fonts show as the yen sign.
constexpr std::string_view kCurrencySymbol = "\\";

// Adds the amount of every line of `bytes` in [first_key, last_key] to the sums of the
// categories its category field names, byte for byte.
void AddLines(std::string_view bytes, long first_key, long last_key,
              const std::vector<std::string>& names, const ExactNameIndex& index,
              std::vector<MoneySum>& sums) {
  std::array<std::string, 4> scratch;
  ForEachLine(bytes, [&](std::string_view line) {
    std::array<std::string_view, 4> fields;
    const std::size_t count = LeadingFields(line, fields, scratch);
    if (count == 0) return;
    const std::optional<std::int32_t> value = ParseIntegerText(fields[0]);
    if (!value || *value < first_key || *value > last_key) return;
    // A line without a category names none; one without an amount counts 0.
    if (count < 2) return;
    const std::string_view category = fields[1];
    const std::size_t named = index.Find(category);
    if (named == names.size()) return;
    const Money amount = AmountValue(fields[3]);
    // Every category of that name counts the line, as a table may name one twice.
    for (std::size_t k = named; k != names.size(); k = index.Next(k)) {
      sums[k] += amount;
    }
  });
}

std::string_view AmountText(std::string_view line) { return line.substr(0, line.find('=')); }

std::string ShareText(MoneySum value, MoneySum total) {
  const long long tenths = RoundedShare(value, total, 1000);
  return FormatMoney(MoneySum::FromUnits(MoneySumUnits{tenths} * 1000),
                     NumberPattern::kOneDecimal) +
         "%";
}

std::string MoneyText(MoneySum value) {
  return std::string(kCurrencySymbol) + FormatMoney(value, NumberPattern::kGrouped);
}

}  // namespace

Breakdown ComputeBreakdown(const std::filesystem::path& data_dir, const Date& current_date,
                           int closing_day, const CategoryTable& categories) {
  Breakdown breakdown;
  breakdown.period = PeriodOf(current_date, closing_day);
  const long first_key = DateKeyValue(breakdown.period.first);
  const long last_key = DateKeyValue(breakdown.period.last);
  const std::vector<std::string>& names = categories.names();
  std::vector<MoneySum> sums(names.size());
  const ExactNameIndex index(names);
  // The month of the first day, and the month of the last day when it is another one.
  std::vector<Date> months = {breakdown.period.first};
  if (MonthKey(breakdown.period.last) != MonthKey(breakdown.period.first)) {
    months.push_back(breakdown.period.last);
  }
  for (const Date& month : months) {
    if (const std::optional<std::string> bytes =
            ReadFileBytesIfExists(MonthFilePath(data_dir, month))) {
      AddLines(*bytes, first_key, last_key, names, index, sums);
    }
  }
  for (std::size_t k = 0; k < names.size(); ++k) {
    if (categories.IncomeFlag(static_cast<int>(k))) {
      breakdown.income += sums[k];
    } else {
      breakdown.lines.push_back(FormatMoney(sums[k], NumberPattern::kPlain) + "=" + names[k]);
    }
  }
  SortBreakdownList(breakdown.lines);
  return breakdown;
}

MoneySum BreakdownAmount(std::string_view line) { return MoneyTextValue(AmountText(line)); }

std::string_view BreakdownName(std::string_view line) {
  const std::size_t equals = line.find('=');
  return equals == std::string_view::npos ? std::string_view() : line.substr(equals + 1);
}

MoneySum BreakdownTotal(const std::vector<std::string>& lines) {
  MoneySum total;
  for (const std::string& line : lines) total += BreakdownAmount(line);
  return total;
}

void SortBreakdownList(std::vector<std::string>& lines) {
  std::vector<std::pair<MoneySum, std::string>> keyed;
  keyed.reserve(lines.size());
  for (std::string& line : lines) keyed.emplace_back(BreakdownAmount(line), std::move(line));
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = std::move(keyed[i].second);
}

const std::vector<std::string>& BreakdownHeader() {
  static const std::vector<std::string> header = {Utf8ToCp932("費目"), Utf8ToCp932("構成比(%)"),
                                                  Utf8ToCp932("金額")};
  return header;
}

BreakdownView MakeBreakdownView(const std::vector<std::string>& lines, MoneySum income,
                                const AccountingPeriod& period, const Date& current_date,
                                MoneySum balance, const CategoryTable& categories) {
  BreakdownView view;
  view.total = BreakdownTotal(lines);
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    const MoneySum value = BreakdownAmount(*line);
    const std::string_view name = BreakdownName(*line);
    view.rows.push_back({std::string(name), ShareText(value, view.total),
                         std::string(kCurrencySymbol) + std::string(AmountText(*line)), value,
                         categories.FindCategory(name)});
  }
  const std::string span =
      JapaneseDateText(period.first) + Utf8ToCp932("～") + JapaneseDateText(period.last);
  const std::string month = std::to_string(MonthOf(current_date));
  view.title = Utf8ToCp932("月別支出グラフ   ") + span;
  view.print_title = month + Utf8ToCp932("月度収支   ") + span;
  view.income_caption = month + Utf8ToCp932("月度総収入：");
  view.income_text = MoneyText(income);
  view.expense_caption = month + Utf8ToCp932("月度総支出：");
  view.expense_text = MoneyText(view.total);
  view.balance_caption = month + Utf8ToCp932("月度収支：");
  view.balance_text = MoneyText(balance);
  return view;
}

}  // namespace purselog
