#include "core/text_codec.h"

#include <unicode/ucnv.h>
#include <unicode/ucol.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace purselog {

namespace {

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
struct CollatorCloser {
  void operator()(UCollator* collator) const { ucol_close(collator); }
};

// The substitution character is "?" in both directions: encoding writes it for a character
// without a form, and with it decoding writes U+FFFD for an invalid byte (with the converter's
// own one-byte substitute 0x1A, decoding would write U+001A).
std::unique_ptr<UConverter, ConverterCloser> OpenCp932() {
  UErrorCode status = U_ZERO_ERROR;
  UConverter* opened = ucnv_open("windows-31j", &status);
  if (U_FAILURE(status)) throw std::runtime_error("ICU has no converter for code page 932");
  ucnv_setSubstChars(opened, "?", 1, &status);
  return std::unique_ptr<UConverter, ConverterCloser>(opened);
}

// One converter per direction, opened once per thread (the program is single-threaded, tests
// may not be), so that neither direction's settings reach the other.
UConverter* Cp932Decoder() {
  thread_local std::unique_ptr<UConverter, ConverterCloser> converter = OpenCp932();
  return converter.get();
}

UConverter* Cp932Encoder() {
  thread_local std::unique_ptr<UConverter, ConverterCloser> converter = OpenCp932();
  return converter.get();
}

UCollator* JapaneseCollator() {
  thread_local std::unique_ptr<UCollator, CollatorCloser> collator = [] {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* opened = ucol_open("ja", &status);
    if (U_FAILURE(status)) throw std::runtime_error("ICU has no Japanese collation");
    ucol_setStrength(opened, UCOL_SECONDARY);
    return std::unique_ptr<UCollator, CollatorCloser>(opened);
  }();
  return collator.get();
}

// Decodes to UTF-16. With `strict`, returns nullopt when a byte sequence is not valid code page
// 932; otherwise such sequences become U+FFFD.
std::optional<std::u16string> Decode(std::string_view bytes, bool strict) {
  std::u16string out;
  if (bytes.empty()) return out;
  UConverter* converter = Cp932Decoder();
  ucnv_resetToUnicode(converter);
  UErrorCode status = U_ZERO_ERROR;
  if (strict) {
    ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  } else {
    ucnv_setToUCallBack(converter, UCNV_TO_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr,
                        &status);
  }
  out.resize(bytes.size() + 1);
  const int32_t length = ucnv_toUChars(converter, reinterpret_cast<UChar*>(out.data()),
                                       static_cast<int32_t>(out.size()), bytes.data(),
                                       static_cast<int32_t>(bytes.size()), &status);
  if (U_FAILURE(status)) {
    if (strict) return std::nullopt;
    throw std::runtime_error("code page 932 conversion failed");
  }
  out.resize(static_cast<std::size_t>(length));
  return out;
}

std::u16string DecodeLenient(std::string_view bytes) { return *Decode(bytes, false); }

int Sign(int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

// UTF-16 of the UTF-8 text (invalid sequences as U+FFFD), each character replaced by its
// Cp932Counterpart.
std::u16string ToCp932Input(std::string_view utf8) {
  std::u16string wide;
  if (utf8.empty()) return wide;
  wide.resize(utf8.size() + 1);
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = 0;
  u_strFromUTF8WithSub(reinterpret_cast<UChar*>(wide.data()), static_cast<int32_t>(wide.size()),
                       &length, utf8.data(), static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr,
                       &status);
  if (U_FAILURE(status)) throw std::runtime_error("UTF-8 conversion failed");
  wide.resize(static_cast<std::size_t>(length));
  // Every character with a counterpart, and every counterpart, is one UTF-16 unit.
  for (char16_t& unit : wide) unit = static_cast<char16_t>(Cp932Counterpart(unit));
  return wide;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  const std::u16string wide = DecodeLenient(cp932);
  std::string out(wide.size() * 3 + 1, '\0');
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = 0;
  u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length,
                     reinterpret_cast<const UChar*>(wide.data()), static_cast<int32_t>(wide.size()),
                     0xFFFD, nullptr, &status);
  if (U_FAILURE(status)) throw std::runtime_error("UTF-8 conversion failed");
  out.resize(static_cast<std::size_t>(length));
  return out;
}

char32_t Cp932Counterpart(char32_t character) {
  switch (character) {
    case U'\u301C':
      return U'\uFF5E';
    case U'\u2212':
      return U'\uFF0D';
    case U'\u2016':
      return U'\u2225';
    case U'\u00A2':
      return U'\uFFE0';
    case U'\u00A3':
      return U'\uFFE1';
    case U'\u00AC':
      return U'\uFFE2';
    case U'\u2014':
      return U'\u2015';
    default:
      return character;
  }
}

std::string Utf8ToCp932(std::string_view utf8) {
  const std::u16string wide = ToCp932Input(utf8);
  if (wide.empty()) return {};
  UConverter* converter = Cp932Encoder();
  ucnv_resetFromUnicode(converter);
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_SUBSTITUTE, nullptr, nullptr, nullptr,
                        &status);
  std::string out(wide.size() * 2 + 1, '\0');
  const int32_t length = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                                         reinterpret_cast<const UChar*>(wide.data()),
                                         static_cast<int32_t>(wide.size()), &status);
  if (U_FAILURE(status)) throw std::runtime_error("code page 932 conversion failed");
  out.resize(static_cast<std::size_t>(length));
  return out;
}

