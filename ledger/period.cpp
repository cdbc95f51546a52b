#include "ledger/period.h"

#include <stdexcept>

#include "core/decimal_integer.h"

namespace purselog {

namespace {

// Day `day` of the month `months` away from the month of `date`.
Date DayOfMonthAway(const Date& date, int months, unsigned day) {
  const std::chrono::year_month shifted =
      std::chrono::year_month{date.year(), date.month()} + std::chrono::months{months};
  return Date{shifted.year(), shifted.month(), std::chrono::day{day}};
}

}  // namespace

bool IsValidClosingDay(int closing_day) {
  return closing_day >= 0 && closing_day <= kMaxClosingDay;
}

AccountingPeriod PeriodOf(const Date& date, int closing_day) {
  if (!IsValidClosingDay(closing_day)) throw std::invalid_argument("closing day out of range");
  if (closing_day == 0) {
    return {DayOfMonthAway(date, 0, 1),
            DayOfMonthAway(date, 0, DaysInMonth(YearOf(date), MonthOf(date)))};
  }
  const auto n = static_cast<unsigned>(closing_day);
  if (DayOf(date) > n) return {DayOfMonthAway(date, 0, n + 1), DayOfMonthAway(date, 1, n)};
  // The day after the preceding month's closing date (1 March after 28 February).
  return {AddDays(DayOfMonthAway(date, -1, n), 1), DayOfMonthAway(date, 0, n)};
}

ClosingDayEntry ReadClosingDayText(std::string_view text) {
  const std::optional<std::int64_t> value = ParseDecimalInteger(text);
  if (!value) return {std::nullopt, "半角数字で1日から28日の間を指定してください"};
  if (*value < 1 || *value > kMaxClosingDay)
    return {std::nullopt, "1日から28日の間を指定してください"};
  return {static_cast<int>(*value), {}};
}

}  // namespace purselog
