// The try-out NET service: keeps the entries waiting for each ID in a folder and answers the
// request of purselog's NET window with them.
//
// Folder layout: one folder per ID (its bytes, with every byte other than a letter, a digit, "-"
// or "_" written as "%" and two hexadecimal digits), holding the file "password" (its first line
// is the password) and any number of "*.csv" files of entry lines in the month-file layout
// (Shift_JIS, "yyyymmdd,category,description,amount,memo"). Dropping such a file into the folder
// makes its lines wait for the next request.
//
// Requests, all GET to /money/purselog.cgi:
//   ?action=get&id=ID&pass=PASSWORD&remove=0|1  the waiting lines; remove=1 deletes them
//   ?action=add&id=ID&pass=PASSWORD&line=TEXT   one more waiting line (TEXT in UTF-8, as a
//                                               browser sends it); the first add of an unknown
//                                               ID creates it with that password
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace purselog {

inline constexpr std::string_view kServicePath = "/money/purselog.cgi";

struct ServiceAnswer {
  int status = 200;
  std::string reason = "OK";
  std::string body;  // Shift_JIS lines, each ended by CR LF
};

// "%xx" becomes its byte; every other byte ("+" included) stays as it is.
std::string DecodeQueryValue(std::string_view text);
// The pairs of "a=b&c=d", decoded; a later key replaces an earlier one.
std::map<std::string, std::string> ParseQuery(std::string_view query);
// The name of the folder of an ID.
std::string IdFolderName(std::string_view id);

// Answers the request target (path and query) with the entries kept under `folder`. Throws
// FileError when a file cannot be read or written.
ServiceAnswer HandleServiceRequest(const std::filesystem::path& folder, std::string_view target);

// The whole HTTP/1.0 answer: status line, Content-Type, Content-Length, empty line, body.
std::string ServiceAnswerBytes(const ServiceAnswer& answer);

}  // namespace purselog
