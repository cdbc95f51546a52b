// Shift_JIS (code page 932) text meets Unicode here and nowhere else: conversions for the
// screen, and the locale-like comparisons that ignore letter case. Uses ICU.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace purselog {

// Invalid or unmapped bytes become U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);

// Characters that Unicode input gives in another form than the keyboard of a Japanese Windows
// system: each is taken as the character that code page 932 has in its place.
//   U+301C WAVE DASH              -> U+FF5E FULLWIDTH TILDE        (0x81 0x60)
//   U+2212 MINUS SIGN             -> U+FF0D FULLWIDTH HYPHEN-MINUS (0x81 0x7C)
//   U+2016 DOUBLE VERTICAL LINE   -> U+2225 PARALLEL TO            (0x81 0x61)
//   U+00A2 CENT SIGN              -> U+FFE0 FULLWIDTH CENT SIGN    (0x81 0x91)
//   U+00A3 POUND SIGN             -> U+FFE1 FULLWIDTH POUND SIGN   (0x81 0x92)
//   U+00AC NOT SIGN               -> U+FFE2 FULLWIDTH NOT SIGN     (0x81 0xCA)
//   U+2014 EM DASH                -> U+2015 HORIZONTAL BAR         (0x81 0x5C)
char32_t Cp932Counterpart(char32_t character);

// Code page 932 bytes of the UTF-8 text, after Cp932Counterpart. A character that still has no
// code page 932 form becomes "?": callers that must not lose a character check the text with
// FirstUnencodableCharacter first. Invalid UTF-8 is read as U+FFFD (and so becomes "?").
std::string Utf8ToCp932(std::string_view utf8);

// The first character of the UTF-8 text that has no code page 932 form even after
// Cp932Counterpart, or nullopt when Utf8ToCp932 keeps every character. Invalid UTF-8 gives
// U+FFFD.
std::optional<char32_t> FirstUnencodableCharacter(std::string_view utf8);

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
