// Whole-file reading and writing. Paths are std::filesystem paths; file contents are bytes
// (Shift_JIS text is never converted). Every failure throws FileError carrying the path and the
// operating system's message.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/byte_scan.h"
#include "core/errors.h"

namespace purselog {

// The whole file; throws FileError when it cannot be read (a missing file included).
std::string ReadFileBytes(const std::filesystem::path& path);
// As ReadFileBytes, for a file of at most `limit` bytes: a larger one is refused (FileError,
// "File too large") without reading more than `limit` + 1 bytes of it.
std::string ReadFileBytes(const std::filesystem::path& path, std::size_t limit);
// As ReadFileBytes, but a file that does not exist (or whose directory does not) gives nullopt.
std::optional<std::string> ReadFileBytesIfExists(const std::filesystem::path& path);

// The position of the first CR or LF from `pos` on, or the size of the text.
inline std::size_t LineEnd(std::string_view text, std::size_t pos) {
  return FindFirstByte(
      text, pos,
      [](std::uint64_t word) {
        return byte_marks::Equal(word, '\r') | byte_marks::Equal(word, '\n');
      },
      [](unsigned char c) { return c == '\r' || c == '\n'; });
}

// Calls `visit(line)` with each line of the whole text, as a view into it: CR, LF and CR LF
// each end a line, a last line without an end is still a line. NUL bytes are line content.
template <typename Visit>
void ForEachLineToEnd(std::string_view text, Visit&& visit) {
  std::size_t start = 0;
  const std::size_t size = text.size();
  while (start < size) {
    const std::size_t end = LineEnd(text, start);
    visit(text.substr(start, end - start));
    start = end + 1;
    if (end + 1 < size && text[end] == '\r' && text[end + 1] == '\n') ++start;
  }
}

// As ForEachLineToEnd, but a NUL byte ends the text: the lines of a text file as its readers
// see them.
template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
  ForEachLineToEnd(text.substr(0, text.find('\0')), visit);
}

// The bytes from the first NUL byte on (empty when there is none): the part of a file that line
// readers never see. A rewrite of a file's lines writes them back after the lines, unchanged, so
// that a save never drops bytes it did not read.
std::string_view TailFromNul(std::string_view text);

// The lines of the text, as ForEachLine finds them.
std::vector<std::string> SplitLines(std::string_view text);
// Every line followed by CR LF, nothing else.
std::string JoinLines(const std::vector<std::string>& lines);

std::vector<std::string> ReadLines(const std::filesystem::path& path);
// nullopt when the file does not exist.
std::optional<std::vector<std::string>> ReadLinesIfExists(const std::filesystem::path& path);

// Replaces the file with `bytes` so that it is never seen half-written: the bytes go to a new
// file in the same directory (named "." + file name + "." + six letters or digits, so never
// "*.csv"), are flushed to disk, that file is renamed over the target, and the directory is
// synced. On failure the temporary file is removed, the target is left as it was, and FileError
// is thrown with the system's message. The one exception is a failure to sync the directory
// after the rename: the target then already holds the new bytes, and FileError ("Cannot sync
// directory") still says that the write may not survive a power loss.
// - A symbolic link is followed to the end of its chain: the file it names is replaced (created
//   when the link dangles), with the temporary beside that file, and the link stays a link.
// - A target that exists but that the running user may not write is refused with EACCES.
// - After a successful write, temporaries of the same target left by interrupted earlier writes
//   (names of exactly that shape, regular files only) are removed.
void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);
// The same for bytes in pieces, written one after the other.
void WriteFileAtomic(const std::filesystem::path& path,
                     std::initializer_list<std::string_view> pieces);
// As WriteFileAtomic, for the program's own scratch files (the search index, the NET answer and
// the NET journal): a symbolic link standing at the path is replaced by the new file, never
// followed, so that a link there cannot make the program write over another file.
void WriteScratchFile(const std::filesystem::path& path,
                      std::initializer_list<std::string_view> pieces);
// WriteFileAtomic of JoinLines(lines), followed by `tail` (see TailFromNul).
void WriteLines(const std::filesystem::path& path, const std::vector<std::string>& lines,
                std::string_view tail = {});

bool FileExists(const std::filesystem::path& path);
bool DirectoryExists(const std::filesystem::path& path);
// Creates the directory (not its parents); throws FileError on failure.
void CreateDirectory(const std::filesystem::path& path);

}  // namespace purselog
