#include "core/decimal_integer.h"

#include <limits>

namespace purselog {

LeadingInteger ScanLeadingInteger(std::string_view text) {
  LeadingInteger result;
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max();
  std::int64_t value = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    const int digit = text[pos] - '0';
    value = value > (kLimit - digit) / 10 ? kLimit : value * 10 + digit;
    ++result.digits;
  }
  result.value = negative ? -value : value;
  result.end = pos;
  return result;
}

std::optional<std::int64_t> ParseDecimalInteger(std::string_view text) {
  const LeadingInteger number = ScanLeadingInteger(text);
  if (number.digits == 0 || number.end != text.size()) return std::nullopt;
  return number.value;
}

}  // namespace purselog
