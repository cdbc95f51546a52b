// The reading of an HTTP/1.0 answer, apart from the socket it comes from: the status line, the
// header fields (a "location" among them), then the body. The bytes may arrive in pieces of any
// size, cut anywhere; the outcome is the same however they are cut.
#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace purselog {

// A failed Get: the reason text and its number (404 for the failures of the client itself, the
// status code for an answer of 400 or more, 1 for a Get while busy).
class EHttpException : public std::runtime_error {
 public:
  EHttpException(const std::string& message, int number)
      : std::runtime_error(message), number_(number) {}
  int number() const { return number_; }

 private:
  int number_;
};

inline constexpr int kHttpClientFailure = 404;
inline constexpr std::size_t kMaxHeaderLineBytes = 64 * 1024;
inline constexpr std::size_t kMaxHeaderBytes = 1024 * 1024;

inline constexpr std::string_view kHeaderLineTooLongText = "header line longer than 64 KiB";
inline constexpr std::string_view kHeaderTooLongText = "header larger than 1 MiB";

// The answer's limits: a longer header line (without its line end), more bytes of header lines
// (with their line ends), or a longer body fail with kHeaderLineTooLongText, kHeaderTooLongText
// or `body_text`. The body is refused before the bytes beyond its limit reach the sink.
struct HttpAnswerLimits {
  std::size_t line = kMaxHeaderLineBytes;
  std::size_t header = kMaxHeaderBytes;
  std::size_t body = static_cast<std::size_t>(-1);
  std::string_view body_text = "answer too large";
};

// Reads one answer as it arrives. An answer that starts with "HTTP/1.0" or "HTTP/1.1" has a
// header: the status line ("HTTP/1.x nnn reason": the code in characters 10 to 12, the reason
// from character 14 on), fields ("name: value", the name compared in lower case), each line ended
// by LF or CR LF, up to an empty line; a line that starts with "<HTML>" (any letter case) ends
// the header and is the first of the body. An answer that does not start with a status line is
// all body. The body goes to the sink, in order, as it arrives.
class HttpResponseReader {
 public:
  using Sink = std::function<void(std::string_view bytes)>;
  using Limits = HttpAnswerLimits;

  explicit HttpResponseReader(Sink sink, Limits limits = {})
      : sink_(std::move(sink)), limits_(limits) {}

  // Takes the next bytes. True when the header has ended with a "location": the answer is a
  // redirection, and the rest of it is not wanted (nothing more may be fed). Throws
  // EHttpException for a status of 400 or more (as soon as its line has been read: the rest of
  // the header and the body are not read) and for a header beyond its limits.
  bool Feed(std::string_view bytes);
  // The server closed the connection: fewer bytes than a status line takes are the body.
  void Finish();

  bool InBody() const { return mode_ == Mode::kBody; }
  // 0 until a status line has been read.
  int status_code() const { return status_code_; }
  const std::string& reason() const { return reason_; }
  // The last non-empty "location" field read; empty when none.
  const std::string& location() const { return location_; }

 private:
  enum class Mode { kFirstLine, kHeader, kBody };

  void Deliver(std::string_view bytes);
  // The body starts at `offset` of the pending bytes.
  void StartBody(std::size_t offset);
  bool ReadHeaderLines();
  void HeaderLine(std::string_view line);

  Sink sink_;
  Limits limits_;
  Mode mode_ = Mode::kFirstLine;
  std::string pending_;
  std::size_t header_bytes_ = 0;
  std::size_t body_bytes_ = 0;
  int status_code_ = 0;
  std::string reason_;
  std::string location_;
};

}  // namespace purselog
