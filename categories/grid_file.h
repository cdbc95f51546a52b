// The grid file: the text form of a table of cells with column widths (the category table
// setting.dat and the legacy files of the converter). Shift_JIS bytes, lines ended by CR LF:
//   N,M                      size line: columns, rows
//   cw i,width               one per column
//   x,y,text                 one per non-empty cell, row-major; the text may hold commas
// A text holding a CR or an LF is written with every CR as TAB and every LF as BS. The file is
// read to its end; a NUL byte is no end of text here but part of a line (of a cell text, when in
// one).
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/errors.h"

namespace purselog {

// The reader's two failures; the message is the text the user sees.
class GridFileError : public AppError {
 public:
  using AppError::AppError;
};

// A table of text cells with column widths. Cells are kept sparsely, so a table is cheap
// however many of its cells are empty.
class GridTable {
 public:
  static constexpr int kDefaultColumnWidth = 64;

  GridTable() = default;
  GridTable(int columns, int rows);

  int columns() const { return columns_; }
  int rows() const { return rows_; }
  // Cells and widths outside the new size are dropped; new columns get the default width.
  void Resize(int columns, int rows);

  // Empty when the cell is empty or outside the table.
  const std::string& Cell(int column, int row) const;
  // Ignored outside the table; an empty text empties the cell.
  void SetCell(int column, int row, std::string text);
  void ClearCells() { cells_.clear(); }

  int ColumnWidth(int column) const;
  void SetColumnWidth(int column, int width);

  // The non-empty cells keyed by (row, column), so in the order the file lists them.
  const std::map<std::pair<int, int>, std::string>& cells() const { return cells_; }

 private:
  int columns_ = 0;
  int rows_ = 0;
  std::vector<int> widths_;
  std::map<std::pair<int, int>, std::string> cells_;
};

// Largest size line the reader accepts; anything larger is a corrupt file, not a reason to run
// out of memory.
constexpr int kMaxGridColumns = 4096;
constexpr int kMaxGridRows = 1000000;

// Writes the table atomically; throws FileError.
void SaveGridFile(const std::filesystem::path& path, const GridTable& table);

// Fills `table` from the file. Throws GridFileError with "File <path> not found" when the file
// cannot be read (the table is then unchanged), or "File contains no data or corrupt file
// <path>" when the size line gives no columns or no rows (or an absurd size).
void LoadGridFile(const std::filesystem::path& path, GridTable& table);

}  // namespace purselog
