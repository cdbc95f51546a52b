#include "net/net_import.h"

#include <algorithm>
#include <map>

#include "core/comma_text.h"
#include "core/date.h"
#include "core/errors.h"
#include "core/text_codec.h"
#include "core/text_file.h"
#include "ledger/day_page.h"
#include "ledger/month_file.h"
#include "net/http_cli.h"

namespace purselog {

namespace {

constexpr std::string_view kJournalHeader = "purselog net import 1";
// The line of a journal whose answer has not been looked at yet.
constexpr std::string_view kUnplanned = "unplanned";

// Any byte but a blank, a control byte or a line end; a NUL byte counts, as it is kept.
bool HoldsAnything(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return c == '\0' || static_cast<unsigned char>(c) > 0x20; });
}

// A line as the log shows it: a NUL byte as "^@", so that the rest of the line shows too.
std::string Visible(std::string_view line) {
  std::string text;
  text.reserve(line.size());
  for (const char c : line) {
    if (c == '\0') {
      text += "^@";
    } else {
      text += c;
    }
  }
  return text;
}

struct Entry {
  Date date;
  DayRow row;
};

NetLineFault Judge(std::string_view line, const CategoryTable& categories, Entry* entry) {
  if (!HoldsAnything(line)) return NetLineFault::kBlank;
  if (line.find('\0') != std::string_view::npos) return NetLineFault::kNulByte;
  CommaTextCursor cursor(line);
  std::string fields[5];
  std::string extra;
  int count = 0;
  while (count < 5 ? cursor.Next(fields[count]) : cursor.Next(extra)) ++count;
  const std::optional<Date> date = ParseDateKey(fields[0]);
  if (!date) return NetLineFault::kBadDate;
  if (cursor.SplitWithoutComma()) return NetLineFault::kSplitWithoutComma;
  if (categories.FindCategory(fields[1]) < 0) return NetLineFault::kUnknownCategory;
  if (!IsIntegerText(fields[3])) return NetLineFault::kBadAmount;
  DayRow row = {std::move(fields[1]), std::move(fields[2]), std::move(fields[3]),
                std::move(fields[4])};
  if (!IsCompleteRow(row)) return NetLineFault::kNoDescription;
  if (entry != nullptr) *entry = Entry{*date, std::move(row)};
  return NetLineFault::kNone;
}

// What a file holds, in short: "-" when it does not exist, else its size and a 64-bit FNV-1a
// hash of its bytes. A merge always adds lines, so a file's state after it differs from before.
std::string StateOf(const std::optional<std::string>& bytes) {
  if (!bytes) return "-";
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (const char c : *bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ull;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text = std::to_string(bytes->size()) + ":";
  for (int shift = 60; shift >= 0; shift -= 4) text += kHex[(hash >> shift) & 15];
  return text;
}

// The month file's bytes with the entries (lines of the answer, in answer order) added to their
// days, in one pass. The days are written in the order of their last entry: that leaves the file
// exactly as writing the page after every entry would.
std::string MergeMonth(const std::optional<std::string>& bytes,
                       const std::vector<const NetLine*>& lines, const CategoryTable& categories) {
  struct Day {
    Date date;
    std::vector<DayRow> rows;
    std::size_t last = 0;
  };
  std::map<long, Day> days;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    Entry entry;
    Judge(lines[i]->bytes, categories, &entry);
    Day& day = days.try_emplace(DateKeyValue(entry.date), Day{entry.date, {}, i}).first->second;
    day.rows.push_back(std::move(entry.row));
    day.last = i;
  }
  std::vector<const Day*> order;
  for (const auto& [key, day] : days) order.push_back(&day);
  std::sort(order.begin(), order.end(),
            [](const Day* a, const Day* b) { return a->last < b->last; });
  std::vector<Date> dates;
  for (const Day* day : order) dates.push_back(day->date);
  return MonthWithEditedDays(bytes, dates, [&order](std::size_t i, DayPage& page) {
    for (const DayRow& row : order[i]->rows) {
      // A page without entries takes the row in its empty first row; otherwise it goes after
      // the last row.
      if (!page.front()[kCategoryColumn].empty()) {
        InsertEmptyRow(page, static_cast<int>(page.size()));
      }
      page.back() = row;
    }
  });
}

// The answer's entries by month (keys "yyyymm", ascending), and the lines to keep.
struct MergePlan {
  std::vector<NetLine> lines;
  std::map<std::string, std::vector<const NetLine*>> months;
  std::vector<const NetLine*> kept;
};

