// The search across months: every entry line of every "*.csv" file of the data directory, held
// as a sorted list of raw lines while the find window is open, and the find-next step over it.
// The lines are the month files' own bytes (Shift_JIS, quotes and commas included), searched for
// an exact, case-sensitive piece of text.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/date.h"
#include "core/paths.h"

namespace purselog {

// Written into the program directory at every opening of the search: the collected lines in the
// order they were collected, unsorted. Nothing reads it.
inline constexpr std::string_view kSearchIndexFileName = "~searchindex.tmp";

// The files of the data directory whose names end in ".csv" (in any letter case): regular files,
// read-only ones included, neither directories nor hidden files; in the order of their names
// compared ignoring letter case. A missing data directory has none. Throws FileError when the
// directory cannot be listed.
std::vector<std::filesystem::path> ListCsvFiles(const std::filesystem::path& data_dir);

// Whether a line goes into the index: its first six characters (fewer in a shorter line) are an
// integer text. Blank lines and stray headers do not.
bool IsIndexLine(std::string_view line);

// The index lines of every listed file, file by file, each file's in file order. Every such
// file is read, month file or not. Throws FileError when a file cannot be read.
std::vector<std::string> CollectIndexLines(const std::filesystem::path& data_dir);

// The lines of a fresh search: collected, written to kSearchIndexFileName in the program
// directory, and sorted with SortLinesIgnoreCase. Throws FileError.
std::vector<std::string> BuildSearchIndex(const ProgramPaths& paths);

// The day an index line opens: field 0 must be an integer text whose characters 1-4, 5-6 and
// 7-8 are the year, month and day of a calendar date; nullopt otherwise.
std::optional<Date> HitDate(std::string_view line);

enum class SearchStep {
  kOpened,      // a hit's day was opened; the next step continues after it
  kNotFound,    // no hit from the position to the end ("Can't find")
  kOpenFailed,  // the hit's day could not be opened (the reason has been shown)
};

// The index of one opening of the find window with its search position and last search text.
// A default-constructed index holds nothing: every step finds nothing.
class SearchIndex {
 public:
  SearchIndex() = default;
  explicit SearchIndex(std::vector<std::string> sorted_lines) : lines_(std::move(sorted_lines)) {}

  const std::vector<std::string>& lines() const { return lines_; }
  std::size_t position() const { return position_; }

  // One find-next with `text` (Shift_JIS; nullopt for a text with a character that no month
  // file can hold, which is found nowhere). A text other than the last one starts again at the
  // oldest line. The first line from the position on that holds the text and names a day is the
  // hit (the empty text is in no line); lines whose field 0 names no day are passed over.
  // `open` opens the hit's day and says whether it could; only then does the position move past
  // the hit. There is no wrap-around.
  SearchStep Step(const std::optional<std::string>& text,
                  const std::function<bool(const Date&)>& open);

 private:
  std::vector<std::string> lines_;
  std::size_t position_ = 0;
  std::optional<std::string> last_text_ = std::string();
};

}  // namespace purselog
