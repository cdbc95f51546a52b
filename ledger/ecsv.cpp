#include "ledger/ecsv.h"

#include <algorithm>
#include <optional>

#include "core/comma_text.h"
#include "core/text_file.h"

namespace purselog {

void TEcsv::Load(const std::filesystem::path& path) {
  LoadText(ReadFileBytesIfExists(path).value_or(std::string()));
}

void TEcsv::LoadText(std::string_view text) {
  lines_ = SplitLines(text);
  for (std::string& line : lines_) {
    if (!line.empty() && line.back() == ',') line += "\"\"";
  }
}

int TEcsv::RowCount() const { return static_cast<int>(lines_.size()); }

int TEcsv::ColCount() const {
  std::size_t count = 0;
  for (const std::string& line : lines_) {
    fields_ = SplitCommaText(line);
    count = std::max(count, fields_.size());
  }
  return static_cast<int>(count);
}

std::string TEcsv::Cell(int field, int line) const {
  if (line < 0 || line >= RowCount() || field < 0) return {};
  fields_ = SplitCommaText(lines_[static_cast<std::size_t>(line)]);
  if (static_cast<std::size_t>(field) >= fields_.size()) return {};
  return fields_[static_cast<std::size_t>(field)];
}

}  // namespace purselog
