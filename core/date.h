// Calendar dates of the account book: a day without time, its keys "yyyymmdd" and "yyyymm",
// day steps and month lengths. Gregorian calendar throughout.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace purselog {

using Date = std::chrono::year_month_day;

// Builds a date from numbers; the result may be invalid (check with .ok()).
Date MakeDate(int year, unsigned month, unsigned day);

int YearOf(const Date& date);
unsigned MonthOf(const Date& date);
unsigned DayOf(const Date& date);

bool IsLeapYear(int year);
// 28 to 31.
unsigned DaysInMonth(int year, unsigned month);

// `date` moved by `days` (negative moves back); `date` must be valid.
Date AddDays(const Date& date, int days);

// 0 = Sunday ... 6 = Saturday.
unsigned WeekdayIndex(const Date& date);

// "yyyymmdd", zero-padded.
std::string DateKey(const Date& date);
// "yyyymm", zero-padded.
std::string MonthKey(const Date& date);
// The DateKey as a number, for range comparisons of keys.
long DateKeyValue(const Date& date);

// Reads "yyyymmdd" (exactly eight digits naming a valid day of a year from 1); nullopt otherwise.
std::optional<Date> ParseDateKey(std::string_view key);

}  // namespace purselog
