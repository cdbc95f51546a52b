#include "search/line_order.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucol.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string_view>

#include "core/text_codec.h"

namespace purselog {

namespace {

// Sorting a history of many thousand lines by one collation key per line is several times
// slower than reading the lines. Nearly every line starts with a date key, eight digits and a
// comma, and the collation orders digits by their values, one weight each; so two lines whose
// keys differ are in the order of their keys as bytes, and only the lines of one day need the
// collation, compared with each other directly. The few other lines are placed among them with
// whole collation keys. The result is the order of SortKeyIgnoreCase throughout.

constexpr std::size_t kDateKeyLength = 8;

// The date key as a number, when the line starts with eight digits and a comma.
std::optional<std::uint32_t> LeadingDateKey(std::string_view line) {
  if (line.size() <= kDateKeyLength || line[kDateKeyLength] != ',') return std::nullopt;
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < kDateKeyLength; ++i) {
    const char c = line[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return value;
}

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
struct CollatorCloser {
  void operator()(UCollator* collator) const { ucol_close(collator); }
};

// Every byte sequence that is not code page 932 becomes U+FFFD, as the text codec promises,
// whatever substitution character the converter was given for the other direction.
void SubstituteReplacementCharacter(const void*, UConverterToUnicodeArgs* args, const char*,
                                    int32_t, UConverterCallbackReason reason, UErrorCode* status) {
  if (reason > UCNV_IRREGULAR) return;  // reset, close, clone: nothing to write
  const UChar replacement = 0xFFFD;
  *status = U_ZERO_ERROR;
  ucnv_cbToUWriteUChars(args, &replacement, 1, 0, status);
}

// The comparison of SortKeyIgnoreCase (the Japanese collation at secondary strength, over the
// text decoded with invalid bytes as U+FFFD), applied to decoded text.
class DayCollation {
 public:
  DayCollation() {
    UErrorCode status = U_ZERO_ERROR;
    converter_.reset(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status)) throw std::runtime_error("ICU has no converter for code page 932");
    ucnv_setToUCallBack(converter_.get(), SubstituteReplacementCharacter, nullptr, nullptr, nullptr,
                        &status);
    collator_.reset(ucol_open("ja", &status));
    if (U_FAILURE(status)) throw std::runtime_error("ICU has no Japanese collation");
    ucol_setStrength(collator_.get(), UCOL_SECONDARY);
  }

  // Appends the UTF-16 form of `bytes` to `out`.
  void Decode(std::string_view bytes, std::u16string& out) {
    if (bytes.empty()) return;
    const std::size_t start = out.size();
    out.resize(start + bytes.size() + 1);
    ucnv_resetToUnicode(converter_.get());
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        ucnv_toUChars(converter_.get(), reinterpret_cast<UChar*>(out.data() + start),
                      static_cast<int32_t>(bytes.size() + 1), bytes.data(),
                      static_cast<int32_t>(bytes.size()), &status);
    if (U_FAILURE(status)) throw std::runtime_error("code page 932 conversion failed");
    out.resize(start + static_cast<std::size_t>(length));
  }

  int Compare(std::u16string_view a, std::u16string_view b) const {
    return ucol_strcoll(collator_.get(), reinterpret_cast<const UChar*>(a.data()),
                        static_cast<int32_t>(a.size()), reinterpret_cast<const UChar*>(b.data()),
                        static_cast<int32_t>(b.size()));
  }

 private:
  std::unique_ptr<UConverter, ConverterCloser> converter_;
  std::unique_ptr<UCollator, CollatorCloser> collator_;
};

// Sorts the lines of one day (all with the same date key) in place.
void SortDay(const std::vector<std::string>& lines, std::vector<std::size_t>::iterator first,
             std::vector<std::size_t>::iterator last, DayCollation& collation,
             std::u16string& texts, std::vector<std::size_t>& offsets) {
  const std::size_t count = static_cast<std::size_t>(last - first);
  texts.clear();
  offsets.assign(1, 0);
  for (auto it = first; it != last; ++it) {
    collation.Decode(lines[*it], texts);
    offsets.push_back(texts.size());
  }
  struct Member {
    std::size_t line;
    std::u16string_view text;
  };
  std::vector<Member> members;
  members.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    members.push_back({first[static_cast<std::ptrdiff_t>(i)],
                       std::u16string_view(texts).substr(offsets[i], offsets[i + 1] - offsets[i])});
  }
  std::sort(members.begin(), members.end(), [&](const Member& a, const Member& b) {
    const int order = collation.Compare(a.text, b.text);
    if (order != 0) return order < 0;
    return lines[a.line] < lines[b.line];
  });
  for (std::size_t i = 0; i < count; ++i) first[static_cast<std::ptrdiff_t>(i)] = members[i].line;
}

}  // namespace

