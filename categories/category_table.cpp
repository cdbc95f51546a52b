#include "categories/category_table.h"

#include "core/text_codec.h"

namespace purselog {

namespace {

const std::vector<std::string> kNoDescriptions;

}  // namespace

const std::array<std::string, kCategoryFileColumns>& CategoryHeaderTexts() {
  static const std::array<std::string, kCategoryFileColumns> headers = [] {
    std::array<std::string, kCategoryFileColumns> texts;
    texts[0] = Utf8ToCp932("支出/収入");
    texts[1] = Utf8ToCp932("費目");
    for (int n = 1; n <= kMaxDescriptionPresets; ++n) {
      texts[static_cast<std::size_t>(n + 1)] = Utf8ToCp932("摘要" + std::to_string(n));
    }
    return texts;
  }();
  return headers;
}

const std::string& IncomeKindText() {
  static const std::string text = Utf8ToCp932("収入");
  return text;
}

const std::string& ExpenseKindText() {
  static const std::string text = Utf8ToCp932("支出");
  return text;
}

CategoryTable CategoryTable::FromGrid(const GridTable& grid) {
  CategoryTable table;
  for (int k = 0; k < kMaxCategories; ++k) {
    const int row = k + 1;
    const std::string& name = grid.Cell(1, row);
    // A row without a name or without a first preset ends the table.
    if (name.empty() || grid.Cell(2, row).empty()) break;
    table.names_.push_back(name);
    table.name_keys_.push_back(FoldCaseKey(name));
    table.income_flags_.push_back(grid.Cell(0, row) == IncomeKindText());
  }
  for (int k = 0; k < kMaxCategories; ++k) {
    std::vector<std::string>& list = table.descriptions_[static_cast<std::size_t>(k)];
    for (int column = 2; column < kCategoryFileColumns; ++column) {
      const std::string& preset = grid.Cell(column, k + 1);
      if (preset.empty()) break;
      list.push_back(preset);
    }
  }
  return table;
}

bool CategoryTable::IncomeFlag(int index) const {
  return index >= 0 && index < size() && income_flags_[static_cast<std::size_t>(index)];
}

const std::vector<std::string>& CategoryTable::DescriptionList(int index) const {
  if (index < 0 || index >= kMaxCategories) return kNoDescriptions;
  return descriptions_[static_cast<std::size_t>(index)];
}

ExactNameIndex::ExactNameIndex(const std::vector<std::string>& names)
    : names_(names), next_same_(names.size()) {
  for (std::size_t k = 0; k < names.size(); ++k) {
    next_same_[k] = FindExactName(names, names[k], k + 1);
  }
  slots_.fill(-1);
  small_ = names.size() * 3 < kSlots;
  if (!small_) return;
  for (std::size_t k = 0; k < names.size(); ++k) {
    if (FindExactName(names, names[k]) != k) continue;  // a repeated name: the first one stands
    std::size_t slot = SlotOf(names[k]);
    while (slots_[slot] >= 0) slot = (slot + 1) % kSlots;
    slots_[slot] = static_cast<std::int16_t>(k);
  }
}

int CategoryTable::FindCategory(std::string_view text) const {
  if (const auto cached = lookups_.find(text); cached != lookups_.end()) return cached->second;
  int found = -1;
  const std::string folded = FoldCaseKey(text);
  for (std::size_t k = 0; k < name_keys_.size(); ++k) {
    if (name_keys_[k] == folded) {
      found = static_cast<int>(k);
      break;
    }
  }
  lookups_.emplace(std::string(text), found);
  return found;
}

EntryKind CategoryTable::KindOf(std::string_view category) const {
  const int k = FindCategory(category);
  if (k < 0) return EntryKind::kNone;
  return IncomeFlag(k) ? EntryKind::kIncome : EntryKind::kExpense;
}

EntryKindOf CategoryTable::KindFunction() const {
  return [this](std::string_view category) { return KindOf(category); };
}

CategoryTable LoadCategories(const std::filesystem::path& category_file) {
  GridTable grid(kCategoryFileColumns, 0);
  LoadGridFile(category_file, grid);
  return CategoryTable::FromGrid(grid);
}

}  // namespace purselog
