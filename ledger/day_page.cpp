#include "ledger/day_page.h"

#include <algorithm>
#include <numeric>

#include "core/money.h"

namespace purselog {

DayPage EmptyDayPage() { return DayPage(1); }

std::string SingleLineCellText(std::string_view text) {
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
  std::string line;
  line.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\0') continue;
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      line.push_back(' ');
      continue;
    }
    line.push_back(c);
  }
  return line;
}

bool IsCompleteRow(const DayRow& row) {
  // The cells as they will be written: a cell of line breaks or NUL bytes only is written empty.
  return !SingleLineCellText(row[kCategoryColumn]).empty() &&
         !SingleLineCellText(row[kDescriptionColumn]).empty() &&
         !SingleLineCellText(row[kAmountColumn]).empty();
}

void InsertEmptyRow(DayPage& page, int row) {
  row = std::clamp(row, 0, static_cast<int>(page.size()));
  page.insert(page.begin() + row, DayRow());
}

RowDeletion DeleteRow(DayPage& page, int row) {
  if (row < 0 || row >= static_cast<int>(page.size())) return RowDeletion::kNone;
  if (page.size() == 1) {
    page.front() = DayRow();
    return RowDeletion::kEmptied;
  }
  page.erase(page.begin() + row);
  return RowDeletion::kRemoved;
}

std::vector<int> SortRows(DayPage& page, int column, bool ascending) {
  std::vector<int> order(page.size());
  std::iota(order.begin(), order.end(), 0);
  if (column < 0 || column >= kDayPageColumns) return order;
  const auto c = static_cast<std::size_t>(column);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const std::string& left = page[static_cast<std::size_t>(a)][c];
    const std::string& right = page[static_cast<std::size_t>(b)][c];
    return ascending ? left < right : right < left;
  });
  DayPage sorted;
  sorted.reserve(page.size());
  for (const int from : order) sorted.push_back(std::move(page[static_cast<std::size_t>(from)]));
  page = std::move(sorted);
  return order;
}

CellEdit EditCell(DayPage& page, int row, int column, std::string bytes) {
  if (row < 0 || row >= static_cast<int>(page.size()) || column < 0 || column >= kDayPageColumns) {
    return CellEdit::kRefused;
  }
  std::string& cell = page[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  if (cell == bytes) return CellEdit::kUnchanged;
  if (column == kAmountColumn && !IsValidAmountText(bytes)) return CellEdit::kRefused;
  cell = std::move(bytes);
  return CellEdit::kAccepted;
}

}  // namespace purselog
