#include "tools/netservice/service.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <optional>
#include <vector>

#include "core/text_codec.h"
#include "core/text_file.h"

namespace purselog {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The "*.csv" files of an ID's folder, in name order.
std::vector<std::filesystem::path> WaitingFiles(const std::filesystem::path& id_folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(id_folder)) {
    if (entry.is_regular_file() && entry.path().extension() == ".csv") {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::optional<std::string> StoredPassword(const std::filesystem::path& id_folder) {
  const std::optional<std::vector<std::string>> lines = ReadLinesIfExists(id_folder / "password");
  if (!lines) return std::nullopt;
  return lines->empty() ? std::string() : lines->front();
}

ServiceAnswer Refused(int status, std::string reason) {
  return {status, std::move(reason), std::string()};
}

// A file name no earlier add has used: the time in microseconds and a counter.
std::string NewEntryFileName() {
  static std::atomic<unsigned> counter{0};
  const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count();
  return "added-" + std::to_string(now) + "-" + std::to_string(counter++) + ".csv";
}

}  // namespace

std::string DecodeQueryValue(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
        HexValue(text[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::map<std::string, std::string> ParseQuery(std::string_view query) {
  std::map<std::string, std::string> pairs;
  while (!query.empty()) {
    const std::size_t end = query.find('&');
    const std::string_view pair = query.substr(0, end);
    const std::size_t equals = pair.find('=');
    pairs[DecodeQueryValue(pair.substr(0, equals))] =
        equals == std::string_view::npos ? std::string()
                                         : DecodeQueryValue(pair.substr(equals + 1));
    if (end == std::string_view::npos) break;
    query.remove_prefix(end + 1);
  }
  return pairs;
}

std::string IdFolderName(std::string_view id) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string name;
  for (const char c : id) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '_';
    if (plain) {
      name += c;
    } else {
      const auto byte = static_cast<unsigned char>(c);
      name += '%';
      name += kHex[byte >> 4];
      name += kHex[byte & 15];
    }
  }
  return name;
}

ServiceAnswer HandleServiceRequest(const std::filesystem::path& folder, std::string_view target) {
  const std::size_t question = target.find('?');
  if (target.substr(0, question) != kServicePath) return Refused(404, "Not Found");
  const std::map<std::string, std::string> query = ParseQuery(
      question == std::string_view::npos ? std::string_view() : target.substr(question + 1));
  const auto value = [&query](const char* key) {
    const auto found = query.find(key);
    return found == query.end() ? std::string() : found->second;
  };
  const std::string id = value("id");
  if (id.empty()) return Refused(404, "Unknown ID");
  const std::filesystem::path id_folder = folder / IdFolderName(id);
  const std::optional<std::string> password = StoredPassword(id_folder);
  const std::string action = value("action");

  if (action == "add") {
    if (!password) {
      std::filesystem::create_directories(id_folder);
      WriteLines(id_folder / "password", {value("pass")});
    } else if (*password != value("pass")) {
      return Refused(401, "Wrong password");
    }
    WriteLines(id_folder / NewEntryFileName(), SplitLines(Utf8ToCp932(value("line"))));
    return {200, "OK", "added\r\n"};
  }
  if (action != "get") return Refused(400, "Bad Request");
  if (!password) return Refused(404, "Unknown ID");
  if (*password != value("pass")) return Refused(401, "Wrong password");

  ServiceAnswer answer;
  const std::vector<std::filesystem::path> files = WaitingFiles(id_folder);
  for (const std::filesystem::path& file : files) answer.body += JoinLines(ReadLines(file));
  if (value("remove") == "1") {
    for (const std::filesystem::path& file : files) std::filesystem::remove(file);
  }
  return answer;
}

std::string ServiceAnswerBytes(const ServiceAnswer& answer) {
  return "HTTP/1.0 " + std::to_string(answer.status) + " " + answer.reason +
         "\r\nContent-Type: text/plain; charset=Shift_JIS\r\nContent-Length: " +
         std::to_string(answer.body.size()) + "\r\n\r\n" + answer.body;
}

}  // namespace purselog
