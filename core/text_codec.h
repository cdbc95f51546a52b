// Shift_JIS (code page 932) text meets Unicode here and nowhere else: conversions for the
// screen, and the locale-like comparisons that ignore letter case. Uses ICU.
#pragma once

#include <string>
#include <string_view>

namespace purselog {

// Invalid or unmapped bytes become U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);
// Characters without a code page 932 form become "?".
std::string Utf8ToCp932(std::string_view utf8);

// Equality of two code page 932 texts ignoring letter case, as a Japanese locale compares:
// Latin letters fold in both their half-width and full-width forms (but a half-width letter never
// equals a full-width one), Greek and Cyrillic letters fold too. Texts with bytes that are not
// valid code page 932 are equal only when byte for byte equal.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// A key that two texts share exactly when EqualsIgnoreCase holds for them (full Unicode case
// folding of valid text; invalid text keys on its own bytes). Compute once, compare often.
std::string FoldCaseKey(std::string_view cp932);

// The ascending order of two code page 932 texts used to sort lines: the Japanese collation with
// letter case ignored, then the bytes as a tie-breaker, so that the order is total.
// Negative, zero or positive.
int CompareIgnoreCase(std::string_view a, std::string_view b);

// A byte string whose plain byte order is the order of CompareIgnoreCase; cheaper for sorting
// many lines (compute each key once).
std::string SortKeyIgnoreCase(std::string_view cp932);

}  // namespace purselog
