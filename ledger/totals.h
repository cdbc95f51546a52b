// The running totals: the signed sum of an accounting period from its month files, the signed
// sum of a day page, and the texts of the month line and the day line (Shift_JIS bytes).
// Incomes count positive, expenses negative, entries of no kind not at all; in spending-only
// mode incomes are left out as well.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/date.h"
#include "core/money.h"
#include "ledger/day_page.h"
#include "ledger/entry_kind.h"
#include "ledger/period.h"

namespace purselog {

// The sign rule: the amount as it counts in a total (0 when it does not count).
Money SignedAmount(EntryKind kind, std::string_view amount_text, bool spending_only);

// Sums the lines of the period's one or two month files whose date key lies in the period.
// Missing files contribute nothing; throws FileError when a file cannot be read. Sums are exact
// (MoneySum); the day and month lines show them exactly.
MoneySum SumPeriod(const std::filesystem::path& data_dir, const AccountingPeriod& period,
                   const EntryKindOf& kind_of, bool spending_only);
MoneySum SumDayPage(const DayPage& page, const EntryKindOf& kind_of, bool spending_only);

// Whether any month file of the period exists.
bool PeriodHasMonthFile(const std::filesystem::path& data_dir, const AccountingPeriod& period);

struct MonthTotal {
  MoneySum sum;
  std::string text;  // the month line
};
// The month line of the accounting month of `date`: "Total " + amount + " /Month" ("Total
// Spent " in spending-only mode), or "Total \0 /Month" when no month file of the period exists.
MonthTotal ComputeMonthTotal(const std::filesystem::path& data_dir, const Date& date,
                             int closing_day, const EntryKindOf& kind_of, bool spending_only);

// "Sub Total " + amount + " /Day" ("Total Spent " in spending-only mode).
std::string DayTotalText(MoneySum sum, bool spending_only);
std::string MonthTotalText(MoneySum sum, bool spending_only);

}  // namespace purselog
