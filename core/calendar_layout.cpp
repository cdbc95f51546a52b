#include "core/calendar_layout.h"

#include <algorithm>

namespace purselog {

MonthLayout::MonthLayout(int year, unsigned month, int start_of_week)
    : year_(year),
      month_(month),
      start_of_week_(((start_of_week % 7) + 7) % 7),
      days_(DaysInMonth(year, month)) {
  // The weekday of the 1st counted 1 = Sunday to 7 = Saturday, so that a is its distance from
  // the start of the week, 0 meaning the 1st falls on the start of the week itself.
  const int first_weekday = static_cast<int>(WeekdayIndex(MakeDate(year, month, 1))) + 1;
  const int a = (first_weekday - start_of_week_ + 7) % 7;
  offset_ = a == 0 ? -5 : 2 - a;
}

unsigned MonthLayout::WeekdayOfColumn(int column) const {
  return static_cast<unsigned>((column + start_of_week_) % 7);
}

unsigned MonthLayout::DayAt(int column, int row) const {
  if (column < 0 || column >= kCalendarColumns || row < 1 || row > kCalendarDayRows) return 0;
  const int day = offset_ + column + kCalendarColumns * (row - 1);
  if (day < 1 || day > static_cast<int>(days_)) return 0;
  return static_cast<unsigned>(day);
}

CalendarCell MonthLayout::CellOf(unsigned day) const {
  const int position = static_cast<int>(day) - offset_;
  return {position % kCalendarColumns, position / kCalendarColumns + 1};
}

int MonthLayout::RowsUsed() const { return CellOf(days_).row; }

Date PreviousMonthDay(const Date& date) {
  // The 1st of the month, one day back: the last day of the month before.
  const Date last = AddDays(MakeDate(YearOf(date), MonthOf(date), 1), -1);
  return MakeDate(YearOf(last), MonthOf(last), std::min(DayOf(date), DayOf(last)));
}

Date NextMonthDay(const Date& date) {
  // The last day of the month, one day on: the 1st of the month after.
  const Date first =
      AddDays(MakeDate(YearOf(date), MonthOf(date), DaysInMonth(YearOf(date), MonthOf(date))), 1);
  const unsigned days = DaysInMonth(YearOf(first), MonthOf(first));
  return MakeDate(YearOf(first), MonthOf(first), std::min(DayOf(date), days));
}

int CalendarCellSize(int extent, int line_width, int count) {
  if (count <= 0) return 0;
  const int free = extent - (count - 1) * line_width;
  return free <= 0 ? 0 : free / count;
}

}  // namespace purselog
