// The page of one day: an ordered list of rows of four text cells (category, description,
// amount, memo), Shift_JIS bytes as stored. A page always has at least one row.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace purselog {

enum DayColumn : int { kCategoryColumn = 0, kDescriptionColumn, kAmountColumn, kMemoColumn };
constexpr int kDayPageColumns = 4;

using DayRow = std::array<std::string, kDayPageColumns>;
using DayPage = std::vector<DayRow>;

// One row of four empty cells.
DayPage EmptyDayPage();

// A row is written to its month file only when category, description and amount are filled.
bool IsCompleteRow(const DayRow& row);

}  // namespace purselog
