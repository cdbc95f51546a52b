// The category table: which category texts exist, which are incomes, and which descriptions
// each offers. Read from setting.dat (a grid file of 20 columns: kind, name, 18 description
// presets; row 0 is the header). Texts are Shift_JIS bytes.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
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

// The first index from `from` on whose name equals `text` byte for byte (letter case matters),
// or names.size(). Readers of month files look up every line's category with it: names that
// differ in length or in their first or last byte are passed over without a byte compare.
inline std::size_t FindExactName(const std::vector<std::string>& names, std::string_view text,
                                 std::size_t from = 0) {
  for (std::size_t k = from; k < names.size(); ++k) {
    const std::string& name = names[k];
    if (name.size() != text.size()) continue;
    if (!text.empty() && (name.front() != text.front() || name.back() != text.back())) continue;
    if (name == text) return k;
  }
  return names.size();
}

// The names of a table looked up byte for byte by a small hash table, for the readers that look
// up the category of every line of a month file. Refers to `names`, which must outlive it.
class ExactNameIndex {
 public:
  explicit ExactNameIndex(const std::vector<std::string>& names);
  // FindExactName(names, text): the first index whose name equals `text`, or names.size().
  std::size_t Find(std::string_view text) const {
    if (!small_) return FindExactName(names_, text);
    for (std::size_t slot = SlotOf(text); slots_[slot] >= 0; slot = (slot + 1) % kSlots) {
      const auto k = static_cast<std::size_t>(slots_[slot]);
      if (SameBytes(names_[k], text)) return k;
    }
    return names_.size();
  }
  // The next index after `k` with the same name as name k, or names.size().
  std::size_t Next(std::size_t k) const { return next_same_[k]; }

 private:
  static constexpr std::size_t kSlots = 64;  // a power of two, above three times the names
  static std::size_t SlotOf(std::string_view text) {
    auto hash = static_cast<std::uint32_t>(text.size());
    if (!text.empty()) {
      hash = hash * 131 + static_cast<unsigned char>(text.front());
      hash = hash * 131 + static_cast<unsigned char>(text.back());
      hash = hash * 131 + static_cast<unsigned char>(text[text.size() / 2]);
    }
    return (hash * 2654435761u) >> 26;  // the top six bits: kSlots == 64
  }
  // a == b for the short texts of category names, in two overlapping loads where they fit.
  static bool SameBytes(std::string_view a, std::string_view b) {
    const std::size_t size = a.size();
    if (size != b.size()) return false;
    if (size >= 8 && size <= 16) {
      std::uint64_t x[2], y[2];
      std::memcpy(&x[0], a.data(), 8);
      std::memcpy(&y[0], b.data(), 8);
      std::memcpy(&x[1], a.data() + size - 8, 8);
      std::memcpy(&y[1], b.data() + size - 8, 8);
      return x[0] == y[0] && x[1] == y[1];
    }
    if (size >= 4 && size < 8) {
      std::uint32_t x[2], y[2];
      std::memcpy(&x[0], a.data(), 4);
      std::memcpy(&y[0], b.data(), 4);
      std::memcpy(&x[1], a.data() + size - 4, 4);
      std::memcpy(&y[1], b.data() + size - 4, 4);
      return x[0] == y[0] && x[1] == y[1];
    }
    return a == b;
  }
  const std::vector<std::string>& names_;
  // Open addressing: the index of the first name of each distinct text, -1 for an empty slot.
  std::array<std::int16_t, kSlots> slots_;
  std::vector<std::size_t> next_same_;
  bool small_ = true;  // false: too many names for the slots, every lookup scans
};

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
  // text -> FindCategory result, looked up without copying the text.
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>()(text);
    }
  };
  mutable std::unordered_map<std::string, int, TextHash, std::equal_to<>> lookups_;
};

// LoadCategories: reads the category file into a fresh 20-column table. Throws GridFileError
// with the reader's message.
CategoryTable LoadCategories(const std::filesystem::path& category_file);

}  // namespace purselog
