// Money of the account book: a signed 64-bit count of ten-thousandths, exact under addition.
// Amounts are stored as the text the user typed and read into Money when summed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace purselog {

class Money {
 public:
  static constexpr std::int64_t kUnitsPerYen = 10000;

  constexpr Money() = default;
  static constexpr Money FromUnits(std::int64_t units) { return Money(units); }
  static constexpr Money FromWhole(std::int64_t whole) { return Money(whole * kUnitsPerYen); }
  constexpr std::int64_t units() const { return units_; }

  constexpr Money operator-() const { return Money(-units_); }
  constexpr Money operator+(Money other) const { return Money(units_ + other.units_); }
  constexpr Money operator-(Money other) const { return Money(units_ - other.units_); }
  constexpr Money& operator+=(Money other) {
    units_ += other.units_;
    return *this;
  }
  constexpr Money& operator-=(Money other) {
    units_ -= other.units_;
    return *this;
  }
  constexpr auto operator<=>(const Money&) const = default;

  double ToDouble() const { return static_cast<double>(units_) / kUnitsPerYen; }

 private:
  constexpr explicit Money(std::int64_t units) : units_(units) {}
  std::int64_t units_ = 0;
};

// Reads a decimal amount: optional blanks, optional sign, digits with at most one "." and
// fraction (at least one digit or the point), an optional exponent (E or e, optional sign,
// digits), optional blanks. Rounded to four decimals, ties to even. nullopt for any other text,
// the empty text included, and for a value outside the range of Money.
std::optional<Money> ParseAmount(std::string_view text);
// ParseAmount, with 0 for text that is not an amount.
Money AmountValue(std::string_view text);
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
std::string FormatMoney(Money value, NumberPattern pattern);
// Doubles are first taken to 15 significant digits, so that binary noise (0.1 + 0.2) does not
// decide a rounding.
std::string FormatNumber(double value, NumberPattern pattern);

// The money text of the totals lines, as code page 932 bytes: the currency symbol (the byte
// 0x5C, which Japanese fonts show as the yen sign) and the absolute value "#,0.##", with "▲" in
// front when the value is negative.
std::string MoneyDisplayText(Money value);

}  // namespace purselog