MergePlan PlanMerge(std::string_view answer, const CategoryTable& categories) {
  MergePlan plan;
  plan.lines = ReadNetAnswer(answer, categories);
  for (const NetLine& line : plan.lines) {
    if (line.fault == NetLineFault::kNone) {
      plan.months[MonthKey(line.date)].push_back(&line);
    } else if (line.fault != NetLineFault::kBlank) {
      plan.kept.push_back(&line);
    }
  }
  return plan;
}

std::filesystem::path MonthPath(const ProgramPaths& paths, const std::string& month) {
  return paths.DataDir() / (month + ".csv");
}

// Each line followed by CR LF, after the bytes already there.
std::string WithLines(std::optional<std::string> bytes, const std::vector<KeptLine>& lines) {
  std::string out = std::move(bytes).value_or(std::string());
  for (const KeptLine& line : lines) {
    out.append(line.bytes);
    out.append("\r\n");
  }
  return out;
}

KeptLine Kept(const NetLine& line, NetLineFault fault) {
  return {line.number, fault, std::string(line.bytes)};
}

// One file the merge writes, with its state before and after.
struct JournalTarget {
  std::string month;  // "yyyymm"; empty: net_unmerged.txt
  std::string before;
  std::string after;
};

// The journal: a header line, "unplanned" or one line per target, an empty line, the answer.
struct Journal {
  bool planned = false;
  std::vector<JournalTarget> targets;
  std::string_view answer;
};

// The journal's lines up to the answer: the header, one line per target, an empty line.
std::string JournalHead(const Journal& journal) {
  std::string head = std::string(kJournalHeader) + "\r\n";
  for (const JournalTarget& target : journal.targets) {
    head += (target.month.empty()
                 ? JoinCommaText({"kept", target.before, target.after})
                 : JoinCommaText({"month", target.month, target.before, target.after})) +
            "\r\n";
  }
  return head + "\r\n";
}

Journal ParseJournal(std::string_view bytes, const std::filesystem::path& path) {
  const auto damaged = [&path]() { return AppError("Damaged file \"" + path.string() + "\""); };
  Journal journal;
  std::size_t pos = 0;
  const auto next_line = [&]() -> std::string_view {
    const std::size_t end = bytes.find("\r\n", pos);
    if (end == std::string_view::npos) throw damaged();
    const std::string_view line = bytes.substr(pos, end - pos);
    pos = end + 2;
    return line;
  };
  if (next_line() != kJournalHeader) throw damaged();
  std::string_view line = next_line();
  journal.planned = line != kUnplanned;
  if (!journal.planned) {
    if (!next_line().empty()) throw damaged();
    journal.answer = bytes.substr(pos);
    return journal;
  }
  for (; !line.empty(); line = next_line()) {
    const std::vector<std::string> fields = SplitCommaText(line);
    if (fields.size() == 4 && fields[0] == "month" && fields[1].size() == 6) {
      journal.targets.push_back({fields[1], fields[2], fields[3]});
    } else if (fields.size() == 3 && fields[0] == "kept") {
      journal.targets.push_back({"", fields[1], fields[2]});
    } else {
      throw damaged();
    }
  }
  journal.answer = bytes.substr(pos);
  return journal;
}