std::optional<char32_t> FirstUnencodableCharacter(std::string_view utf8) {
  const std::u16string wide = ToCp932Input(utf8);
  if (wide.empty()) return std::nullopt;
  UConverter* converter = Cp932Encoder();
  ucnv_resetFromUnicode(converter);
  UErrorCode status = U_ZERO_ERROR;
  ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  std::string out(wide.size() * 2 + 1, '\0');
  ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                  reinterpret_cast<const UChar*>(wide.data()), static_cast<int32_t>(wide.size()),
                  &status);
  if (status != U_INVALID_CHAR_FOUND && status != U_ILLEGAL_CHAR_FOUND) {
    if (U_FAILURE(status)) throw std::runtime_error("code page 932 conversion failed");
    return std::nullopt;
  }
  UChar invalid[4] = {};
  int8_t invalid_length = 4;
  UErrorCode invalid_status = U_ZERO_ERROR;
  ucnv_getInvalidUChars(converter, invalid, &invalid_length, &invalid_status);
  if (U_FAILURE(invalid_status) || invalid_length <= 0) return U'\uFFFD';
  UChar32 character = 0;
  int32_t offset = 0;
  U16_NEXT(invalid, offset, invalid_length, character);
  return static_cast<char32_t>(character);
}

std::string FoldCaseKey(std::string_view cp932) {
  const std::optional<std::u16string> wide = Decode(cp932, true);
  if (!wide) return "\x01" + std::string(cp932);
  std::u16string folded(wide->size() * 3 + 1, u'\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length =
      u_strFoldCase(reinterpret_cast<UChar*>(folded.data()), static_cast<int32_t>(folded.size()),
                    reinterpret_cast<const UChar*>(wide->data()),
                    static_cast<int32_t>(wide->size()), U_FOLD_CASE_DEFAULT, &status);
  if (U_FAILURE(status)) throw std::runtime_error("case folding failed");
  std::string key(1, '\0');
  key.append(reinterpret_cast<const char*>(folded.data()),
             static_cast<std::size_t>(length) * sizeof(char16_t));
  return key;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  return a == b || FoldCaseKey(a) == FoldCaseKey(b);
}

int CompareIgnoreCase(std::string_view a, std::string_view b) {
  const std::string key_a = SortKeyIgnoreCase(a);
  const std::string key_b = SortKeyIgnoreCase(b);
  return Sign(key_a.compare(key_b));
}

std::string SortKeyIgnoreCase(std::string_view cp932) {
  const std::u16string wide = DecodeLenient(cp932);
  UCollator* collator = JapaneseCollator();
  std::string key(wide.size() * 4 + 16, '\0');
  for (;;) {
    const int32_t needed = ucol_getSortKey(
        collator, reinterpret_cast<const UChar*>(wide.data()), static_cast<int32_t>(wide.size()),
        reinterpret_cast<uint8_t*>(key.data()), static_cast<int32_t>(key.size()));
    if (needed <= static_cast<int32_t>(key.size())) {
      key.resize(static_cast<std::size_t>(needed));
      break;
    }
    key.resize(static_cast<std::size_t>(needed));
  }
  // ucol_getSortKey ends the key with a zero byte, which sorts below every tie-breaker byte.
  // The tie-breaker: the text itself, so that texts differing only in case or in invalid bytes
  // still have a fixed order.
  key.append(cp932);
  return key;
}

}  // namespace purselog
