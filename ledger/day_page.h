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

// The rules by which the user edits a page; the grid of the main window and the import of
// entries both use them.

// An empty row before `row` (clamped to 0 .. size, so size appends).
void InsertEmptyRow(DayPage& page, int row);

enum class RowDeletion { kNone, kRemoved, kEmptied };
// Removes the row; the only row of a page is emptied instead. kNone when `row` is not a row.
RowDeletion DeleteRow(DayPage& page, int row);

// Orders the rows by the bytes of the column's text (amounts too: as text, not by value). Rows
// with equal text keep their order. Returns, for each new row, the row it came from.
std::vector<int> SortRows(DayPage& page, int column, bool ascending);

enum class CellEdit { kUnchanged, kAccepted, kRefused };
// A cell typed by the user. An unchanged text changes nothing; an amount that is not a decimal
// number is refused and the cell keeps its text.
CellEdit EditCell(DayPage& page, int row, int column, std::string bytes);

}  // namespace purselog
