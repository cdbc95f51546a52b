#include "core/calendar_layout.h"

#include <gtest/gtest.h>

#include <string>

#include "core/decimal_integer.h"

namespace purselog {
namespace {

constexpr int kSunday = 0;

// The day rows of a month as text, "." for an empty cell, one line per row.
std::string Picture(const MonthLayout& layout) {
  std::string picture;
  for (int row = 1; row <= kCalendarDayRows; ++row) {
    for (int column = 0; column < kCalendarColumns; ++column) {
      const unsigned day = layout.DayAt(column, row);
      picture += day == 0 ? " ." : (day < 10 ? " " : "") + std::to_string(day);
      picture += column < kCalendarColumns - 1 ? " " : "\n";
    }
  }
  return picture;
}

TEST(MonthLayout, FebruaryFollowsTheLeapRule) {
  EXPECT_EQ(MonthLayout(2024, 2, kSunday).days(), 29u);
  EXPECT_EQ(MonthLayout(2100, 2, kSunday).days(), 28u);
  EXPECT_EQ(MonthLayout(2000, 2, kSunday).days(), 29u);
  EXPECT_EQ(MonthLayout(2023, 2, kSunday).days(), 28u);
  // The last day is shown and nothing after it.
  const MonthLayout february2024(2024, 2, kSunday);  // the 1st is a Thursday
  EXPECT_EQ(february2024.CellOf(29), (CalendarCell{4, 5}));
  EXPECT_EQ(february2024.DayAt(4, 5), 29u);
  EXPECT_EQ(february2024.DayAt(5, 5), 0u);
  const MonthLayout february2100(2100, 2, kSunday);  // the 1st is a Monday
  EXPECT_EQ(february2100.CellOf(1), (CalendarCell{1, 1}));
  EXPECT_EQ(february2100.DayAt(0, 5), 28u);
  EXPECT_EQ(february2100.DayAt(1, 5), 0u);
  const MonthLayout february2000(2000, 2, kSunday);  // the 1st is a Tuesday
  EXPECT_EQ(february2000.DayAt(2, 5), 29u);
  EXPECT_EQ(february2000.DayAt(3, 5), 0u);
}

TEST(MonthLayout, AMonthStartingOnSaturdayPutsDayOneLastAndUsesSixRows) {
  EXPECT_EQ(Picture(MonthLayout(2026, 8, kSunday)),
            " .  .  .  .  .  .  1\n"
            " 2  3  4  5  6  7  8\n"
            " 9 10 11 12 13 14 15\n"
            "16 17 18 19 20 21 22\n"
            "23 24 25 26 27 28 29\n"
            "30 31  .  .  .  .  .\n");
  EXPECT_EQ(MonthLayout(2026, 8, kSunday).offset(), -5);
  EXPECT_EQ(MonthLayout(2026, 8, kSunday).RowsUsed(), 6);
  // Thirty days starting on a Saturday need the sixth row for the 30th alone.
  const MonthLayout june2024(2024, 6, kSunday);
  EXPECT_EQ(june2024.CellOf(1), (CalendarCell{6, 1}));
  EXPECT_EQ(june2024.CellOf(30), (CalendarCell{0, 6}));
  EXPECT_EQ(june2024.RowsUsed(), 6);
  // Twenty-eight days starting on a Saturday stop in row 5.
  EXPECT_EQ(MonthLayout(2025, 2, kSunday).RowsUsed(), 5);
}

TEST(MonthLayout, AMonthStartingOnSundayPutsDayOneFirst) {
  EXPECT_EQ(Picture(MonthLayout(2026, 2, kSunday)),
            " 1  2  3  4  5  6  7\n"
            " 8  9 10 11 12 13 14\n"
            "15 16 17 18 19 20 21\n"
            "22 23 24 25 26 27 28\n"
            " .  .  .  .  .  .  .\n"
            " .  .  .  .  .  .  .\n");
  EXPECT_EQ(MonthLayout(2026, 2, kSunday).offset(), 1);
  EXPECT_EQ(MonthLayout(2026, 2, kSunday).RowsUsed(), 4);
  EXPECT_EQ(MonthLayout(2024, 9, kSunday).CellOf(1), (CalendarCell{0, 1}));
}

// Every month of four centuries: day 1 in row 1 under its own weekday, every day once, in order.
TEST(MonthLayout, EveryDayLiesUnderItsWeekdayForEveryStartOfWeek) {
  for (int start = 0; start < 7; ++start) {
    for (int year = 2000; year < 2400; ++year) {
      for (unsigned month = 1; month <= 12; ++month) {
        const MonthLayout layout(year, month, start);
        ASSERT_EQ(layout.CellOf(1).row, 1) << year << "/" << month << " start " << start;
        unsigned expected = 1;
        for (int row = 1; row <= kCalendarDayRows; ++row) {
          for (int column = 0; column < kCalendarColumns; ++column) {
            const unsigned day = layout.DayAt(column, row);
            if (day == 0) continue;
            ASSERT_EQ(day, expected) << year << "/" << month;
            ASSERT_EQ(layout.WeekdayOfColumn(column), WeekdayIndex(MakeDate(year, month, day)))
                << year << "/" << month << "/" << day << " start " << start;
            ++expected;
          }
        }
        ASSERT_EQ(expected, layout.days() + 1) << year << "/" << month;
      }
    }
  }
}

TEST(MonthLayout, TheHeadingRowAndCellsOutsideTheGridAreEmpty) {
  const MonthLayout layout(2024, 3, kSunday);  // 31 days from a Friday: all six rows
  EXPECT_EQ(layout.DayAt(5, 1), 1u);
  EXPECT_EQ(layout.DayAt(0, 6), 31u);
  for (int column = 0; column < kCalendarColumns; ++column) EXPECT_EQ(layout.DayAt(column, 0), 0u);
  EXPECT_EQ(layout.DayAt(-1, 2), 0u);
  EXPECT_EQ(layout.DayAt(7, 2), 0u);
  EXPECT_EQ(layout.DayAt(1, 7), 0u);
  EXPECT_EQ(layout.WeekdayOfColumn(0), 0u);
  EXPECT_EQ(layout.WeekdayOfColumn(6), 6u);
  // Monday first: Sunday moves to the last column.
  EXPECT_EQ(MonthLayout(2024, 3, 1).WeekdayOfColumn(6), 0u);
  EXPECT_EQ(MonthLayout(2024, 9, 1).CellOf(1), (CalendarCell{6, 1}));
}

TEST(MonthSteps, KeepTheDayOrClampItToTheMonthEnd) {
  EXPECT_EQ(PreviousMonthDay(MakeDate(2024, 3, 31)), MakeDate(2024, 2, 29));
  EXPECT_EQ(PreviousMonthDay(MakeDate(2023, 3, 31)), MakeDate(2023, 2, 28));
  EXPECT_EQ(PreviousMonthDay(MakeDate(2100, 3, 30)), MakeDate(2100, 2, 28));
  EXPECT_EQ(NextMonthDay(MakeDate(2024, 1, 31)), MakeDate(2024, 2, 29));
  EXPECT_EQ(NextMonthDay(MakeDate(2023, 1, 31)), MakeDate(2023, 2, 28));
  EXPECT_EQ(PreviousMonthDay(MakeDate(2024, 5, 31)), MakeDate(2024, 4, 30));
  EXPECT_EQ(NextMonthDay(MakeDate(2024, 3, 31)), MakeDate(2024, 4, 30));
  EXPECT_EQ(NextMonthDay(MakeDate(2024, 2, 29)), MakeDate(2024, 3, 29));
  EXPECT_EQ(NextMonthDay(MakeDate(2024, 6, 15)), MakeDate(2024, 7, 15));
  EXPECT_EQ(NextMonthDay(MakeDate(2024, 12, 31)), MakeDate(2025, 1, 31));
  EXPECT_EQ(PreviousMonthDay(MakeDate(2025, 1, 1)), MakeDate(2024, 12, 1));
  EXPECT_EQ(PreviousMonthDay(MakeDate(2025, 1, 31)), MakeDate(2024, 12, 31));
}

TEST(CalendarCellSize, SharesTheExtentLessTheGridLinesRoundingDown) {
  EXPECT_EQ(CalendarCellSize(230, 1), 32);  // 7 × 32 + 6
  EXPECT_EQ(CalendarCellSize(236, 1), 32);
  EXPECT_EQ(CalendarCellSize(237, 1), 33);
  EXPECT_EQ(CalendarCellSize(146, 2), 19);  // (146 - 12) / 7 = 19.14
  EXPECT_EQ(CalendarCellSize(5, 1), 0);
  EXPECT_EQ(CalendarCellSize(0, 1), 0);
}

TEST(ParseDecimalInteger, ReadsBlanksSignAndHalfWidthDigitsToTheEnd) {
  EXPECT_EQ(ParseDecimalInteger("25"), 25);
  EXPECT_EQ(ParseDecimalInteger("   7"), 7);
  EXPECT_EQ(ParseDecimalInteger(" -3"), -3);
  EXPECT_EQ(ParseDecimalInteger("+28"), 28);
  EXPECT_EQ(ParseDecimalInteger("0029"), 29);
  EXPECT_EQ(ParseDecimalInteger("0"), 0);
  EXPECT_EQ(ParseDecimalInteger("-0"), 0);
  // Too long for any integer type: still a number, and far outside any range of days.
  EXPECT_EQ(ParseDecimalInteger("99999999999999999999999"), INT64_MAX);
  EXPECT_EQ(ParseDecimalInteger("-99999999999999999999999"), -INT64_MAX);
  EXPECT_EQ(ParseDecimalInteger("9223372036854775807"), INT64_MAX);
  EXPECT_EQ(ParseDecimalInteger("9223372036854775806"), INT64_MAX - 1);
  const std::string full_width_25 = "\x82\x51\x82\x54";  // "２５" in Shift_JIS
  for (const std::string& no :
       {std::string(""), std::string(" "), std::string("25 "), std::string("2 5"), std::string("+"),
        std::string("-"), std::string(" - 3"), std::string("--3"), std::string("1a"),
        std::string("abc"), std::string("$1F"), std::string("2.5"), std::string("\t25"),
        std::string("25\r"), full_width_25,
        std::string("\x81\x40"
                    "25")}) {
    EXPECT_FALSE(ParseDecimalInteger(no).has_value()) << '"' << no << '"';
  }
}

}  // namespace
}  // namespace purselog
