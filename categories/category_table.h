// The category table: which category texts exist, which are incomes, and which descriptions
// each offers. Read from setting.dat (a grid file of 20 columns: kind, name, 18 description
// presets; row 0 is the header). Texts are Shift_JIS bytes.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "categories/grid_file.h"
#include "ledger/entry_kind.h"

namespace purselog {

constexpr int kCategoryFileColumns = 20;
constexpr int kMaxCategories = 20;          // rows 1 to 20 are read
constexpr int kMaxDescriptionPresets = 18;  // columns 2 to 19
constexpr int kBuiltinCategoryCount = 11;   // rows 1 to 11, with built-in icons

// The header row of setting.dat: "支出/収入", "費目", "摘要1" ... "摘要18" (Shift_JIS).
const std::array<std::string, kCategoryFileColumns>& CategoryHeaderTexts();
// "収入", the kind cell of an income category (Shift_JIS).
const std::string& IncomeKindText();
// "支出", the kind cell of an expense category (Shift_JIS).
const std::string& ExpenseKindText();

class CategoryTable {
 public:
  CategoryTable() = default;
  // Rows 1 to 20 of the table: names while a row has a name and a first preset, description
  // lists for every row whatever stopped the names.
  static CategoryTable FromGrid(const GridTable& grid);

  const std::vector<std::string>& names() const { return names_; }
  int size() const { return static_cast<int>(names_.size()); }
  bool IncomeFlag(int index) const;
  // The non-empty presets of row index + 1, in column order; empty outside 0 to 19.
  const std::vector<std::string>& DescriptionList(int index) const;

  // The index of the first name equal to `text` ignoring letter case, or -1.
  int FindCategory(std::string_view text) const;
  EntryKind KindOf(std::string_view category) const;
  // KindOf as a function the totals take; it refers to this table, which must outlive it.
  EntryKindOf KindFunction() const;

 private:
  std::vector<std::string> names_;
  std::vector<std::string> name_keys_;  // FoldCaseKey of each name
  std::vector<bool> income_flags_;
  std::array<std::vector<std::string>, kMaxCategories> descriptions_;
  mutable std::unordered_map<std::string, int> lookups_;  // text -> FindCategory result
};

// LoadCategories: reads the category file into a fresh 20-column table. Throws GridFileError
// with the reader's message.
CategoryTable LoadCategories(const std::filesystem::path& category_file);

}  // namespace purselog
