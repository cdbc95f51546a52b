#include "reports/chart_math.h"

#include <algorithm>
#include <optional>

namespace purselog {

namespace {

constexpr long long kShareLimit = 1'000'000'000'000LL;

long long Clamp(MoneySumUnits value) {
  return static_cast<long long>(
      std::clamp<MoneySumUnits>(value, MoneySumUnits{-kShareLimit}, MoneySumUnits{kShareLimit}));
}

// The quotient as a long double, for products beyond 128 bits (never from real books).
long long ApproximateShare(MoneySum part, MoneySum whole, int scale, bool rounded) {
  const long double share =
      static_cast<long double>(part.units()) / static_cast<long double>(whole.units()) * scale;
  const long double limited = std::clamp<long double>(share, -kShareLimit, kShareLimit);
  return static_cast<long long>(rounded ? std::round(limited) : std::trunc(limited));
}

// The plain form -?d+(.d{1,4})? into ten-thousandths; nullopt for any other text or beyond 128
// bits.
std::optional<MoneySum> PlainMoneyText(std::string_view text) {
  std::size_t pos = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) ++pos;
  MoneySumUnits units = 0;
  std::size_t digits = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos, ++digits) {
    if (__builtin_mul_overflow(units, MoneySumUnits{10}, &units) ||
        __builtin_add_overflow(units, MoneySumUnits{text[pos] - '0'}, &units)) {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  int decimals = 0;
  if (pos < text.size() && text[pos] == '.') {
    for (++pos; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
      if (++decimals > 4 || __builtin_mul_overflow(units, MoneySumUnits{10}, &units) ||
          __builtin_add_overflow(units, MoneySumUnits{text[pos] - '0'}, &units)) {
        return std::nullopt;
      }
    }
    if (decimals == 0) return std::nullopt;
  }
  if (pos != text.size()) return std::nullopt;
  for (; decimals < 4; ++decimals) {
    if (__builtin_mul_overflow(units, MoneySumUnits{10}, &units)) return std::nullopt;
  }
  return MoneySum::FromUnits(negative ? -units : units);
}

}  // namespace

MoneySum MoneyTextValue(std::string_view text) {
  if (const std::optional<MoneySum> plain = PlainMoneyText(text)) return *plain;
  return AmountValue(text);
}

MoneySumUnits TruncatedShare(MoneySum part, MoneySum whole, int scale) {
  if (whole.units() == 0) return 0;
  // (part div whole) × scale plus (part mod whole) × scale div whole: each cut towards zero like
  // the whole quotient, and the remainder's product within 128 bits for any whole below 2^119.
  const MoneySumUnits d = whole.units();
  return part.units() / d * scale + part.units() % d * scale / d;
}

long long RoundedShare(MoneySum part, MoneySum whole, int scale) {
  if (whole.units() == 0) return 0;
  constexpr MoneySumUnits kLowest = -(MoneySumUnits{1} << 126) * 2;  // has no magnitude
  MoneySumUnits product = 0;
  if (__builtin_mul_overflow(part.units(), MoneySumUnits{scale}, &product) || product == kLowest ||
      whole.units() == kLowest) {
    return ApproximateShare(part, whole, scale, true);
  }
  // On magnitudes: the quotient, one up when the remainder is at least half the divisor.
  const bool negative = (product < 0) != (whole.units() < 0);
  const MoneySumUnits n = product < 0 ? -product : product;
  const MoneySumUnits d = whole.units() < 0 ? -whole.units() : whole.units();
  MoneySumUnits quotient = n / d;
  const MoneySumUnits remainder = n % d;
  if (remainder >= d - remainder) ++quotient;
  return Clamp(negative ? -quotient : quotient);
}

}  // namespace purselog
