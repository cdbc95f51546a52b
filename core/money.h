// Money of the account book, in ten-thousandths of the currency unit (four decimal places).
// - Money is one amount: a signed 64-bit count, read from the text the user typed. Amounts lie
//   within -922337203685477.5807 to 922337203685477.5807, so that every amount can be negated.
// - MoneySum is a sum of amounts: a signed 128-bit count, so that totals, however many amounts
//   they add, stay exact. Totals and reports sum into MoneySum and show it with FormatMoney or
//   MoneyDisplayText.
// Arithmetic never wraps: a result beyond the range of its type throws MoneyRangeError.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/errors.h"

namespace purselog {

// A computation with money whose result does not fit its type.
class MoneyRangeError : public AppError {
 public:
  MoneyRangeError();
};

[[noreturn]] void ThrowMoneyRangeError();

class Money {
 public:
  static constexpr std::int64_t kUnitsPerYen = 10000;

  constexpr Money() = default;
  static constexpr Money FromUnits(std::int64_t units) { return Money(units); }
  static constexpr Money FromWhole(std::int64_t whole) {
    std::int64_t units = 0;
    if (__builtin_mul_overflow(whole, kUnitsPerYen, &units)) ThrowMoneyRangeError();
    return Money(units);
  }
  constexpr std::int64_t units() const { return units_; }

  constexpr Money operator-() const { return Money() - *this; }
  constexpr Money operator+(Money other) const {
    std::int64_t units = 0;
    if (__builtin_add_overflow(units_, other.units_, &units)) ThrowMoneyRangeError();
    return Money(units);
  }
  constexpr Money operator-(Money other) const {
    std::int64_t units = 0;
    if (__builtin_sub_overflow(units_, other.units_, &units)) ThrowMoneyRangeError();
    return Money(units);
  }
  constexpr Money& operator+=(Money other) { return *this = *this + other; }
  constexpr Money& operator-=(Money other) { return *this = *this - other; }
  constexpr auto operator<=>(const Money&) const = default;

  double ToDouble() const { return static_cast<double>(units_) / kUnitsPerYen; }

 private:
  constexpr explicit Money(std::int64_t units) : units_(units) {}
  std::int64_t units_ = 0;
};

// The count of ten-thousandths in a MoneySum.
using MoneySumUnits = __int128;

class MoneySum {
 public:
  constexpr MoneySum() = default;
  // Every amount is a sum of one amount (so a Money goes wherever a MoneySum is wanted).
  constexpr MoneySum(Money amount) : units_(amount.units()) {}  // NOLINT: widening
  static constexpr MoneySum FromUnits(MoneySumUnits units) {
    MoneySum sum;
    sum.units_ = units;
    return sum;
  }
  constexpr MoneySumUnits units() const { return units_; }

  constexpr MoneySum operator-() const { return MoneySum() - *this; }
  constexpr MoneySum& operator+=(MoneySum other) {
    if (__builtin_add_overflow(units_, other.units_, &units_)) ThrowMoneyRangeError();
    return *this;
  }
  constexpr MoneySum& operator-=(MoneySum other) {
    if (__builtin_sub_overflow(units_, other.units_, &units_)) ThrowMoneyRangeError();
    return *this;
  }
  friend constexpr MoneySum operator+(MoneySum a, MoneySum b) { return a += b; }
  friend constexpr MoneySum operator-(MoneySum a, MoneySum b) { return a -= b; }
  // An amount on the left is widened, never the sum narrowed.
  friend constexpr MoneySum operator+(Money a, MoneySum b) { return MoneySum(a) += b; }
  friend constexpr MoneySum operator-(Money a, MoneySum b) { return MoneySum(a) -= b; }

  friend constexpr bool operator==(const MoneySum&, const MoneySum&) = default;
  friend constexpr std::strong_ordering operator<=>(const MoneySum& a, const MoneySum& b) {
    return a.units_ <=> b.units_;
  }
  friend constexpr bool operator==(const MoneySum& a, Money b) { return a.units_ == b.units(); }
  friend constexpr std::strong_ordering operator<=>(const MoneySum& a, Money b) {
    return a.units_ <=> MoneySumUnits{b.units()};
  }

  // The sum as one amount; nullopt when it lies outside the range of Money.
  std::optional<Money> ToMoney() const;

  double ToDouble() const { return static_cast<double>(units_) / Money::kUnitsPerYen; }

 private:
  MoneySumUnits units_ = 0;
};

// Reads a decimal amount: optional blanks, optional sign, digits with at most one "." and
// fraction (at least one digit or the point), an optional exponent (E or e, optional sign,
// digits), optional blanks. Rounded to four decimals, ties to even. nullopt for any other text,
// the empty text included, and for a value beyond ±922337203685477.5807.
std::optional<Money> ParseAmount(std::string_view text);

// ParseAmount of the form nearly every stored amount has: an optional sign, at most 14 digits,
// and optionally a point with at most 4 digits after it, nothing else (at least one digit).
// False for any other text, which only ParseAmount reads.
inline bool ParsePlainAmount(std::string_view text, Money& amount) {
  static constexpr std::int64_t kScale[] = {10000, 1000, 100, 10, 1};
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '-' || *p == '+')) ++p;
  const char* const whole = p;
  while (p != end && *p >= '0' && *p <= '9') ++p;
  const long whole_digits = p - whole;
  const char* fraction = p;
  long fraction_digits = 0;
  if (p != end && *p == '.') {
    fraction = ++p;
    while (p != end && *p >= '0' && *p <= '9') ++p;
    fraction_digits = p - fraction;
  }
  if (p != end || whole_digits > 14 || fraction_digits > 4 || whole_digits + fraction_digits == 0) {
    return false;
  }
  std::int64_t units = 0;
  for (const char* digit = whole; digit != whole + whole_digits; ++digit) {
    units = units * 10 + (*digit - '0');
  }
  for (const char* digit = fraction; digit != fraction + fraction_digits; ++digit) {
    units = units * 10 + (*digit - '0');
  }
  units *= kScale[fraction_digits];
  amount = Money::FromUnits(negative ? -units : units);
  return true;
}

// ParseAmount, with 0 for text that is not an amount.
inline Money AmountValue(std::string_view text) {
  Money amount;
  if (ParsePlainAmount(text, amount)) return amount;
  return ParseAmount(text).value_or(Money());
}
// Whether the day page accepts the text as an amount.
bool IsValidAmountText(std::string_view text);

// Number patterns. Rounding to the last shown digit takes halves away from zero; negatives get a
// leading "-" (but a value that rounds to zero shows no sign).
enum class NumberPattern {
  kPlain,        // "#0.##": 1234.5, 0, -12
  kGrouped,      // "#,0.##": 1,234.5, 12,000
  kOneDecimal,   // "0.0": 12.3, 0.0
  kGroupedWhole  // "#,0": 12,345
};
// Exact for every sum (an amount is a sum of one).
std::string FormatMoney(MoneySum value, NumberPattern pattern);
// Doubles are first taken to 15 significant digits, so that binary noise (0.1 + 0.2) does not
// decide a rounding.
std::string FormatNumber(double value, NumberPattern pattern);

// The money text of the totals lines, as code page 932 bytes: the currency symbol (the byte
// 0x5C, which Japanese fonts show as the yen sign) and the absolute value "#,0.##", with "▲" in
// front when the value is negative.
std::string MoneyDisplayText(MoneySum value);

}  // namespace purselog
