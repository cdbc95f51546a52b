// The NET import without its window: the request to the service, the texts of the log, and the
// merge of a received answer into the day pages of the month files. Texts are Shift_JIS bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "categories/category_table.h"
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

// The received answer: "~net.dat" in the program directory, a fixed place outside data/.
std::filesystem::path NetAnswerFile(const ProgramPaths& paths);

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
std::string ReceivedLogText(std::uintmax_t bytes);               // "Received <n> bytes"
std::string FailedLogText(int number, std::string_view reason);  // "Failed : <n> <reason>"
// The answer's lines followed by the question whether to import them, or "データはありません。"
// when no line holds anything but blanks.
std::vector<std::string> CheckLogLines(const std::vector<std::string>& answer_lines);
// Whether an answer holds an entry to offer for import: a line with anything but blanks.
bool AnswerHasData(const std::vector<std::string>& answer_lines);

// Adds the entries of the answer file to the day pages of their dates, through LoadDayPage and
// SaveDayPage: each line whose field 0 is a date key of a real day, whose category is in the
// table and whose amount is an integer text becomes a row after the rows the day already has, in
// answer order (category, description, amount, memo; a missing field is empty, fields after the
// fifth are dropped). Other lines are passed over. A missing answer file adds nothing. Throws
// FileError when a file cannot be read or written.
void MergeNetAnswer(const std::filesystem::path& answer_file, const std::filesystem::path& data_dir,
                    const CategoryTable& categories);
// The same for the answer's bytes as received.
void MergeNetAnswerText(std::string_view answer, const std::filesystem::path& data_dir,
                        const CategoryTable& categories);

}  // namespace purselog
