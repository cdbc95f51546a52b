// The arithmetic of the reports: rnd() to the nearest integer with halves to the even neighbour,
// exact shares of money, and money read back from the texts the reports write.
#pragma once

#include <cmath>
#include <string_view>

#include "core/money.h"

namespace purselog {

// rnd(x): the nearest integer, halves to the even neighbour.
inline long double RoundHalfEven(long double x) { return std::nearbyint(x); }

// trunc(part / whole × scale), computed exactly (cut towards zero) for any sums a book can hold;
// 0 for a whole of 0.
MoneySumUnits TruncatedShare(MoneySum part, MoneySum whole, int scale);

// part / whole × scale rounded to a whole number, halves away from zero, exactly; 0 for a whole
// of 0. Kept within ±10^12.
long long RoundedShare(MoneySum part, MoneySum whole, int scale);

// The value of a money text such as the reports write ("#0.##": "-1234.5"), exactly, however
// large; any other amount text as the day page reads it (AmountValue), 0 when it is none.
MoneySum MoneyTextValue(std::string_view text);

}  // namespace purselog