// Brings every file of the journal to its after state, from the state it is in, and removes the
// journal. A month file in neither state has been changed by something else since the journal
// was written: its entries are kept instead of merged, so that none can be doubled.
NetImportReport Complete(const Journal& journal, const ProgramPaths& paths,
                         const CategoryTable& categories) {
  const MergePlan plan = PlanMerge(journal.answer, categories);
  NetImportReport report;
  std::vector<KeptLine> changed;
  std::map<std::string, bool> in_journal;
  const JournalTarget* kept_target = nullptr;
  for (const JournalTarget& target : journal.targets) {
    if (target.month.empty()) {
      kept_target = &target;
      continue;
    }
    in_journal[target.month] = true;
    const auto found = plan.months.find(target.month);
    if (found == plan.months.end()) continue;
    const std::vector<const NetLine*>& lines = found->second;
    const std::filesystem::path path = MonthPath(paths, target.month);
    std::optional<std::string> bytes = ReadFileBytesIfExists(path);
    const std::string state = StateOf(bytes);
    if (state == target.before) {
      std::string merged = MergeMonth(bytes, lines, categories);
      if (StateOf(merged) == target.after) {
        WriteFileAtomic(path, merged);
        report.merged += static_cast<int>(lines.size());
        continue;
      }
    } else if (state == target.after) {
      report.merged += static_cast<int>(lines.size());
      continue;
    }
    for (const NetLine* line : lines) changed.push_back(Kept(*line, NetLineFault::kFileChanged));
  }
  // Entries of a month the journal does not name (the table changed meanwhile) are kept too.
  for (const auto& [month, lines] : plan.months) {
    if (in_journal.count(month) != 0) continue;
    for (const NetLine* line : lines) changed.push_back(Kept(*line, NetLineFault::kFileChanged));
  }
  for (const NetLine* line : plan.kept) report.kept.push_back(Kept(*line, line->fault));

  const std::filesystem::path kept_path = NetUnmergedFile(paths);
  std::optional<std::string> kept_bytes = ReadFileBytesIfExists(kept_path);
  // The kept lines are added unless the file already holds them.
  std::vector<KeptLine> to_add = kept_target != nullptr && StateOf(kept_bytes) == kept_target->after
                                     ? std::vector<KeptLine>()
                                     : report.kept;
  to_add.insert(to_add.end(), changed.begin(), changed.end());
  if (!to_add.empty()) WriteFileAtomic(kept_path, WithLines(std::move(kept_bytes), to_add));
  report.kept.insert(report.kept.end(), changed.begin(), changed.end());
  std::sort(report.kept.begin(), report.kept.end(),
            [](const KeptLine& a, const KeptLine& b) { return a.number < b.number; });
  std::filesystem::remove(NetImportJournal(paths));
  return report;
}

std::string Text(const char* utf8) { return Utf8ToCp932(utf8); }

}  // namespace

std::filesystem::path NetAnswerFile(const ProgramPaths& paths) {
  return paths.program_dir / "~net.dat";
}

std::filesystem::path NetImportJournal(const ProgramPaths& paths) {
  return paths.program_dir / "~netimport.dat";
}

std::filesystem::path NetUnmergedFile(const ProgramPaths& paths) {
  return paths.program_dir / kNetUnmergedFileName;
}

std::string EncodeQueryValue(std::string_view bytes) {
  return PercentEncode(
      bytes,
      [](unsigned char byte) {
        return byte <= 0x20 || byte >= 0x7F || byte == '%' || byte == '&' || byte == '?' ||
               byte == '#';
      },
      false);
}

std::string ServiceRequestUrl(std::string_view url, std::string_view id, std::string_view password,
                              bool remove) {
  return std::string(url) + "?action=get&id=" + EncodeQueryValue(id) +
         "&pass=" + EncodeQueryValue(password) + (remove ? "&remove=1" : "&remove=0");
}

std::string LoadingLogText() { return "Loading"; }

std::string FailedLogText(int number, std::string_view reason) {
  return "Failed : " + std::to_string(number) + " " + std::string(reason);
}

bool AnswerHasData(std::string_view answer) { return HoldsAnything(answer); }

std::vector<std::string> CheckLogLines(std::string_view answer) {
  std::vector<std::string> lines;
  std::size_t count = 0;
  ForEachLineToEnd(answer, [&](std::string_view line) {
    if (++count <= kMaxLogAnswerLines) lines.push_back(Visible(line));
  });
  if (count > kMaxLogAnswerLines) {
    lines.push_back(Text("（ほかに ") + std::to_string(count - kMaxLogAnswerLines) + Text(" 行）"));
  }
  if (!AnswerHasData(answer)) {
    lines.push_back(Text("データはありません。"));
    return lines;
  }
  for (const char* text : {"---", "以上のデータでよろしいですか？",
                           "よろしければ下の「データ取り込みボタン」を押してください。",
                           "取り込んだデータは、サーバから削除されます。"}) {
    lines.push_back(Text(text));
  }
  return lines;
}

std::string NetLineFaultText(NetLineFault fault) {
  switch (fault) {
    case NetLineFault::kNone:
      return Text("取り込みました");
    case NetLineFault::kBlank:
      return Text("空の行です");
    case NetLineFault::kNulByte:
      return Text("NUL 文字が含まれています");
    case NetLineFault::kBadDate:
      return Text("日付が正しくありません");
    case NetLineFault::kSplitWithoutComma:
      return Text("カンマ以外（引用符のない空白など）で項目が分かれています");
    case NetLineFault::kUnknownCategory:
      return Text("費目が費目設定にありません");
    case NetLineFault::kBadAmount:
      return Text("金額が整数ではありません");
    case NetLineFault::kNoDescription:
      return Text("摘要が空です");
    case NetLineFault::kFileChanged:
      return Text("取り込みの中断中に月のファイルが変わりました");
  }
  return {};
}

