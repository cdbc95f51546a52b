#include "core/money.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "core/text_codec.h"

namespace purselog {

namespace {

constexpr std::uint64_t kMaxPositiveUnits = std::numeric_limits<std::int64_t>::max();
constexpr int kExponentLimit = 100000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The decimal text of a number: `digits` with the point after the first `point` of them
// (`point` may be negative or beyond the digits; missing places are zeros).
struct DecimalText {
  bool negative = false;
  std::string digits;
  int point = 0;
};

// Rounds to `decimals` places, halves away from zero.
void RoundHalfAwayFromZero(DecimalText& number, int decimals) {
  const long cut = static_cast<long>(number.point) + decimals;
  if (cut >= static_cast<long>(number.digits.size())) return;
  if (cut < 0) {
    number.digits.clear();
    return;
  }
  const bool up = number.digits[static_cast<std::size_t>(cut)] >= '5';
  number.digits.resize(static_cast<std::size_t>(cut));
  if (!up) return;
  std::size_t i = number.digits.size();
  while (i > 0 && number.digits[i - 1] == '9') {
    number.digits[i - 1] = '0';
    --i;
  }
  if (i == 0) {
    number.digits.insert(number.digits.begin(), '1');
    ++number.point;
  } else {
    ++number.digits[i - 1];
  }
}

struct PatternRule {
  bool grouping;
  int max_decimals;
  int min_decimals;
};

PatternRule RuleOf(NumberPattern pattern) {
  switch (pattern) {
    case NumberPattern::kPlain:
      return {false, 2, 0};
    case NumberPattern::kGrouped:
      return {true, 2, 0};
    case NumberPattern::kOneDecimal:
      return {false, 1, 1};
    case NumberPattern::kGroupedWhole:
      return {true, 0, 0};
  }
  return {false, 2, 0};
}

std::string Format(DecimalText number, NumberPattern pattern) {
  const PatternRule rule = RuleOf(pattern);
  RoundHalfAwayFromZero(number, rule.max_decimals);
  const auto digit_at = [&number](long index) {
    return (index >= 0 && index < static_cast<long>(number.digits.size()))
               ? number.digits[static_cast<std::size_t>(index)]
               : '0';
  };

  std::string whole;
  for (long i = 0; i < number.point; ++i) {
    const char c = digit_at(i);
    if (whole.empty() && c == '0') continue;
    whole.push_back(c);
  }
  if (whole.empty()) whole.push_back('0');

  std::string fraction;
  for (int i = 0; i < rule.max_decimals; ++i) fraction.push_back(digit_at(number.point + i));
  while (static_cast<int>(fraction.size()) > rule.min_decimals && fraction.back() == '0') {
    fraction.pop_back();
  }

  std::string text;
  const bool is_zero = number.digits.find_first_not_of('0') == std::string::npos;
  if (number.negative && !is_zero) text.push_back('-');
  if (rule.grouping) {
    for (std::size_t i = 0; i < whole.size(); ++i) {
      if (i > 0 && (whole.size() - i) % 3 == 0) text.push_back(',');
      text.push_back(whole[i]);
    }
  } else {
    text += whole;
  }
  if (!fraction.empty()) {
    text.push_back('.');
    text += fraction;
  }
  return text;
}

DecimalText FromUnits(MoneySumUnits units) {
  DecimalText number;
  number.negative = units < 0;
  // -(units + 1) + 1 takes the magnitude of the smallest value without overflowing.
  unsigned __int128 magnitude = number.negative ? static_cast<unsigned __int128>(-(units + 1)) + 1
                                                : static_cast<unsigned __int128>(units);
  // Every digit in 64-bit arithmetic once the magnitude fits (the 128-bit division is a call).
  while (magnitude > std::numeric_limits<std::uint64_t>::max()) {
    number.digits.push_back(static_cast<char>('0' + static_cast<int>(magnitude % 10)));
    magnitude /= 10;
  }
  auto small = static_cast<std::uint64_t>(magnitude);
  do {
    number.digits.push_back(static_cast<char>('0' + static_cast<int>(small % 10)));
    small /= 10;
  } while (small != 0);
  std::reverse(number.digits.begin(), number.digits.end());
  number.point = static_cast<int>(number.digits.size()) - 4;
  return number;
}

}  // namespace

MoneyRangeError::MoneyRangeError() : AppError("Sum of money out of range") {}

void ThrowMoneyRangeError() { throw MoneyRangeError(); }

std::optional<Money> MoneySum::ToMoney() const {
  if (units_ < std::numeric_limits<std::int64_t>::min() ||
      units_ > std::numeric_limits<std::int64_t>::max()) {
    return std::nullopt;
  }
  return Money::FromUnits(static_cast<std::int64_t>(units_));
}

namespace {

// Any amount text: exponents, blanks, long digit strings, rounding.
std::optional<Money> ParseGeneralAmount(std::string_view text) {
  std::size_t pos = 0;
  const std::size_t size = text.size();
  while (pos < size && text[pos] == ' ') ++pos;
  bool negative = false;
  if (pos < size && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  std::string digits;  // integer and fraction digits, leading zeros dropped
  long exponent = 0;   // value = digits * 10^exponent
  bool any_digit = false;
  bool point = false;
  for (; pos < size; ++pos) {
    const char c = text[pos];
    if (IsDigit(c)) {
      any_digit = true;
      if (!(digits.empty() && c == '0')) digits.push_back(c);
      if (point) --exponent;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (!any_digit && !point) return std::nullopt;
  if (pos < size && (text[pos] == 'E' || text[pos] == 'e')) {
    ++pos;
    bool exponent_negative = false;
    if (pos < size && (text[pos] == '+' || text[pos] == '-')) {
      exponent_negative = text[pos] == '-';
      ++pos;
    }
    if (pos == size || !IsDigit(text[pos])) return std::nullopt;
    long written = 0;
    for (; pos < size && IsDigit(text[pos]); ++pos) {
      if (written < kExponentLimit) written = written * 10 + (text[pos] - '0');
    }
    exponent += exponent_negative ? -written : written;
  }
  while (pos < size && text[pos] == ' ') ++pos;
  if (pos != size) return std::nullopt;

  // Digits dropped from the fraction: ten-thousandths are kept.
  if (digits.empty()) return Money();
  const long shift = exponent + 4;
  std::string kept = digits;
  std::string dropped;
  if (shift >= 0) {
    if (static_cast<long>(digits.size()) + shift > 20) return std::nullopt;
    kept.append(static_cast<std::size_t>(shift), '0');
  } else {
    const long drop = -shift;
    if (drop > static_cast<long>(digits.size())) return Money();  // below half a unit
    kept = digits.substr(0, digits.size() - static_cast<std::size_t>(drop));
    dropped = digits.substr(digits.size() - static_cast<std::size_t>(drop));
  }
  if (kept.size() > 20) return std::nullopt;
  unsigned __int128 magnitude = 0;
  for (const char c : kept) magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
  if (!dropped.empty()) {
    bool up = dropped[0] > '5';
    if (dropped[0] == '5') {
      const bool above_half = dropped.find_first_not_of('0', 1) != std::string::npos;
      up = above_half || (magnitude % 2 == 1);  // ties to even
    }
    if (up) ++magnitude;
  }
  // The range is symmetric: the smallest 64-bit value is no amount, as it has no negation.
  if (magnitude > kMaxPositiveUnits) return std::nullopt;
  const auto units = static_cast<std::int64_t>(magnitude);
  return Money::FromUnits(negative ? -units : units);
}

}  // namespace

std::optional<Money> ParseAmount(std::string_view text) {
  Money amount;
  if (ParsePlainAmount(text, amount)) return amount;
  return ParseGeneralAmount(text);
}

bool IsValidAmountText(std::string_view text) { return ParseAmount(text).has_value(); }

namespace {

// "#0.##" of a sum within ±2^63 units, in 64-bit arithmetic: the hundredths rounded half away
// from zero, then the whole part and one or two decimals without trailing zeros.
std::string FormatPlainSmall(MoneySumUnits units) {
  const bool negative = units < 0;
  const auto magnitude = static_cast<std::uint64_t>(negative ? -units : units);
  const std::uint64_t hundredths = magnitude / 100 + (magnitude % 100 >= 50 ? 1 : 0);
  char text[32];
  char* end = text;
  if (negative && hundredths != 0) *end++ = '-';
  end = std::to_chars(end, text + sizeof text, hundredths / 100).ptr;
  const auto fraction = static_cast<int>(hundredths % 100);
  if (fraction != 0) {
    *end++ = '.';
    *end++ = static_cast<char>('0' + fraction / 10);
    if (fraction % 10 != 0) *end++ = static_cast<char>('0' + fraction % 10);
  }
  return std::string(text, end);
}

}  // namespace

std::string FormatMoney(MoneySum value, NumberPattern pattern) {
  constexpr MoneySumUnits kSmall = std::numeric_limits<std::int64_t>::max();
  if (pattern == NumberPattern::kPlain && value.units() <= kSmall && value.units() >= -kSmall) {
    return FormatPlainSmall(value.units());
  }
  return Format(FromUnits(value.units()), pattern);
}

std::string FormatNumber(double value, NumberPattern pattern) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", value);
  // buffer: [-]d.dddddddddddddde[+-]xx
  DecimalText number;
  const char* p = buffer;
  if (*p == '-') {
    number.negative = true;
    ++p;
  }
  for (; *p != 'e'; ++p) {
    if (IsDigit(*p)) number.digits.push_back(*p);
  }
  number.point = std::atoi(p + 1) + 1;
  return Format(number, pattern);
}

std::string MoneyDisplayText(MoneySum value) {
  static const std::string kNegativeMark = Utf8ToCp932("▲");
  std::string text = FormatMoney(value, NumberPattern::kGrouped);
  std::string display;
  if (value.units() < 0) {
    display = kNegativeMark;
    if (!text.empty() && text[0] == '-') text.erase(0, 1);
  }
  display.push_back('\x5C');
  display += text;
  return display;
}

}  // namespace purselog
