#include "tallyconv/conversion.h"

#include <algorithm>
#include <compare>
#include <system_error>

#include "core/comma_text.h"
#include "core/text_file.h"

namespace purselog {

namespace fs = std::filesystem;

namespace {

unsigned char FoldAscii(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// ASCII letter case ignored, then the bytes, so that the order is total.
bool NameBefore(const std::string& a, const std::string& b) {
  const auto folded = std::lexicographical_compare_three_way(
      a.begin(), a.end(), b.begin(), b.end(),
      [](char x, char y) { return FoldAscii(x) <=> FoldAscii(y); });
  if (folded != 0) return folded < 0;
  return a < b;
}

}  // namespace

std::vector<std::string> ListDataFiles(const fs::path& data_dir) {
  std::vector<std::string> names;
  std::error_code error;
  fs::directory_iterator entry(data_dir, error);
  const fs::directory_iterator end;
  for (; !error && entry != end; entry.increment(error)) {
    std::string name = entry->path().filename().string();
    if (name.starts_with('.')) continue;
    std::error_code kind_error;
    if (!entry->is_regular_file(kind_error)) continue;  // follows a symbolic link
    names.push_back(std::move(name));
  }
  if (error) throw FileError("Cannot read directory", data_dir, error.value());
  std::sort(names.begin(), names.end(), NameBefore);
  return names;
}

bool IsConvertibleName(std::string_view name) { return IsIntegerText(name); }

fs::path ConvertedPath(const fs::path& data_dir, std::string_view name) {
  std::string file_name(name);
  file_name += ".csv";
  return data_dir / file_name;
}

std::vector<std::string> ConvertedLines(const GridTable& table) {
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(table.rows()));
  std::vector<std::string> fields(kConvertedColumns);
  for (int row = 0; row < table.rows(); ++row) {
    for (int column = 0; column < kConvertedColumns; ++column) {
      fields[static_cast<std::size_t>(column)] = table.Cell(column, row);
    }
    lines.push_back(JoinCommaText(fields));
  }
  return lines;
}

std::vector<std::string> ConvertLegacyFile(const fs::path& data_dir, std::string_view name) {
  // A table of its own for every file: nothing of an earlier file, its size included, can
  // reach this one.
  GridTable table;
  LoadGridFile(data_dir / std::string(name), table);
  std::vector<std::string> lines = ConvertedLines(table);
  WriteLines(ConvertedPath(data_dir, name), lines);
  return lines;
}

}  // namespace purselog
