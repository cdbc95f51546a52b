#include "search/search_index.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "core/comma_text.h"
#include "core/errors.h"
#include "core/text_codec.h"
#include "core/text_file.h"
#include "search/line_order.h"

namespace purselog {

namespace {

bool HasCsvExtension(const std::string& name) {
  constexpr std::string_view kExtension = ".csv";
  if (name.size() <= kExtension.size()) return false;
  const std::string_view tail = std::string_view(name).substr(name.size() - kExtension.size());
  return std::equal(tail.begin(), tail.end(), kExtension.begin(), [](char a, char b) {
    return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
  });
}

// Regular files, also through links, are read; so is an entry whose kind cannot be told (a loop
// of links, a file the user may not look at), so that reading it reports why. Directories,
// devices, pipes and links to nothing are passed over.
bool IsFileToRead(const std::filesystem::path& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return false;
  return error || std::filesystem::is_regular_file(status);
}

[[noreturn]] void ThrowListingError(const std::filesystem::path& dir, const std::error_code& code) {
  throw FileError("Cannot read directory", dir, code.value() != 0 ? code.value() : EIO);
}

}  // namespace

std::vector<std::filesystem::path> ListCsvFiles(const std::filesystem::path& data_dir) {
  struct Listed {
    std::string key;  // the order of the names ignoring letter case
    std::filesystem::path path;
  };
  std::vector<Listed> listed;
  std::error_code error;
  std::filesystem::directory_iterator it(data_dir, error);
  if (error) {
    if (error == std::errc::no_such_file_or_directory) return {};
    ThrowListingError(data_dir, error);
  }
  for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
    if (error) ThrowListingError(data_dir, error);
    const std::string name = it->path().filename().string();
    if (name.empty() || name.front() == '.' || !HasCsvExtension(name)) continue;
    if (!IsFileToRead(it->path())) continue;
    // Names are UTF-8 on the file system; they compare as the same text in Shift_JIS would, and
    // as their own bytes where that leaves a tie.
    listed.push_back({SortKeyIgnoreCase(Utf8ToCp932(name)) + '\0' + name, it->path()});
  }
  if (error) ThrowListingError(data_dir, error);
  std::sort(listed.begin(), listed.end(),
            [](const Listed& a, const Listed& b) { return a.key < b.key; });
  std::vector<std::filesystem::path> paths;
  paths.reserve(listed.size());
  for (Listed& file : listed) paths.push_back(std::move(file.path));
  return paths;
}

bool IsIndexLine(std::string_view line) { return IsIntegerText(line.substr(0, 6)); }

std::vector<std::string> CollectIndexLines(const std::filesystem::path& data_dir) {
  std::vector<std::string> lines;
  for (const std::filesystem::path& file : ListCsvFiles(data_dir)) {
    const std::string bytes = ReadFileBytes(file);
    ForEachLine(bytes, [&lines](std::string_view line) {
      if (IsIndexLine(line)) lines.emplace_back(line);
    });
  }
  return lines;
}

std::vector<std::string> BuildSearchIndex(const ProgramPaths& paths) {
  std::vector<std::string> lines = CollectIndexLines(paths.DataDir());
  // The program's own scratch file: a link standing there is replaced, never written through.
  WriteScratchFile(paths.program_dir / std::string(kSearchIndexFileName), {JoinLines(lines)});
  SortLinesIgnoreCase(lines);
  return lines;
}

std::optional<Date> HitDate(std::string_view line) {
  const std::optional<std::string> key = FirstCommaField(line);
  if (!key || key->size() < 8 || !IsIntegerText(*key)) return std::nullopt;
  std::optional<Date> date = ParseDateKey(std::string_view(*key).substr(0, 8));
  if (date && YearOf(*date) < 1) return std::nullopt;  // no year 0 in the calendar of the book
  return date;
}

SearchStep SearchIndex::Step(const std::optional<std::string>& text,
                             const std::function<bool(const Date&)>& open) {
  if (text != last_text_) position_ = 0;
  last_text_ = text;
  if (!text || text->empty()) return SearchStep::kNotFound;
  for (std::size_t line = position_; line < lines_.size(); ++line) {
    if (lines_[line].find(*text) == std::string::npos) continue;
    const std::optional<Date> date = HitDate(lines_[line]);
    if (!date) continue;  // only a hand-edited file names no day here: not a day to open
    if (!open(*date)) return SearchStep::kOpenFailed;
    position_ = line + 1;
    return SearchStep::kOpened;
  }
  return SearchStep::kNotFound;
}

}  // namespace purselog
