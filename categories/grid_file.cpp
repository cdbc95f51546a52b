#include "categories/grid_file.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

#include "core/decimal_integer.h"
#include "core/text_file.h"

namespace purselog {

namespace {

const std::string kEmpty;

// The integer at the start of a field (no digits read as 0), kept within the range of int.
int ReadLeadingInteger(std::string_view text) {
  const std::int64_t value = ScanLeadingInteger(text).value;
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

// A text with a line break is written on one line: every CR as TAB, every LF as BS. A lone LF
// is encoded too: written as it stands it would end the line, and the rest of the text would be
// read as a line of its own (a width or cell line of its own making).
std::string EncodeCellText(const std::string& text) {
  if (text.find_first_of("\r\n") == std::string::npos) return text;
  std::string encoded = text;
  for (char& c : encoded) {
    if (c == '\r') c = '\t';
    if (c == '\n') c = '\b';
  }
  return encoded;
}

std::string DecodeCellText(std::string_view text) {
  if (text.find('\b') == std::string_view::npos) return std::string(text);
  std::string decoded(text);
  for (char& c : decoded) {
    if (c == '\t') c = '\r';
    if (c == '\b') c = '\n';
  }
  // Grids show one line per cell.
  return decoded.substr(0, decoded.find('\r'));
}

void ReadWidthLine(std::string_view line, GridTable& table) {
  const std::size_t comma = line.find(',');
  std::string_view index_text;
  if (comma == std::string_view::npos) {
    if (line.size() > 3) index_text = line.substr(3);
  } else if (comma > 3) {
    index_text = line.substr(3, comma - 3);
  }
  const std::string_view width_text =
      comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1, 255);
  const int index = ReadLeadingInteger(index_text);
  if (index >= 0 && index < table.columns()) {
    table.SetColumnWidth(index, ReadLeadingInteger(width_text));
  }
}

void ReadCellLine(std::string_view line, GridTable& table) {
  const std::size_t first = line.find(',');
  if (first == std::string_view::npos) return;
  const std::size_t second = line.find(',', first + 1);
  if (second == std::string_view::npos) return;
  const int column = ReadLeadingInteger(line.substr(0, first));
  const int row = ReadLeadingInteger(line.substr(first + 1, second - first - 1));
  if (column < 0 || column >= table.columns() || row < 0 || row >= table.rows()) return;
  table.SetCell(column, row, DecodeCellText(line.substr(second + 1)));
}

}  // namespace

GridTable::GridTable(int columns, int rows) { Resize(columns, rows); }

void GridTable::Resize(int columns, int rows) {
  columns_ = std::max(columns, 0);
  rows_ = std::max(rows, 0);
  widths_.resize(static_cast<std::size_t>(columns_), kDefaultColumnWidth);
  std::erase_if(cells_, [this](const auto& cell) {
    return cell.first.first >= rows_ || cell.first.second >= columns_;
  });
}

const std::string& GridTable::Cell(int column, int row) const {
  const auto found = cells_.find({row, column});
  return found == cells_.end() ? kEmpty : found->second;
}

void GridTable::SetCell(int column, int row, std::string text) {
  if (column < 0 || column >= columns_ || row < 0 || row >= rows_) return;
  if (text.empty()) {
    cells_.erase({row, column});
  } else {
    cells_[{row, column}] = std::move(text);
  }
}

int GridTable::ColumnWidth(int column) const {
  if (column < 0 || column >= columns_) return kDefaultColumnWidth;
  return widths_[static_cast<std::size_t>(column)];
}

void GridTable::SetColumnWidth(int column, int width) {
  if (column < 0 || column >= columns_) return;
  widths_[static_cast<std::size_t>(column)] = width;
}

void SaveGridFile(const std::filesystem::path& path, const GridTable& table) {
  std::vector<std::string> lines;
  lines.reserve(1 + static_cast<std::size_t>(table.columns()) + table.cells().size());
  lines.push_back(std::to_string(table.columns()) + "," + std::to_string(table.rows()));
  for (int i = 0; i < table.columns(); ++i) {
    lines.push_back("cw " + std::to_string(i) + "," + std::to_string(table.ColumnWidth(i)));
  }
  for (const auto& [position, text] : table.cells()) {
    lines.push_back(std::to_string(position.second) + "," + std::to_string(position.first) + "," +
                    EncodeCellText(text));
  }
  WriteLines(path, lines);
}

void LoadGridFile(const std::filesystem::path& path, GridTable& table) {
  std::string bytes;
  try {
    bytes = ReadFileBytes(path);
  } catch (const FileError&) {
    throw GridFileError("File " + path.string() + " not found");
  }
  table.ClearCells();
  bool first_line = true;
  bool size_checked = false;
  const auto check_size = [&] {
    size_checked = true;
    if (table.columns() <= 0 || table.rows() <= 0) {
      throw GridFileError("File contains no data or corrupt file " + path.string());
    }
  };
  // The file is read to its end: a NUL byte is cell text like any other byte.
  ForEachLineToEnd(bytes, [&](std::string_view line) {
    if (first_line) {
      first_line = false;
      if (!line.empty()) {
        const std::size_t comma = line.find(',');
        const int columns = ReadLeadingInteger(line.substr(0, comma));
        const int rows =
            comma == std::string_view::npos ? 0 : ReadLeadingInteger(line.substr(comma + 1));
        if (columns > kMaxGridColumns || rows > kMaxGridRows) {
          throw GridFileError("File contains no data or corrupt file " + path.string());
        }
        table.Resize(columns, rows);
      }
      check_size();
      return;
    }
    if (line.size() >= 2 && line[0] == 'c' && line[1] == 'w') {
      ReadWidthLine(line, table);
    } else {
      ReadCellLine(line, table);
    }
  });
  if (!size_checked) check_size();  // an empty file keeps the table's size
}

}  // namespace purselog
