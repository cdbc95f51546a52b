// The settings file: the Windows profile (INI) format, Shift_JIS text. Sections and keys are
// found without regard to letter case. Nothing is cached: every read opens the file and every
// write rewrites it at once (atomically), keeping every other line as it was.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"

namespace purselog {

// A value that could not be written; the message is "<path> に書き込めません".
class IniWriteError : public AppError {
 public:
  explicit IniWriteError(const std::filesystem::path& path);
};

// One value to write: the key in its section, and the text (only its first line is written).
struct IniValue {
  std::string section;
  std::string key;
  std::string value;

  // An integer value, written in decimal.
  static IniValue Integer(std::string section, std::string key, int value);
};

class IniFile {
 public:
  static constexpr std::size_t kMaxValueBytes = 1023;

  explicit IniFile(std::filesystem::path path);
  const std::filesystem::path& path() const { return path_; }

  // The value (blanks around it removed, one pair of enclosing quotes removed), cut to at most
  // kMaxValueBytes; `default_value` when the file, the section or the key is missing. Throws
  // FileError when the file exists but cannot be read.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view default_value) const;
  // "0x" or "0X" and hexadecimal digits (when longer than two characters), or an integer text
  // (decimal with an optional sign, or "$" and hexadecimal digits); anything else gives
  // `default_value`.
  int ReadInteger(std::string_view section, std::string_view key, int default_value) const;

  // Throws IniWriteError when the file cannot be written.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  // Writes all the values in one rewrite of the file, in order, each where WriteString would put
  // it: an existing key is replaced in place (the first of that name in the first section of
  // that name), a missing key is added after the last non-blank line of its section, a missing
  // section is added at the end of the file. All or nothing: throws IniWriteError and leaves the
  // file as it was when it cannot be read or written. No values: the file is not touched.
  // Bytes from a NUL byte on (which readers never see) are kept after the lines.
  void WriteValues(const std::vector<IniValue>& values);

 private:
  std::filesystem::path path_;
};

}  // namespace purselog
