// Date texts shown to the user, as Shift_JIS bytes, with the fixed Japanese locale: date
// separator "/", one-character weekday names 日 月 火 水 木 金 土.
#pragma once

#include <string>

#include "core/date.h"

namespace purselog {

// The short weekday name of the date ("日" for Sunday ... "土").
const std::string& ShortWeekdayName(unsigned weekday_index);
// "yyyy/mm/dd (aaa)", e.g. "2024/01/05 (金)": the date label of the day page.
std::string DateLabelText(const Date& date);
// 'yyyy"年"m"月"d"日"', e.g. "2001年3月26日"; the year has four digits ("0999年1月2日").
std::string JapaneseDateText(const Date& date);
// 'yyyy"年"m"月"d"日 "ddd', e.g. "2024年2月29日 木": the title line of the calendar.
std::string CalendarTitleText(const Date& date);

}  // namespace purselog
