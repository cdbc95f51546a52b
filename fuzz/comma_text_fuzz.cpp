// The comma-text codec: any line splits without fault, the three readers of field 0 agree with
// the split, joining the fields and splitting again gives them back (but for a trailing empty
// field), and any list of fields survives a join and a split the same way.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/comma_text.h"
#include "fuzz_support.h"

namespace {

using purselog::JoinCommaText;
using purselog::SplitCommaText;

// What splitting the join of `fields` gives: the fields, less a trailing empty one when there
// are several (a single empty field is written as "" and comes back).
std::vector<std::string> AfterRoundTrip(std::vector<std::string> fields) {
  if (fields.size() > 1 && fields.back().empty()) fields.pop_back();
  return fields;
}

void CheckLine(std::string_view line) {
  const std::vector<std::string> fields = SplitCommaText(line);
  const std::optional<std::string> first = purselog::FirstCommaField(line);
  FUZZ_CHECK(first.has_value() == !fields.empty());
  if (first) {
    FUZZ_CHECK(*first == fields.front());
    FUZZ_CHECK(purselog::FirstCommaFieldEquals(line, fields.front()));
    FUZZ_CHECK(!purselog::FirstCommaFieldEquals(line, fields.front() + "x"));
  } else {
    FUZZ_CHECK(!purselog::FirstCommaFieldEquals(line, ""));
  }
  for (const std::string& field : fields) FUZZ_CHECK(field.find('\0') == std::string::npos);
  FUZZ_CHECK(SplitCommaText(JoinCommaText(fields)) == AfterRoundTrip(fields));
}

}  // namespace

// The input is a line; it is also read as a list of fields separated by its first byte (NUL
// bytes dropped: a NUL ends a line, so no field can hold one).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = purselog::fuzz::AsText(data, size);
  CheckLine(text);
  purselog::IsIntegerText(text);

  if (text.empty()) return 0;
  const char separator = text.front();
  std::vector<std::string> fields(1);
  for (const char c : text.substr(1)) {
    if (c == separator) {
      fields.emplace_back();
    } else if (c != '\0') {
      fields.back().push_back(c);
    }
  }
  FUZZ_CHECK(SplitCommaText(JoinCommaText(fields)) == AfterRoundTrip(fields));
  return 0;
}
