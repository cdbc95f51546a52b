// The CSV export of one calendar month for a spreadsheet: the month file's lines in date order,
// with expenses and incomes told apart by a minus sign on one of them or by separate columns.
// Amounts are copied as stored, never reformatted or summed; no header row.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/date.h"
#include "ledger/entry_kind.h"

namespace purselog {

enum class ExportMode {
  kExpenseNegative = 1,  // "支出を－、収入を＋とする。"
  kIncomeNegative = 2,   // "支出を＋、収入を－とする。"
  kSeparateColumns = 3,  // "支出、収入をカラム分けして書き出し"
};

// The lines of the month file of the calendar month of `date` (whatever the closing day), in the
// order of the search index; none when the month has no file. Throws FileError.
std::vector<std::string> ReadExportLines(const std::filesystem::path& data_dir, const Date& date);

// The lines to write for `sorted_lines`.
// - kExpenseNegative / kIncomeNegative: the lines in their order; an expense (income) line gets
//   "-" before its amount, as text, and is joined anew; every other line, and a line without an
//   amount field, stays as read.
// - kSeparateColumns: newest line first, each as the six columns date key, category,
//   description, expense amount, income amount, memo. A line of no kind has both amount columns
//   empty; fields a line lacks are empty.
std::vector<std::string> ExportLines(const std::vector<std::string>& sorted_lines, ExportMode mode,
                                     const EntryKindOf& kind_of);

// Writes the export lines to `path`, replacing the file, atomically. A month file of the data
// directory (a name of six digits and ".csv" there, also when reached through a link) is refused
// with AppError: the export changes no month file. Throws FileError when the file cannot be
// written.
void WriteExportFile(const std::filesystem::path& data_dir, const std::filesystem::path& path,
                     const std::vector<std::string>& lines);

// The name the save dialog proposes: the month key and ".csv", e.g. "202403.csv".
std::string ExportFileName(const Date& date);

}  // namespace purselog
