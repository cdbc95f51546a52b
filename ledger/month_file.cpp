#include "ledger/month_file.h"

#include <algorithm>
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

namespace {

// The next line of the day (its date key already read) into the page: the first row takes the
// first such line, later lines get rows of their own. A line with an empty category leaves the
// first row open to be overwritten by the next one.
void AddLineToPage(DayPage& page, std::string_view line, std::string& field) {
  CommaTextCursor cursor(line);
  cursor.Next(field);  // the date key
  const bool first_row_open = page.front()[kCategoryColumn].empty();
  DayRow& row = first_row_open ? page.front() : page.emplace_back();
  for (int cell = 0; cell < kDayPageColumns && cursor.Next(field); ++cell) row[cell] = field;
}

// The page's complete rows as lines of the day.
void AppendPage(std::string& out, const std::string& key, const DayPage& page) {
  for (const DayRow& row : page) {
    if (!IsCompleteRow(row)) continue;
    out.append(JoinCommaText({key, SingleLineCellText(row[0]), SingleLineCellText(row[1]),
                              SingleLineCellText(row[2]), SingleLineCellText(row[3])}));
    out.append("\r\n");
  }
}

}  // namespace

DayPage DayPageOfMonth(const std::optional<std::string>& bytes, const Date& date) {
  DayPage page = EmptyDayPage();
  if (!bytes) return page;
  const std::string key = DateKey(date);
  std::string field;
  ForEachLine(*bytes, [&](std::string_view line) {
    if (FirstCommaFieldEquals(line, key)) AddLineToPage(page, line, field);
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
  AppendPage(out, key, page);
  // The lines end at a NUL byte; what follows it was never read and goes back as it was.
  if (bytes) out.append(TailFromNul(*bytes));
  return out;
}

std::string MonthWithEditedDays(const std::optional<std::string>& bytes,
                                const std::vector<Date>& days,
                                const std::function<void(std::size_t day, DayPage& page)>& edit) {
  // Each save moves its day's lines to the end, so the lines of the other days keep their order
  // before all of them, and the days follow in the order they were saved.
  std::vector<std::string> keys;
  std::vector<DayPage> pages(days.size(), EmptyDayPage());
  for (const Date& day : days) keys.push_back(DateKey(day));
  std::string out;
  out.reserve(bytes ? bytes->size() + 256 : 256);
  if (bytes) {
    std::string field;
    ForEachLine(*bytes, [&](std::string_view line) {
      const std::optional<std::string> first = FirstCommaField(line);
      const auto found = first ? std::find(keys.begin(), keys.end(), *first) : keys.end();
      if (found == keys.end()) {
        out.append(line);
        out.append("\r\n");
        return;
      }
      AddLineToPage(pages[static_cast<std::size_t>(found - keys.begin())], line, field);
    });
  }
  for (std::size_t i = 0; i < days.size(); ++i) {
    edit(i, pages[i]);
    AppendPage(out, keys[i], pages[i]);
  }
  if (bytes) out.append(TailFromNul(*bytes));
  return out;
}

}  // namespace purselog
