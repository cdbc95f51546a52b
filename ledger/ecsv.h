// TEcsv: a small reader of a comma-separated table, one row per line. A line ending in a comma
// has a last, empty field (unlike SplitCommaText on the raw line).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace purselog {

class TEcsv {
 public:
  // Replaces the table with the lines of the file; a missing file gives no lines. Throws
  // FileError when the file exists but cannot be read.
  void Load(const std::filesystem::path& path);
  // Replaces the table with the lines of the text.
  void LoadText(std::string_view text);
  int RowCount() const;
  // The largest number of fields of any line; 0 without lines.
  int ColCount() const;
  // Field `field` of line `line`, both from 0; empty when either does not exist.
  std::string Cell(int field, int line) const;

 private:
  std::vector<std::string> lines_;
  mutable std::vector<std::string> fields_;  // scratch list of the last split line
};

}  // namespace purselog
