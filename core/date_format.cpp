#include "core/date_format.h"

#include <array>
#include <cstdio>

#include "core/text_codec.h"

namespace purselog {

const std::string& ShortWeekdayName(unsigned weekday_index) {
  static const std::array<std::string, 7> names = {
      Utf8ToCp932("日"), Utf8ToCp932("月"), Utf8ToCp932("火"), Utf8ToCp932("水"),
      Utf8ToCp932("木"), Utf8ToCp932("金"), Utf8ToCp932("土")};
  return names[weekday_index % 7];
}

std::string DateLabelText(const Date& date) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d/%02u/%02u (", YearOf(date), MonthOf(date),
                DayOf(date));
  return buffer + ShortWeekdayName(WeekdayIndex(date)) + ")";
}

std::string JapaneseDateText(const Date& date) {
  static const std::string year = Utf8ToCp932("年");
  static const std::string month = Utf8ToCp932("月");
  static const std::string day = Utf8ToCp932("日");
  char year_digits[16];  // the year always has four digits: 0999
  std::snprintf(year_digits, sizeof year_digits, "%04d", YearOf(date));
  return year_digits + year + std::to_string(MonthOf(date)) + month + std::to_string(DayOf(date)) +
         day;
}

std::string CalendarTitleText(const Date& date) {
  return JapaneseDateText(date) + " " + ShortWeekdayName(WeekdayIndex(date));
}

}  // namespace purselog
