// Decimal integers at the start of a text: leading spaces, an optional sign, then half-width
// digits. `text` is Shift_JIS or ASCII; only the bytes ' ', '+', '-' and '0' to '9' are read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace purselog {

struct LeadingInteger {
  // A value beyond the 64-bit range stays at the nearest end of it, so that an overlong number
  // still reads as out of any smaller range.
  std::int64_t value = 0;
  std::size_t digits = 0;  // how many digits were read
  std::size_t end = 0;     // the position after the last byte read
};

// Reads up to the first byte that does not belong to the number; without digits the value is 0.
LeadingInteger ScanLeadingInteger(std::string_view text);

// A whole text read as a decimal integer, as typed into an edit box: the number must run to the
// end of the text. Nothing else is an integer: no trailing blanks, no full-width digits, no
// hexadecimal, no empty text.
std::optional<std::int64_t> ParseDecimalInteger(std::string_view text);

}  // namespace purselog
