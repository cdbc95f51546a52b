#include "categories/category_settings.h"

#include <algorithm>
#include <map>
#include <utility>

#include "ledger/day_page.h"

namespace purselog {

namespace {

constexpr int kWideColumn = 10;
constexpr int kWideColumnWidth = 87;

}  // namespace

std::string CategoryCellText(std::string_view text) {
  std::string line = SingleLineCellText(text);
  std::string kept;
  kept.reserve(line.size());
  for (const char c : line) {
    if (c == '\t') {
      kept.push_back(' ');
    } else if (static_cast<unsigned char>(c) >= 0x20) {
      kept.push_back(c);
    }
  }
  return kept;
}

int IconSlotOfRow(int row) {
  const int slot = row - kFirstUserRow;
  return slot >= 0 && slot < kIconSlotCount ? slot : -1;
}

CategorySettingsTable::CategorySettingsTable() : grid_(kCategoryFileColumns, 1), icons_(1) {
  grid_.SetColumnWidth(kWideColumn, kWideColumnWidth);
  for (int column = 0; column < kCategoryFileColumns; ++column) {
    grid_.SetCell(column, 0, CategoryHeaderTexts()[static_cast<std::size_t>(column)]);
  }
}

void CategorySettingsTable::Load(const std::filesystem::path& path) {
  GridTable loaded = grid_;
  LoadGridFile(path, loaded);
  grid_ = std::move(loaded);
  icons_.assign(static_cast<std::size_t>(grid_.rows()), IconChoice());
}

void CategorySettingsTable::Save(const std::filesystem::path& path) const {
  SaveGridFile(path, grid_);
}

bool CategorySettingsTable::IsLocked(int column, int row) const {
  if (row <= 0) return true;
  return row < kFirstUserRow && (column == kKindColumn || column == kNameColumn);
}

bool CategorySettingsTable::Edit(int column, int row, std::string_view text) {
  if (column < 0 || column >= columns() || row < 0 || row >= rows()) return false;
  if (IsLocked(column, row)) return false;
  std::string kept = CategoryCellText(text);
  if (kept == grid_.Cell(column, row)) return false;
  grid_.SetCell(column, row, std::move(kept));
  return true;
}

bool CategorySettingsTable::AddRow() {
  if (rows() >= kCategoryRowLimit) return false;
  InsertRow(rows());
  return true;
}

void CategorySettingsTable::InsertRow(int row) {
  row = std::clamp(row, 1, rows());
  std::vector<int> from;
  for (int r = 0; r < rows(); ++r) {
    if (r == row) from.push_back(-1);
    from.push_back(r);
  }
  if (row == rows()) from.push_back(-1);
  Rearrange(from);
}

CategorySettingsTable::Deletion CategorySettingsTable::DeleteRows(std::vector<int> rows) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  Deletion deletion;
  for (const int row : rows) {
    if (row < 0 || row >= this->rows()) continue;
    if (IsDeletable(row)) {
      deletion.removed.push_back(row);
    } else {
      deletion.refused = true;
    }
  }
  if (deletion.removed.empty()) return deletion;
  std::vector<int> from;
  for (int r = 0; r < this->rows(); ++r) {
    if (!std::binary_search(deletion.removed.begin(), deletion.removed.end(), r)) from.push_back(r);
  }
  Rearrange(from);
  return deletion;
}

void CategorySettingsTable::MoveRow(int from_row, int to_row) {
  if (from_row < 1 || from_row >= rows() || to_row < 1 || to_row >= rows()) return;
  if (from_row == to_row) return;
  std::vector<int> from;
  for (int r = 0; r < rows(); ++r) {
    if (r != from_row) from.push_back(r);
  }
  from.insert(from.begin() + to_row, from_row);
  Rearrange(from);
}

IconChoice CategorySettingsTable::Icon(int row) const {
  if (row < 0 || row >= static_cast<int>(icons_.size())) return {};
  return icons_[static_cast<std::size_t>(row)];
}

void CategorySettingsTable::PlaceIcons(const CategoryTable& categories,
                                       std::span<const std::string> slot_names) {
  for (int row = 1; row < rows(); ++row) {
    const int k = categories.FindCategory(grid_.Cell(kNameColumn, row));
    if (k >= 0 && k < kBuiltinCategoryCount) {
      icons_[static_cast<std::size_t>(row)] = {IconChoice::Kind::kBuiltin, k};
    }
  }
  PlaceSlotIcons(slot_names);
}

void CategorySettingsTable::PlaceSlotIcons(std::span<const std::string> slot_names) {
  const int used = std::min(static_cast<int>(slot_names.size()), kIconSlotCount);
  for (int slot = 0; slot < used; ++slot) {
    const int row = kFirstUserRow + slot;
    if (row >= rows()) break;
    icons_[static_cast<std::size_t>(row)] = slot_names[static_cast<std::size_t>(slot)].empty()
                                                ? IconChoice()
                                                : IconChoice{IconChoice::Kind::kSlot, slot};
  }
}

void CategorySettingsTable::Rearrange(const std::vector<int>& from) {
  std::map<std::pair<int, int>, std::string> old_cells = grid_.cells();
  std::vector<int> new_row_of(static_cast<std::size_t>(rows()), -1);
  std::vector<IconChoice> icons(from.size());
  for (std::size_t r = 0; r < from.size(); ++r) {
    if (from[r] < 0) continue;
    new_row_of[static_cast<std::size_t>(from[r])] = static_cast<int>(r);
    icons[r] = icons_[static_cast<std::size_t>(from[r])];
  }
  grid_.ClearCells();
  grid_.Resize(columns(), static_cast<int>(from.size()));
  for (auto& [position, text] : old_cells) {
    const int row = new_row_of[static_cast<std::size_t>(position.first)];
    if (row >= 0) grid_.SetCell(position.second, row, std::move(text));
  }
  icons_ = std::move(icons);
}

}  // namespace purselog
