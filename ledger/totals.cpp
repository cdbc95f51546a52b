#include "ledger/totals.h"

#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "core/comma_text.h"
#include "core/text_file.h"
#include "ledger/month_file.h"

namespace purselog {

namespace {

// Adds the entry lines of `bytes` whose date key lies in [first_key, last_key].
void AddPeriodLines(std::string_view bytes, long first_key, long last_key,
                    const EntryKindOf& kind_of, bool spending_only, MoneySum& sum) {
  std::array<std::string, 4> scratch;
  // The kinds of the category texts met so far: a file names few, many times each.
  std::vector<std::pair<std::string, EntryKind>> kinds;
  const auto kind_of_text = [&](std::string_view category) {
    for (const auto& [text, kind] : kinds) {
      if (text == category) return kind;
    }
    return kinds.emplace_back(std::string(category), kind_of(category)).second;
  };
  ForEachLine(bytes, [&](std::string_view line) {
    std::array<std::string_view, 4> fields;
    if (LeadingFields(line, fields, scratch) == 0) return;
    const std::optional<std::int32_t> value = ParseIntegerText(fields[0]);
    if (!value || *value < first_key || *value > last_key) return;
    // A field the line lacks is empty.
    sum += SignedAmount(kind_of_text(fields[1]), fields[3], spending_only);
  });
}

}  // namespace

Money SignedAmount(EntryKind kind, std::string_view amount_text, bool spending_only) {
  switch (kind) {
    case EntryKind::kNone:
      return Money();
    case EntryKind::kIncome:
      return spending_only ? Money() : AmountValue(amount_text);
    case EntryKind::kExpense:
      return -AmountValue(amount_text);
  }
  return Money();
}

MoneySum SumPeriod(const std::filesystem::path& data_dir, const AccountingPeriod& period,
                   const EntryKindOf& kind_of, bool spending_only) {
  const long first_key = DateKeyValue(period.first);
  const long last_key = DateKeyValue(period.last);
  MoneySum sum;
  // The month of the first day, and the month of the last day when it is another one.
  std::vector<Date> months = {period.first};
  if (MonthKey(period.last) != MonthKey(period.first)) months.push_back(period.last);
  for (const Date& month : months) {
    if (const std::optional<std::string> bytes =
            ReadFileBytesIfExists(MonthFilePath(data_dir, month))) {
      AddPeriodLines(*bytes, first_key, last_key, kind_of, spending_only, sum);
    }
  }
  return sum;
}

MoneySum SumDayPage(const DayPage& page, const EntryKindOf& kind_of, bool spending_only) {
  MoneySum sum;
  for (const DayRow& row : page) {
    sum += SignedAmount(kind_of(row[kCategoryColumn]), row[kAmountColumn], spending_only);
  }
  return sum;
}

bool PeriodHasMonthFile(const std::filesystem::path& data_dir, const AccountingPeriod& period) {
  return FileExists(MonthFilePath(data_dir, period.first)) ||
         FileExists(MonthFilePath(data_dir, period.last));
}

MonthTotal ComputeMonthTotal(const std::filesystem::path& data_dir, const Date& date,
                             int closing_day, const EntryKindOf& kind_of, bool spending_only) {
  const AccountingPeriod period = PeriodOf(date, closing_day);
  if (!PeriodHasMonthFile(data_dir, period)) return {MoneySum(), "Total \\0 /Month"};
  const MoneySum sum = SumPeriod(data_dir, period, kind_of, spending_only);
  return {sum, MonthTotalText(sum, spending_only)};
}

std::string DayTotalText(MoneySum sum, bool spending_only) {
  return (spending_only ? "Total Spent " : "Sub Total ") + MoneyDisplayText(sum) + " /Day";
}

std::string MonthTotalText(MoneySum sum, bool spending_only) {
  return (spending_only ? "Total Spent " : "Total ") + MoneyDisplayText(sum) + " /Month";
}

}  // namespace purselog