void SortLinesIgnoreCase(std::vector<std::string>& lines) {
  struct Dated {
    std::uint32_t key;
    std::size_t line;
  };
  std::vector<Dated> dated;
  dated.reserve(lines.size());
  std::vector<std::size_t> others;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (const std::optional<std::uint32_t> key = LeadingDateKey(lines[i])) {
      dated.push_back({*key, i});
    } else {
      others.push_back(i);
    }
  }

  // The dated lines: by date key, then each day's lines by the collation.
  std::sort(dated.begin(), dated.end(),
            [](const Dated& a, const Dated& b) { return a.key < b.key; });
  std::vector<std::size_t> order(dated.size());
  for (std::size_t i = 0; i < dated.size(); ++i) order[i] = dated[i].line;
  DayCollation collation;
  std::u16string texts;
  std::vector<std::size_t> offsets;
  for (std::size_t begin = 0; begin < dated.size();) {
    std::size_t end = begin + 1;
    while (end < dated.size() && dated[end].key == dated[begin].key) ++end;
    if (end - begin > 1) {
      SortDay(lines, order.begin() + static_cast<std::ptrdiff_t>(begin),
              order.begin() + static_cast<std::ptrdiff_t>(end), collation, texts, offsets);
    }
    begin = end;
  }

  // The other lines by their whole keys, each placed after the dated lines that sort before it.
  if (!others.empty()) {
    std::vector<std::string> other_keys(lines.size());
    for (const std::size_t i : others) other_keys[i] = SortKeyIgnoreCase(lines[i]);
    std::sort(others.begin(), others.end(),
              [&](std::size_t a, std::size_t b) { return other_keys[a] < other_keys[b]; });
    std::vector<std::optional<std::string>> dated_keys(order.size());
    const auto dated_key = [&](std::size_t position) -> const std::string& {
      if (!dated_keys[position]) dated_keys[position] = SortKeyIgnoreCase(lines[order[position]]);
      return *dated_keys[position];
    };
    std::vector<std::size_t> merged;
    merged.reserve(lines.size());
    std::size_t taken = 0;
    for (const std::size_t other : others) {
      // The first dated line not before this one (binary search from where the last one went).
      std::size_t low = taken;
      std::size_t high = order.size();
      while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (dated_key(middle) < other_keys[other]) {
          low = middle + 1;
        } else {
          high = middle;
        }
      }
      merged.insert(merged.end(), order.begin() + static_cast<std::ptrdiff_t>(taken),
                    order.begin() + static_cast<std::ptrdiff_t>(low));
      merged.push_back(other);
      taken = low;
    }
    merged.insert(merged.end(), order.begin() + static_cast<std::ptrdiff_t>(taken), order.end());
    order = std::move(merged);
  }

  std::vector<std::string> sorted;
  sorted.reserve(lines.size());
  for (const std::size_t i : order) sorted.push_back(std::move(lines[i]));
  lines = std::move(sorted);
}

}  // namespace purselog
