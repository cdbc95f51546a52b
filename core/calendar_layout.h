// The month grid of the calendar: seven columns of weekdays, a heading row 0 and day rows 1 to
// 6, and the month steps of its previous/next buttons. Weekdays are numbered 0 = Sunday to
// 6 = Saturday; the start of the week is the weekday shown in column 0.
#pragma once

#include "core/date.h"

namespace purselog {

constexpr int kCalendarColumns = 7;
constexpr int kCalendarRows = 7;  // the heading row and six day rows
constexpr int kCalendarDayRows = 6;

// Where a day sits in the grid: column 0 to 6, row 1 to 6.
struct CalendarCell {
  int column = 0;
  int row = 0;
  friend bool operator==(const CalendarCell&, const CalendarCell&) = default;
};

// One displayed month. Day 1 lies in row 1 under its own weekday; the days follow row by row.
class MonthLayout {
 public:
  // `month` 1 to 12; `start_of_week` 0 to 6 (other values are taken modulo 7).
  MonthLayout(int year, unsigned month, int start_of_week);

  int year() const { return year_; }
  unsigned month() const { return month_; }
  int start_of_week() const { return start_of_week_; }
  unsigned days() const { return days_; }

  // The number that the cell (column 0, row 1) would show; day d lies at the cell whose
  // offset + column + 7 × (row - 1) equals d. Between -5 and 1.
  int offset() const { return offset_; }

  // The weekday shown at the head of a column.
  unsigned WeekdayOfColumn(int column) const;
  // The day shown in a cell, or 0 when the cell is empty: outside the month, the heading row,
  // or outside the grid.
  unsigned DayAt(int column, int row) const;
  // The cell of a day of the month (1 to days()).
  CalendarCell CellOf(unsigned day) const;
  // How many day rows the month occupies (4 to 6).
  int RowsUsed() const;

 private:
  int year_;
  unsigned month_;
  int start_of_week_;
  unsigned days_;
  int offset_;
};

// The same day one month earlier or later; a day that the target month lacks becomes its last
// day (31 May, previous month: 30 April). December steps to January of the next year and back.
Date PreviousMonthDay(const Date& date);
Date NextMonthDay(const Date& date);

// The size of each of `count` cells that share `extent` pixels with `count` - 1 grid lines of
// `line_width` between them, rounded down; never negative.
int CalendarCellSize(int extent, int line_width, int count = kCalendarColumns);

}  // namespace purselog
