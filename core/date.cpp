#include "core/date.h"

#include <cstdio>

namespace purselog {

using std::chrono::day;
using std::chrono::days;
using std::chrono::month;
using std::chrono::sys_days;
using std::chrono::weekday;
using std::chrono::year;

Date MakeDate(int y, unsigned m, unsigned d) { return Date{year{y}, month{m}, day{d}}; }

int YearOf(const Date& date) { return static_cast<int>(date.year()); }
unsigned MonthOf(const Date& date) { return static_cast<unsigned>(date.month()); }
unsigned DayOf(const Date& date) { return static_cast<unsigned>(date.day()); }

bool IsLeapYear(int y) { return year{y}.is_leap(); }

unsigned DaysInMonth(int y, unsigned m) {
  return static_cast<unsigned>(
      std::chrono::year_month_day_last{year{y}, std::chrono::month_day_last{month{m}}}.day());
}

Date AddDays(const Date& date, int n) { return Date{sys_days{date} + days{n}}; }

unsigned WeekdayIndex(const Date& date) { return weekday{sys_days{date}}.c_encoding(); }

namespace {

// "yyyymm" or "yyyymmdd" for years 0 to 9999 (every date of a month file), digit by digit.
std::string Key(const Date& date, bool with_day) {
  const int year = YearOf(date);
  const unsigned month = MonthOf(date);
  const unsigned day = DayOf(date);
  if (year < 0 || year > 9999 || month > 99 || day > 99) {
    char buf[32];
    if (with_day) {
      std::snprintf(buf, sizeof buf, "%04d%02u%02u", year, month, day);
    } else {
      std::snprintf(buf, sizeof buf, "%04d%02u", year, month);
    }
    return buf;
  }
  const char digits[] = {
      static_cast<char>('0' + year / 1000),    static_cast<char>('0' + year / 100 % 10),
      static_cast<char>('0' + year / 10 % 10), static_cast<char>('0' + year % 10),
      static_cast<char>('0' + month / 10),     static_cast<char>('0' + month % 10),
      static_cast<char>('0' + day / 10),       static_cast<char>('0' + day % 10)};
  return std::string(digits, with_day ? 8 : 6);
}

}  // namespace

std::string DateKey(const Date& date) { return Key(date, true); }

std::string MonthKey(const Date& date) { return Key(date, false); }

long DateKeyValue(const Date& date) {
  return static_cast<long>(YearOf(date)) * 10000 + MonthOf(date) * 100 + DayOf(date);
}

std::optional<Date> ParseDateKey(std::string_view key) {
  if (key.size() != 8) return std::nullopt;
  int value[3] = {0, 0, 0};
  const int widths[3] = {4, 2, 2};
  std::size_t pos = 0;
  for (int part = 0; part < 3; ++part) {
    for (int i = 0; i < widths[part]; ++i, ++pos) {
      const char c = key[pos];
      if (c < '0' || c > '9') return std::nullopt;
      value[part] = value[part] * 10 + (c - '0');
    }
  }
  const Date date =
      MakeDate(value[0], static_cast<unsigned>(value[1]), static_cast<unsigned>(value[2]));
  // A real day has a year from 1: "0000" names none.
  if (!date.ok() || value[0] < 1) return std::nullopt;
  return date;
}

}  // namespace purselog
