#include "net/http_response.h"

#include <algorithm>

namespace purselog {

namespace {

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsStatusLine(std::string_view line) {
  const std::string_view start = line.substr(0, 8);
  return start == "HTTP/1.0" || start == "HTTP/1.1";
}

// The answer starts an HTML document without a header.
bool IsHtmlStart(std::string_view line) {
  constexpr std::string_view kHtml = "<HTML>";
  if (line.size() < kHtml.size()) return false;
  for (std::size_t i = 0; i < kHtml.size(); ++i) {
    if (UpperAscii(line[i]) != kHtml[i]) return false;
  }
  return true;
}

[[noreturn]] void Fail(std::string_view message, int number = kHttpClientFailure) {
  throw EHttpException(std::string(message), number);
}

}  // namespace

bool HttpResponseReader::Feed(std::string_view bytes) {
  if (mode_ == Mode::kBody) {
    Deliver(bytes);
    return false;
  }
  pending_.append(bytes);
  if (mode_ == Mode::kFirstLine) {
    if (pending_.size() < 8 && pending_.find('\n') == std::string::npos) return false;
    if (!IsStatusLine(pending_)) {
      StartBody(0);
      return false;
    }
    mode_ = Mode::kHeader;
  }
  return ReadHeaderLines();
}

void HttpResponseReader::Finish() {
  if (mode_ == Mode::kFirstLine) StartBody(0);
}

void HttpResponseReader::Deliver(std::string_view bytes) {
  if (bytes.size() > limits_.body - body_bytes_) Fail(limits_.body_text);
  body_bytes_ += bytes.size();
  if (!bytes.empty() && sink_) sink_(bytes);
}

void HttpResponseReader::StartBody(std::size_t offset) {
  mode_ = Mode::kBody;
  Deliver(std::string_view(pending_).substr(offset));
  pending_.clear();
  pending_.shrink_to_fit();
}

bool HttpResponseReader::ReadHeaderLines() {
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = pending_.find('\n', start);
    if (end == std::string::npos) {
      // The line so far, without a CR that may yet turn out to be its line end: a line only
      // grows, so it fails here exactly when it would fail once whole.
      std::size_t partial = pending_.size() - start;
      if (partial > 0 && pending_.back() == '\r') --partial;
      if (partial > limits_.line) Fail(kHeaderLineTooLongText);
      pending_.erase(0, start);
      return false;
    }
    std::string_view line(pending_.data() + start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > limits_.line) Fail(kHeaderLineTooLongText);
    header_bytes_ += end + 1 - start;
    if (header_bytes_ > limits_.header) Fail(kHeaderTooLongText);
    if (line.empty()) {
      if (!location_.empty()) return true;
      StartBody(end + 1);
      return false;
    }
    if (IsHtmlStart(line)) {
      // This line and everything after it are the body.
      StartBody(start);
      return false;
    }
    HeaderLine(line);
    start = end + 1;
  }
}

void HttpResponseReader::HeaderLine(std::string_view line) {
  if (IsStatusLine(line)) {
    // "HTTP/1.x nnn reason": the code in characters 10 to 12, the reason from character 14.
    int code = 0;
    for (const char c : line.substr(std::min<std::size_t>(9, line.size()), 3)) {
      if (c < '0' || c > '9') break;
      code = code * 10 + (c - '0');
    }
    status_code_ = code;
    reason_ = line.size() > 13 ? std::string(line.substr(13)) : std::string();
  } else if (const std::size_t colon = line.find(':'); colon != std::string_view::npos) {
    std::string name(line.substr(0, colon));
    for (char& c : name) c = LowerAscii(c);
    std::string_view value = line.substr(colon + 1);
    while (!value.empty() && value.front() == ' ') value.remove_prefix(1);
    // An empty location names no other document.
    if (name == "location" && !value.empty()) location_ = std::string(value);
  }
  if (status_code_ >= 400) Fail(reason_, status_code_);
}

}  // namespace purselog
