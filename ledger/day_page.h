// The page of one day: an ordered list of rows of four text cells (category, description,
// amount, memo), Shift_JIS bytes as stored. A page always has at least one row.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace purselog {

enum DayColumn : int { kCategoryColumn = 0, kDescriptionColumn, kAmountColumn, kMemoColumn };
constexpr int kDayPageColumns = 4;

using DayRow = std::array<std::string, kDayPageColumns>;
using DayPage = std::vector<DayRow>;

// One row of four empty cells.
DayPage EmptyDayPage();

// A cell is one line of text: line breaks (CR LF, CR or LF) become one blank each, trailing
// ones are dropped, and NUL bytes are removed. A month file cannot hold a cell with a line
// break or a NUL byte without losing the lines after it.
std::string SingleLineCellText(std::string_view text);

// A row is written to its month file only when category, description and amount are filled,
// each judged by its SingleLineCellText (a cell of line breaks only counts as empty).
bool IsCompleteRow(const DayRow& row);

}  // namespace purselog
