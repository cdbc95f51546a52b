// Accounting months. A closing day N of 1 to 28 ends the accounting month on day N of each
// month; 0 means calendar months.
#pragma once

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

}  // namespace purselog
