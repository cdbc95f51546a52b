// The comma-text dialect of month files and every other comma-separated line the programs read
// or write. Byte-wise over Shift_JIS text: no Shift_JIS trail byte is a control byte, a blank, a
// comma or a double quote, so a byte scan agrees with a character scan on valid text, and invalid
// bytes pass through unchanged.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace purselog {

// Reads the fields of one line in order, without building the whole list. A NUL byte ends the
// line. Blanks and control bytes outside quotes separate fields like a comma. A quoted field
// that is never closed is the rest of the line after the quote, taken as it stands, without its
// last byte: the line "a""b gives the field a"", and the lines "a and " give an empty field.
class CommaTextCursor {
 public:
  explicit CommaTextCursor(std::string_view line);
  // Stores the next field in `field` and returns true, or returns false at the end of the line.
  bool Next(std::string& field);

 private:
  std::string_view line_;
  std::size_t pos_ = 0;
  bool AtEnd() const;
  void SkipBlanks();
};

std::vector<std::string> SplitCommaText(std::string_view line);
// Field 0 of the line as SplitCommaText would give it; nullopt when the line has no fields.
std::optional<std::string> FirstCommaField(std::string_view line);

// Whether field 0 of the line, as SplitCommaText would give it, equals `text`; cheaper than
// splitting, for readers that pick lines by their date key.
bool FirstCommaFieldEquals(std::string_view line, std::string_view text);

std::string JoinCommaText(const std::vector<std::string>& fields);

// A signed 32-bit integer text: leading spaces, then an optional sign and decimal digits within
// -2147483647..2147483647, or "$" and one to eight hexadecimal digits; nothing after it.
std::optional<std::int32_t> ParseIntegerText(std::string_view text);
bool IsIntegerText(std::string_view text);

}  // namespace purselog
