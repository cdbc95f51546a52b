// Month files: data/yyyymm.csv, one per calendar month, one entry per line (date key, category,
// description, amount, memo) in the comma-text dialect, lines ended by CR LF. The day operations
// touch only the lines of their own day and keep every other line byte for byte.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/date.h"
#include "ledger/day_page.h"

namespace purselog {

std::filesystem::path MonthFilePath(const std::filesystem::path& data_dir, const Date& date);

// The page of `date` from its month file; an empty page when the file does not exist.
// Throws FileError when the file exists but cannot be read.
DayPage LoadDayPage(const std::filesystem::path& data_dir, const Date& date);

// Writes the page into the month file of `date`: every line of that day is removed wherever it
// stands, then the page's complete rows are appended. The lines of a file end at its first NUL
// byte; the bytes from there on are written back after the lines, unchanged. The file is written on
// every call (a file of zero bytes for a month with nothing in it), atomically; throws FileError
// and leaves the file as it was when it cannot be read or written.
void SaveDayPage(const std::filesystem::path& data_dir, const Date& date, const DayPage& page);

// The same two operations on a month file's bytes (nullopt: no such file), for a caller that
// writes several days of one month at once; MonthWithDayPage gives the bytes SaveDayPage writes.
DayPage DayPageOfMonth(const std::optional<std::string>& month_bytes, const Date& date);
std::string MonthWithDayPage(const std::optional<std::string>& month_bytes, const Date& date,
                             const DayPage& page);
// Several days of one month (distinct dates of that month), in one pass: each day's page as
// LoadDayPage gives it is handed to `edit`, then written as SaveDayPage would write it, the days
// in the given order. The bytes come out exactly as those loads and saves in turn leave them.
std::string MonthWithEditedDays(const std::optional<std::string>& month_bytes,
                                const std::vector<Date>& days,
                                const std::function<void(std::size_t day, DayPage& page)>& edit);

}  // namespace purselog
