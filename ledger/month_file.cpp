#include "ledger/month_file.h"

#include <optional>
#include <string>

#include "core/comma_text.h"
#include "core/text_file.h"

namespace purselog {

std::filesystem::path MonthFilePath(const std::filesystem::path& data_dir, const Date& date) {
  return data_dir / (MonthKey(date) + ".csv");
}

DayPage LoadDayPage(const std::filesystem::path& data_dir, const Date& date) {
  return DayPageOfMonth(ReadFileBytesIfExists(MonthFilePath(data_dir, date)), date);
}

void SaveDayPage(const std::filesystem::path& data_dir, const Date& date, const DayPage& page) {
  const std::filesystem::path path = MonthFilePath(data_dir, date);
  WriteFileAtomic(path, MonthWithDayPage(ReadFileBytesIfExists(path), date, page));
}

DayPage DayPageOfMonth(const std::optional<std::string>& bytes, const Date& date) {
  DayPage page = EmptyDayPage();
  if (!bytes) return page;
  const std::string key = DateKey(date);
  std::string field;
  ForEachLine(*bytes, [&](std::string_view line) {
    if (!FirstCommaFieldEquals(line, key)) return;
    CommaTextCursor cursor(line);
    cursor.Next(field);  // the date key
    // The first row takes the first matching line; later lines get rows of their own. A line
    // with an empty category leaves the first row open to be overwritten by the next one.
    const bool first_row_open = page.front()[kCategoryColumn].empty();
    DayRow& row = first_row_open ? page.front() : page.emplace_back();
    for (int cell = 0; cell < kDayPageColumns && cursor.Next(field); ++cell) row[cell] = field;
  });
  return page;
}

std::string MonthWithDayPage(const std::optional<std::string>& bytes, const Date& date,
                             const DayPage& page) {
  const std::string key = DateKey(date);

  std::string out;
  out.reserve(bytes ? bytes->size() + 256 : 256);
  if (bytes) {
    ForEachLine(*bytes, [&](std::string_view line) {
      if (FirstCommaFieldEquals(line, key)) return;
      out.append(line);
      out.append("\r\n");
    });
  }
  for (const DayRow& row : page) {
    if (!IsCompleteRow(row)) continue;
    out.append(JoinCommaText({key, SingleLineCellText(row[0]), SingleLineCellText(row[1]),
                              SingleLineCellText(row[2]), SingleLineCellText(row[3])}));
    out.append("\r\n");
  }
  // The lines end at a NUL byte; what follows it was never read and goes back as it was.
  if (bytes) out.append(TailFromNul(*bytes));
  return out;
}

}  // namespace purselog
