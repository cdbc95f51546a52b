// The comma-text dialect of month files and every other comma-separated line the programs read
// or write. Byte-wise over Shift_JIS text: no Shift_JIS trail byte is a control byte, a blank, a
// comma or a double quote, so a byte scan agrees with a character scan on valid text, and invalid
// bytes pass through unchanged.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/byte_scan.h"

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
  // As Next, without copying a field written without quotes: `field` views it in the line. A
  // quoted field is decoded into `scratch` and viewed there. The view lasts until the line or
  // `scratch` changes.
  bool Next(std::string_view& field, std::string& scratch);
  // Whether a field read so far ended at something else than a comma or the end of the line: a
  // blank or control byte outside quotes, or text right after a closing quote. Such a line reads
  // into more fields than its writer meant.
  bool SplitWithoutComma() const { return split_without_comma_; }

 private:
  std::string_view line_;
  std::size_t pos_ = 0;
  bool split_without_comma_ = false;
  bool AtEnd() const;
  void SkipBlanks();
  void SkipSeparator();
};

std::vector<std::string> SplitCommaText(std::string_view line);

// The position of the first byte from `pos` on that ends a field written without quotes: a
// comma, or a blank, control or NUL byte (at most 0x20); the size when there is none.
inline std::size_t PlainFieldEnd(std::string_view line, std::size_t pos) {
  return FindFirstByte(
      line, pos,
      [](std::uint64_t word) {
        return byte_marks::Equal(word, ',') | byte_marks::Below(word, 0x21);
      },
      [](unsigned char c) { return c <= 0x20 || c == ','; });
}

// LeadingFields from the field at `pos` (field number `count`) on, by CommaTextCursor.
std::size_t LeadingFieldsByCursor(std::string_view line, std::size_t pos, std::size_t count,
                                  std::span<std::string_view> fields,
                                  std::span<std::string> scratch);

// The first fields of the line as CommaTextCursor gives them, as views: into the line for a field
// written without quotes, into the field's own `scratch` string for a quoted one (fields and
// scratch have the same size). Returns how many were read: fewer when the line has fewer. A line
// whose wanted fields hold no double quote, blank or control byte (nearly every month file line)
// is read in one tight pass, inline: each field runs to the next comma or the end of the line,
// and a comma that ends the line starts no field.
inline std::size_t LeadingFields(std::string_view line, std::span<std::string_view> fields,
                                 std::span<std::string> scratch) {
  std::size_t count = 0;
  std::size_t pos = 0;
  const std::size_t size = line.size();
  for (; count < fields.size() && pos < size; ++count) {
    const std::size_t end = line[pos] == '"' ? pos : PlainFieldEnd(line, pos);
    if (end < size && line[end] != ',') {
      // A quote, a blank, a control byte or NUL: from this field on, the cursor reads them, as
      // it would after the comma before (with the blanks there skipped).
      return LeadingFieldsByCursor(line, pos, count, fields, scratch);
    }
    fields[count] = line.substr(pos, end - pos);
    pos = end + 1;
  }
  return count;
}
// Field 0 of the line as SplitCommaText would give it; nullopt when the line has no fields.
std::optional<std::string> FirstCommaField(std::string_view line);

// Whether field 0 of the line, as SplitCommaText would give it, equals `text`; cheaper than
// splitting, for readers that pick lines by their date key.
bool FirstCommaFieldEquals(std::string_view line, std::string_view text);

std::string JoinCommaText(const std::vector<std::string>& fields);

// Exactly eight decimal digits (the form of every date key) read as a number, all eight at once
// where the machine is little-endian; nullopt for any other text. ParseIntegerText gives the
// same number for such a text.
inline std::optional<std::int32_t> EightDigitText(std::string_view text) {
  if (text.size() != 8) return std::nullopt;
  std::uint64_t word = 0;
  std::memcpy(&word, text.data(), sizeof word);
  // Every byte 0x30 to 0x39: its high half 3, and still 3 after adding 6.
  constexpr std::uint64_t kHighHalves = 0xF0F0F0F0F0F0F0F0ull;
  constexpr std::uint64_t kThrees = 0x3030303030303030ull;
  if ((word & kHighHalves) != kThrees ||
      ((word + 0x0606060606060606ull) & kHighHalves) != kThrees) {
    return std::nullopt;
  }
  if constexpr (std::endian::native != std::endian::little) {
    std::int32_t value = 0;
    for (const char c : text) value = value * 10 + (c - '0');
    return value;
  }
  // The digits' values, then pairs, fours and the eight combined (the first byte is the
  // lowest, the most significant digit).
  word -= kThrees;
  word = (word * 10 + (word >> 8)) & 0x00FF00FF00FF00FFull;
  word = (word * 100 + (word >> 16)) & 0x0000FFFF0000FFFFull;
  word = (word * 10000 + (word >> 32)) & 0x00000000FFFFFFFFull;
  return static_cast<std::int32_t>(word);
}

// ParseIntegerText of any text.
std::optional<std::int32_t> ParseAnyIntegerText(std::string_view text);

// A signed 32-bit integer text: leading spaces, then an optional sign and decimal digits within
// -2147483647..2147483647, or "$" and one to eight hexadecimal digits; nothing after it. A date
// key is read at once.
inline std::optional<std::int32_t> ParseIntegerText(std::string_view text) {
  if (const std::optional<std::int32_t> key = EightDigitText(text)) return key;
  return ParseAnyIntegerText(text);
}
inline bool IsIntegerText(std::string_view text) { return ParseIntegerText(text).has_value(); }

}  // namespace purselog
