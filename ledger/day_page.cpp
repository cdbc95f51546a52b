#include "ledger/day_page.h"

namespace purselog {

DayPage EmptyDayPage() { return DayPage(1); }

std::string SingleLineCellText(std::string_view text) {
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
  std::string line;
  line.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\0') continue;
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      line.push_back(' ');
      continue;
    }
    line.push_back(c);
  }
  return line;
}

bool IsCompleteRow(const DayRow& row) {
  // The cells as they will be written: a cell of line breaks or NUL bytes only is written empty.
  return !SingleLineCellText(row[kCategoryColumn]).empty() &&
         !SingleLineCellText(row[kDescriptionColumn]).empty() &&
         !SingleLineCellText(row[kAmountColumn]).empty();
}

}  // namespace purselog
