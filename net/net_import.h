// The NET import without its window: the request to the service, the texts of the log, the
// judgement of each answer line, and the merge of an answer into the day pages of the month
// files. Texts are Shift_JIS bytes.
//
// An import's answer has already been deleted on the service, so nothing of it may be lost: a
// line that cannot be merged is kept, byte for byte, in net_unmerged.txt of the program
// directory, and the merge is durable. Before any month file is written, the answer and the
// state each touched file is in before and after the merge go into the journal ~netimport.dat;
// then the files are written and the journal removed. A merge that was cut short (a kill, a
// power loss, a failed write) is completed from the journal: a file already in its after state
// is left, one still in its before state is merged, so that no line is merged twice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "categories/category_table.h"
#include "core/date.h"
#include "core/paths.h"

namespace purselog {

// The service endpoint offered by "Default" (the try-out service of tools/netservice).
inline constexpr std::string_view kDefaultServiceUrl = "http://127.0.0.1:8470/money/purselog.cgi";

// The section and keys of ini.ini that keep the NET window's fields.
inline constexpr std::string_view kNetSection = "net";
inline constexpr std::string_view kNetUrlKey = "url";
inline constexpr std::string_view kNetProxyKey = "proxy";
inline constexpr std::string_view kNetProxyPortKey = "proxyport";
inline constexpr std::string_view kNetIdKey = "id";

// A larger answer is refused, and nothing of it is merged.
inline constexpr std::size_t kMaxNetAnswerBytes = std::size_t{64} << 20;
inline constexpr std::string_view kNetAnswerTooLargeText = "answer larger than 64 MiB";
// The log shows at most this many lines of an answer, then how many more there are.
inline constexpr std::size_t kMaxLogAnswerLines = 1000;

// The received answer: "~net.dat" in the program directory, a fixed place outside data/.
std::filesystem::path NetAnswerFile(const ProgramPaths& paths);
// The journal of a merge under way.
std::filesystem::path NetImportJournal(const ProgramPaths& paths);
// Where the lines of imports that could not be merged are kept.
std::filesystem::path NetUnmergedFile(const ProgramPaths& paths);
inline constexpr std::string_view kNetUnmergedFileName = "net_unmerged.txt";

// A query value, byte by byte: bytes 0x00 to 0x20, 0x7F and from 0x80 on, and "%", "&", "?" and
// "#", become "%" and two lower-case hexadecimal digits; every other byte ("=", "+" and "/"
// included) stays as it is.
std::string EncodeQueryValue(std::string_view bytes);

// The URL field's text, "?action=get&id=", the encoded ID, "&pass=", the encoded password, then
// "&remove=1" when the service is to delete what it delivers, else "&remove=0".
std::string ServiceRequestUrl(std::string_view url, std::string_view id, std::string_view password,
                              bool remove);

// The log lines.
std::string LoadingLogText();                                    // "Loading"
std::string FailedLogText(int number, std::string_view reason);  // "Failed : <n> <reason>"
// The answer's lines (the first kMaxLogAnswerLines of them, then how many more) followed by the
// question whether to import them, or "データはありません。" when no line holds anything but
// blanks.
std::vector<std::string> CheckLogLines(std::string_view answer);
// Whether an answer holds an entry to offer for import: a line with anything but blanks.
bool AnswerHasData(std::string_view answer);

// Why an answer line is not merged.
enum class NetLineFault {
  kNone,               // an entry: merged
  kBlank,              // nothing but blanks: no entry, and nothing to keep
  kNulByte,            // a NUL byte
  kBadDate,            // field 0 is not eight digits naming a real day
  kSplitWithoutComma,  // a blank outside quotes (or text after a closing quote) splits a field
  kUnknownCategory,    // field 1 names no category of the table
  kBadAmount,          // field 3 is not an integer text
  kNoDescription,      // field 2 is empty: the day page would not keep the row
  kFileChanged,        // its month file changed while an interrupted merge waited
};
// The reason shown in the log.
std::string NetLineFaultText(NetLineFault fault);

// One line of an answer, read to the answer's end (CR, LF or CR LF end a line; a NUL byte is
// part of its line).
struct NetLine {
  std::string_view bytes;  // into the answer
  int number = 0;          // from 1
  NetLineFault fault = NetLineFault::kNone;
  Date date;  // of an entry
};
// Every line of the answer with its judgement: an entry is a line whose field 0 is a date key of
// a real day, whose category is in the table, whose amount is an integer text and whose
// description is not empty, split at commas only. Fields after the fifth are not looked at.
std::vector<NetLine> ReadNetAnswer(std::string_view answer, const CategoryTable& categories);

struct KeptLine {
  int number = 0;
  NetLineFault fault = NetLineFault::kNone;
  std::string bytes;
};
struct NetImportReport {
  int merged = 0;              // entries added to day pages
  std::vector<KeptLine> kept;  // lines kept in net_unmerged.txt, in answer order
  bool interrupted = false;    // an import cut short, completed at a later start or opening
};

// The import of an answer, in two steps. BeginNetImport keeps the answer in the journal, as
// soon as it has arrived: from then on it is merged even when the program is killed. Throws
// FileError when the journal cannot be written, and AppError when an import cut short waits (its
// journal is never overwritten).
void BeginNetImport(std::string_view answer, const ProgramPaths& paths);
// Whether a journal waits to be merged.
bool NetImportPending(const ProgramPaths& paths);
// Merges the answer of the journal, or completes a merge that was cut short; nullopt when no
// journal waits. The entries go to the day pages of their dates: each after the rows the day
// already has, in answer order (category, description, amount, memo; a missing field is empty,
// fields after the fifth are dropped), each month file read and written once; every other line
// that holds anything is kept in net_unmerged.txt. Throws FileError when a file cannot be read or
// written (the journal then stays, to be completed later), AppError when the journal is damaged.
std::optional<NetImportReport> CompleteNetImport(const ProgramPaths& paths,
                                                 const CategoryTable& categories);
// Both steps at once.
NetImportReport ImportNetAnswer(std::string_view answer, const ProgramPaths& paths,
                                const CategoryTable& categories);
// Keeps the lines of an import's answer that did not arrive whole (the service may have deleted
// them) in net_unmerged.txt; returns how many lines were kept.
int KeepUnmergedAnswer(std::string_view partial_answer, const ProgramPaths& paths);

// The log after an import: how many entries were added, and how many lines were kept where,
// each with its number and reason (at most kMaxLogAnswerLines of them).
std::vector<std::string> ImportLogLines(const NetImportReport& report);
// "取り込めなかった N 行を … net_unmerged.txt に残しました。"
std::string KeptLogText(std::size_t lines);

}  // namespace purselog
