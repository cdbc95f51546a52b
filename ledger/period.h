// Accounting months. A closing day N of 1 to 28 ends the accounting month on day N of each
// month; 0 means calendar months.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/date.h"

namespace purselog {

constexpr int kMaxClosingDay = 28;

struct AccountingPeriod {
  Date first;  // inclusive
  Date last;   // inclusive
  friend bool operator==(const AccountingPeriod&, const AccountingPeriod&) = default;
};

bool IsValidClosingDay(int closing_day);

// The accounting month that contains `date`; a closing date belongs to the period that ends on
// it. `closing_day` must be valid (0 to 28).
AccountingPeriod PeriodOf(const Date& date, int closing_day);

// The closing day as typed into its dialog (Shift_JIS bytes): half-width decimal digits, after
// leading half-width blanks and an optional sign, naming 1 to 28. Otherwise no day, and the
// message (UTF-8) that says what is wrong.
struct ClosingDayEntry {
  std::optional<int> day;
  std::string message;
  friend bool operator==(const ClosingDayEntry&, const ClosingDayEntry&) = default;
};
ClosingDayEntry ReadClosingDayText(std::string_view text);

}  // namespace purselog
