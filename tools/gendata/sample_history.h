// A made-up household's account book: years of day pages in the categories of a category table,
// with the amounts, rhythms and incomes of a real household (rent and salary once a month,
// groceries most days, utilities by the season, a bonus twice a year). For people who want to
// see the reports filled, and for the benchmarks. The same seed gives the same bytes on every
// machine, and each month depends only on the seed, the table and the month itself, so a longer
// history holds the same months as a shorter one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "categories/category_table.h"
#include "core/date.h"
#include "ledger/day_page.h"

namespace purselog {

struct SampleHistoryOptions {
  Date first_day;  // the first and last day with entries, inclusive
  Date last_day;
  std::uint64_t seed = 1;
};

// The options for `years` whole calendar months' worth of history (12 × years month files)
// that ends on `last_day`.
SampleHistoryOptions YearsUntil(int years, const Date& last_day, std::uint64_t seed = 1);

// One save of a day page: its complete rows, in the order they were typed.
struct SampleDay {
  Date date;
  DayPage page;
};

// The saves of one calendar month, in the order the household made them: day after day, now
// and then a day entered after the next one. Only days from first_day to last_day, each once.
std::vector<SampleDay> SampleMonth(const CategoryTable& table, int year, unsigned month,
                                   const SampleHistoryOptions& options);

// Calls `visit` with each month from the first day's to the last day's and its saves.
void ForEachSampleMonth(
    const CategoryTable& table, const SampleHistoryOptions& options,
    const std::function<void(int year, unsigned month, const std::vector<SampleDay>&)>& visit);

// The bytes of the month file that SaveDayPage leaves after the month's saves, made without it.
std::string MonthFileBytes(const std::vector<SampleDay>& saves);

struct SampleHistoryCount {
  int month_files = 0;
  long entries = 0;
};

// Writes the month files of the history into `data_dir` (made when missing), through the
// atomic writer. Refuses, with AppError and before writing anything, when the directory already
// holds a month file: the history is for an empty account book and never replaces entries.
SampleHistoryCount WriteSampleHistory(const std::filesystem::path& data_dir,
                                      const CategoryTable& table,
                                      const SampleHistoryOptions& options);

// The same entries as a journal for the plain-text accounting tool `ledger` (UTF-8): one
// transaction per entry, dated, with the description as payee and the memo as a note, the amount
// on "Expenses:<category>" (or "Income:<category>", negative, as ledger counts incomes) against
// "Assets:Wallet". Account names keep the category's text with every ':' and blank as '_'.
std::string LedgerJournal(const CategoryTable& table, const SampleHistoryOptions& options);

// The journal's account of the entries of `category` (Shift_JIS): "Income:<name>" for an income
// category, else "Expenses:<name>", the name in UTF-8 with every ':' and blank as '_'.
std::string LedgerAccount(const CategoryTable& table, std::string_view category);

}  // namespace purselog
