// The converter's work, without windows: a legacy file of the data folder is a grid file (a table
// of cells); its converted form is one comma-text line per table row, of the texts of the row's
// first five columns, written beside it as <name>.csv. A legacy file named by a month key so
// becomes that month's file for the account book.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "categories/grid_file.h"

namespace purselog {

// How many columns of each row a converted line holds.
constexpr int kConvertedColumns = 5;

// Names of the regular files of the folder (symbolic links to them included), sorted by their
// bytes with ASCII letter case ignored; hidden files (a leading ".") are not listed. Throws
// FileError when the folder cannot be listed.
std::vector<std::string> ListDataFiles(const std::filesystem::path& data_dir);

// Whether a file of that name (as listed, no folder) is converted: its whole name is an integer
// text. Others are only shown.
bool IsConvertibleName(std::string_view name);

// The file a legacy file is converted into: the same folder and name, ".csv" appended.
std::filesystem::path ConvertedPath(const std::filesystem::path& data_dir, std::string_view name);

// One line for every row of the table, row 0 included, in row order: JoinCommaText of the texts
// of columns 0 to 4 (an empty text where the table has no such column).
std::vector<std::string> ConvertedLines(const GridTable& table);

// Reads data_dir/name with the grid file reader into a table of its own and writes the converted
// lines to ConvertedPath atomically, replacing any file there. Returns the lines written. Throws
// GridFileError (the reader's two failures) or FileError; nothing is written then.
std::vector<std::string> ConvertLegacyFile(const std::filesystem::path& data_dir,
                                           std::string_view name);

}  // namespace purselog
