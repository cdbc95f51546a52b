// The category table as its settings window edits it: the whole grid of setting.dat (header row
// included) with its column widths, the rules of the window (which cells and rows are protected,
// how far "費目追加" grows the table, which rows "選択行削除" may remove, one line per cell), the
// picture each row shows in front of its name, and the bookkeeping of the icon slots of the user
// rows. Positions count the header as row 0; the rules belong to row positions, not to the
// categories that stand in them. Texts are Shift_JIS bytes.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "categories/category_table.h"
#include "categories/grid_file.h"
#include "categories/icon_slots.h"

namespace purselog {

constexpr int kCategoryRowLimit = 25;  // "費目追加" stops here, header row included
constexpr int kFirstUserRow = 12;      // rows 1 to 11 hold the built-in categories
constexpr int kKindColumn = 0;
constexpr int kNameColumn = 1;

// A text typed or pasted into a cell, as the cell keeps it: one line without control bytes.
// Line breaks become one blank each (trailing ones are dropped), a TAB becomes a blank, other
// bytes below 0x20 are removed. Such bytes never occur inside a Shift_JIS character, and a grid
// file cannot keep them: a line break or BS splits or cuts the cell when it is read back.
std::string CategoryCellText(std::string_view text);

// The icon slot of a row of the table (rows 12 to 43), or -1.
int IconSlotOfRow(int row);

class CategorySettingsTable {
 public:
  // 20 columns, the header row only, the window's first widths (64, column 10 87).
  CategorySettingsTable();

  const GridTable& grid() const { return grid_; }
  GridTable& grid() { return grid_; }
  int rows() const { return grid_.rows(); }
  int columns() const { return grid_.columns(); }
  const std::string& Cell(int column, int row) const { return grid_.Cell(column, row); }

  // Fills the table from the file; widths of columns the file does not list stay. Throws
  // GridFileError and leaves the table as it was when the file cannot be read. Every row then
  // shows no picture.
  void Load(const std::filesystem::path& path);
  // Writes the table with its widths; throws FileError.
  void Save(const std::filesystem::path& path) const;

  // The kind and the name of rows 1 to 11 cannot be edited (nor can the header row).
  bool IsLocked(int column, int row) const;
  // A typed text, kept as CategoryCellText of it. False when nothing changed: a locked cell or
  // one outside the table, or the same text.
  bool Edit(int column, int row, std::string_view text);

  // "費目追加": one empty row at the end while the table has fewer than 25 rows.
  bool AddRow();
  // The Insert key: an empty row before `row` (1 to rows()), whatever the size of the table.
  void InsertRow(int row);
  // Whether "選択行削除" may remove the row: user rows only.
  static bool IsDeletable(int row) { return row >= kFirstUserRow; }
  struct Deletion {
    std::vector<int> removed;  // ascending, as they stood before
    bool refused = false;      // a protected row was among the rows
  };
  // "選択行削除" for several rows at once: every deletable one goes, the others stay; the rows
  // below close up.
  Deletion DeleteRows(std::vector<int> rows);
  // A row dragged from `from` to the position `to` (both 1 to rows() - 1); rows between move up
  // or down by one.
  void MoveRow(int from, int to);

  // The picture of a row; it moves, goes and comes with its row.
  IconChoice Icon(int row) const;
  // The pictures of an opening of the window: a row whose name is a built-in category of
  // `categories` shows that category's picture, then PlaceSlotIcons.
  void PlaceIcons(const CategoryTable& categories, std::span<const std::string> slot_names);
  // Rows 12 + j for each used slot j: the slot's picture when it has a file, none otherwise.
  void PlaceSlotIcons(std::span<const std::string> slot_names);

 private:
  // Row r of the new table is row from[r] of the old one, or empty for -1.
  void Rearrange(const std::vector<int>& from);

  GridTable grid_;
  std::vector<IconChoice> icons_;  // one per row
};

}  // namespace purselog
