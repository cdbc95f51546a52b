// A whole text read as a decimal integer, as typed into an edit box: optional leading spaces,
// an optional sign, then half-width digits to the end. Nothing else is an integer: no trailing
// blanks, no full-width digits, no hexadecimal, no empty text.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace purselog {

// The value of the text, or nullopt when the text is not an integer. `text` is Shift_JIS or
// ASCII; only the bytes ' ', '+', '-' and '0' to '9' are read. A value beyond the 64-bit range
// stays at the nearest end of it, so that an overlong number still reads as out of any range.
std::optional<std::int64_t> ParseDecimalInteger(std::string_view text);

}  // namespace purselog