std::vector<NetLine> ReadNetAnswer(std::string_view answer, const CategoryTable& categories) {
  std::vector<NetLine> lines;
  ForEachLineToEnd(answer, [&](std::string_view line) {
    Entry entry;
    const NetLineFault fault = Judge(line, categories, &entry);
    lines.push_back({line, static_cast<int>(lines.size()) + 1, fault, entry.date});
  });
  return lines;
}

void BeginNetImport(std::string_view answer, const ProgramPaths& paths) {
  const std::filesystem::path path = NetImportJournal(paths);
  if (FileExists(path)) {
    throw AppError("An earlier NET import waits to be completed (\"" + path.string() + "\")");
  }
  WriteScratchFile(
      path, {std::string(kJournalHeader) + "\r\n" + std::string(kUnplanned) + "\r\n\r\n", answer});
}

bool NetImportPending(const ProgramPaths& paths) { return FileExists(NetImportJournal(paths)); }

std::optional<NetImportReport> CompleteNetImport(const ProgramPaths& paths,
                                                 const CategoryTable& categories) {
  const std::filesystem::path path = NetImportJournal(paths);
  const std::optional<std::string> bytes = ReadFileBytesIfExists(path);
  if (!bytes) return std::nullopt;
  Journal journal = ParseJournal(*bytes, path);
  if (journal.planned) return Complete(journal, paths, categories);
  // Nothing has been written yet: the state of every file the merge will touch, before and
  // after, goes into the journal first.
  const MergePlan plan = PlanMerge(journal.answer, categories);
  journal.planned = true;
  for (const auto& [month, lines] : plan.months) {
    std::optional<std::string> month_bytes = ReadFileBytesIfExists(MonthPath(paths, month));
    const std::string before = StateOf(month_bytes);
    journal.targets.push_back({month, before, StateOf(MergeMonth(month_bytes, lines, categories))});
  }
  if (!plan.kept.empty()) {
    std::vector<KeptLine> kept;
    for (const NetLine* line : plan.kept) kept.push_back(Kept(*line, line->fault));
    std::optional<std::string> kept_bytes = ReadFileBytesIfExists(NetUnmergedFile(paths));
    const std::string before = StateOf(kept_bytes);
    journal.targets.push_back({"", before, StateOf(WithLines(std::move(kept_bytes), kept))});
  }
  WriteScratchFile(path, {JournalHead(journal), journal.answer});
  return Complete(journal, paths, categories);
}

NetImportReport ImportNetAnswer(std::string_view answer, const ProgramPaths& paths,
                                const CategoryTable& categories) {
  BeginNetImport(answer, paths);
  return *CompleteNetImport(paths, categories);
}

int KeepUnmergedAnswer(std::string_view partial_answer, const ProgramPaths& paths) {
  std::vector<KeptLine> kept;
  ForEachLineToEnd(partial_answer, [&](std::string_view line) {
    if (HoldsAnything(line)) kept.push_back({0, NetLineFault::kNone, std::string(line)});
  });
  if (kept.empty()) return 0;
  const std::filesystem::path path = NetUnmergedFile(paths);
  WriteFileAtomic(path, WithLines(ReadFileBytesIfExists(path), kept));
  return static_cast<int>(kept.size());
}

std::string KeptLogText(std::size_t lines) {
  return Text("取り込めなかった ") + std::to_string(lines) +
         Text(" 行を、プログラムのフォルダの ") + std::string(kNetUnmergedFileName) +
         Text(" に残しました。");
}

std::vector<std::string> ImportLogLines(const NetImportReport& report) {
  std::vector<std::string> lines;
  if (report.interrupted) lines.push_back(Text("中断していた取り込みを完了しました。"));
  lines.push_back(std::to_string(report.merged) + Text(" 件を取り込みました。"));
  if (report.kept.empty()) return lines;
  lines.push_back(KeptLogText(report.kept.size()));
  for (std::size_t i = 0; i < report.kept.size() && i < kMaxLogAnswerLines; ++i) {
    const KeptLine& line = report.kept[i];
    lines.push_back(std::to_string(line.number) + Text(" 行目: ") + NetLineFaultText(line.fault) +
                    ": " + Visible(line.bytes));
  }
  if (report.kept.size() > kMaxLogAnswerLines) {
    lines.push_back(Text("（ほかに ") + std::to_string(report.kept.size() - kMaxLogAnswerLines) +
                    Text(" 行）"));
  }
  return lines;
}

}  // namespace purselog
