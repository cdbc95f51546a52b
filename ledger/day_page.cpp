#include "ledger/day_page.h"

namespace purselog {

DayPage EmptyDayPage() { return DayPage(1); }

bool IsCompleteRow(const DayRow& row) {
  return !row[kCategoryColumn].empty() && !row[kDescriptionColumn].empty() &&
         !row[kAmountColumn].empty();
}

}  // namespace purselog
