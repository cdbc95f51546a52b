#include "net/net_import.h"

#include <algorithm>
#include <map>
#include <optional>

#include "core/comma_text.h"
#include "core/date.h"
#include "core/text_codec.h"
#include "core/text_file.h"
#include "ledger/day_page.h"
#include "ledger/ecsv.h"
#include "ledger/month_file.h"

namespace purselog {

std::filesystem::path NetAnswerFile(const ProgramPaths& paths) {
  return paths.program_dir / "~net.dat";
}

std::string EncodeQueryValue(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F || c == '%' || c == '&' || c == '?' || c == '#') {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::string ServiceRequestUrl(std::string_view url, std::string_view id, std::string_view password,
                              bool remove) {
  return std::string(url) + "?action=get&id=" + EncodeQueryValue(id) +
         "&pass=" + EncodeQueryValue(password) + (remove ? "&remove=1" : "&remove=0");
}

std::string LoadingLogText() { return "Loading"; }

std::string ReceivedLogText(std::uintmax_t bytes) {
  return "Received " + std::to_string(bytes) + " bytes";
}

std::string FailedLogText(int number, std::string_view reason) {
  return "Failed : " + std::to_string(number) + " " + std::string(reason);
}

bool AnswerHasData(const std::vector<std::string>& answer_lines) {
  return std::any_of(answer_lines.begin(), answer_lines.end(), [](const std::string& line) {
    return std::any_of(line.begin(), line.end(),
                       [](char c) { return static_cast<unsigned char>(c) > 0x20; });
  });
}

std::vector<std::string> CheckLogLines(const std::vector<std::string>& answer_lines) {
  std::vector<std::string> lines = answer_lines;
  if (!AnswerHasData(answer_lines)) {
    lines.push_back(Utf8ToCp932("データはありません。"));
    return lines;
  }
  for (const char* text : {"---", "以上のデータでよろしいですか？",
                           "よろしければ下の「データ取り込みボタン」を押してください。",
                           "取り込んだデータは、サーバから削除されます。"}) {
    lines.push_back(Utf8ToCp932(text));
  }
  return lines;
}

void MergeNetAnswer(const std::filesystem::path& answer_file, const std::filesystem::path& data_dir,
                    const CategoryTable& categories) {
  MergeNetAnswerText(ReadFileBytesIfExists(answer_file).value_or(std::string()), data_dir,
                     categories);
}

void MergeNetAnswerText(std::string_view text, const std::filesystem::path& data_dir,
                        const CategoryTable& categories) {
  TEcsv answer;
  answer.LoadText(text);
  const int columns = answer.ColCount();

  // The rows of each day, in answer order. A day's page is read and written once; days are
  // written in the order of their last line, which leaves the month files exactly as a write
  // after every line would (each write moves the day's lines to the end of its file).
  struct Day {
    Date date;
    std::vector<DayRow> rows;
    int last_line = 0;
  };
  std::map<std::string, Day> days;
  for (int line = 0; line < answer.RowCount(); ++line) {
    // A date key of exactly eight digits naming a real day: anything else could name a day the
    // line never meant.
    const std::string key = answer.Cell(0, line);
    const std::optional<Date> date = ParseDateKey(key);
    if (!date) continue;
    if (categories.FindCategory(answer.Cell(1, line)) < 0) continue;
    if (!IsIntegerText(answer.Cell(3, line))) continue;
    DayRow row;
    for (int field = 1; field < columns && field <= kDayPageColumns; ++field) {
      row[static_cast<std::size_t>(field - 1)] = answer.Cell(field, line);
    }
    Day& day = days.try_emplace(key, Day{*date, {}, line}).first->second;
    day.rows.push_back(std::move(row));
    day.last_line = line;
  }

  std::vector<const Day*> order;
  order.reserve(days.size());
  for (const auto& [key, day] : days) order.push_back(&day);
  std::sort(order.begin(), order.end(),
            [](const Day* a, const Day* b) { return a->last_line < b->last_line; });
  for (const Day* day : order) {
    DayPage page = LoadDayPage(data_dir, day->date);
    for (const DayRow& row : day->rows) {
      // A page without entries takes the row in its empty first row; otherwise it goes after
      // the last row.
      if (!page.front()[kCategoryColumn].empty()) {
        InsertEmptyRow(page, static_cast<int>(page.size()));
      }
      page.back() = row;
    }
    SaveDayPage(data_dir, day->date, page);
  }
}

}  // namespace purselog
