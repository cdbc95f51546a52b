// The reading of an HTTP answer, fed as a socket would feed it: the answer is read whole, byte by
// byte, and in pieces of sizes drawn from the input, and every way gives the same outcome (status
// code, reason, "location", body, failure). A redirection or a failure delivers no body; a body
// is the end of the answer, byte for byte. A "location" is followed as the client would follow
// it, and its request head built.
//
// Input: byte 0 picks the header limits (small ones, so that the limit checks are reached within
// a few kilobytes), bytes 1 to 4 seed the piece sizes, the rest is the answer.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "net/http_cli.h"
#include "net/http_response.h"

namespace {

using purselog::EHttpException;
using purselog::HttpResponseReader;

struct Outcome {
  int status = 0;
  std::string reason;
  std::string location;
  bool redirected = false;
  bool in_body = false;
  std::string body;
  std::optional<std::pair<std::string, int>> failure;

  friend bool operator==(const Outcome&, const Outcome&) = default;
};

// Feeds the pieces in order, stopping where the client stops (a redirection, a failure), and
// ends with the server's close.
Outcome Read(std::string_view answer, const std::vector<std::size_t>& pieces,
             HttpResponseReader::Limits limits) {
  Outcome outcome;
  HttpResponseReader reader([&outcome](std::string_view bytes) { outcome.body.append(bytes); },
                            limits);
  try {
    std::size_t at = 0;
    for (const std::size_t size : pieces) {
      FUZZ_CHECK(size > 0);
      if (reader.Feed(answer.substr(at, size))) {
        outcome.redirected = true;
        break;
      }
      at += size;
    }
    if (!outcome.redirected) {
      FUZZ_CHECK(at == answer.size());
      reader.Finish();
    }
  } catch (const EHttpException& failure) {
    outcome.failure = {failure.what(), failure.number()};
  }
  outcome.status = reader.status_code();
  outcome.reason = reader.reason();
  outcome.location = reader.location();
  outcome.in_body = reader.InBody();
  return outcome;
}

std::vector<std::size_t> Whole(std::size_t size) {
  return size == 0 ? std::vector<std::size_t>{} : std::vector<std::size_t>{size};
}

std::vector<std::size_t> Bytewise(std::size_t size) { return std::vector<std::size_t>(size, 1); }

// Pieces of 1 to `largest` bytes, sizes drawn from the seed.
std::vector<std::size_t> Random(std::size_t size, std::uint32_t seed, std::size_t largest) {
  std::minstd_rand draw(seed == 0 ? 1 : seed);
  std::vector<std::size_t> pieces;
  for (std::size_t left = size; left > 0;) {
    const std::size_t piece = std::min(left, 1 + draw() % largest);
    pieces.push_back(piece);
    left -= piece;
  }
  return pieces;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace purselog;
  if (size < 5) return 0;
  // Limits of 1 to 64 bytes a line and 1 to 512 bytes of header, or the client's own.
  HttpResponseReader::Limits limits;
  if (data[0] & 0x80) {
    limits.line = 1 + (data[0] & 0x3F);
    limits.header = 1 + static_cast<std::size_t>(data[0] & 0x3F) * 8;
  }
  const std::uint32_t seed = static_cast<std::uint32_t>(data[1]) << 24 |
                             static_cast<std::uint32_t>(data[2]) << 16 |
                             static_cast<std::uint32_t>(data[3]) << 8 | data[4];
  const std::string_view answer = fuzz::AsText(data + 5, size - 5);

  const Outcome whole = Read(answer, Whole(answer.size()), limits);
  FUZZ_CHECK(Read(answer, Bytewise(answer.size()), limits) == whole);
  FUZZ_CHECK(Read(answer, Random(answer.size(), seed, 1 + seed % 97), limits) == whole);
  // Sizes a socket gives: up to its buffer.
  FUZZ_CHECK(Read(answer, Random(answer.size(), seed ^ 0x5BD1E995u, 16 * 1024), limits) == whole);

  FUZZ_CHECK(whole.status >= 0 && whole.status <= 999);
  if (whole.redirected || whole.failure) FUZZ_CHECK(whole.body.empty());
  if (whole.redirected) FUZZ_CHECK(!whole.location.empty() && !whole.failure);
  if (whole.failure && whole.failure->second != kHttpClientFailure) {
    FUZZ_CHECK(whole.failure->second == whole.status && whole.status >= 400);
    // The failure's text is the reason up to a NUL byte (an exception's message is a C string).
    FUZZ_CHECK(whole.failure->first == whole.reason.substr(0, whole.reason.find('\0')));
  }
  if (whole.in_body) {
    FUZZ_CHECK(answer.size() >= whole.body.size());
    FUZZ_CHECK(answer.substr(answer.size() - whole.body.size()) == whole.body);
  } else {
    FUZZ_CHECK(whole.body.empty());  // a header cut short by the close
  }
  if (answer.substr(0, 8) != "HTTP/1.0" && answer.substr(0, 8) != "HTTP/1.1") {
    FUZZ_CHECK(whole.body == answer && !whole.failure && whole.status == 0);  // all body
  }

  // The client's next step for a "location" it may follow.
  if (whole.redirected && !HasControlByte(whole.location)) {
    const HttpUrl current = ParseHttpUrl("http://user:pw@example.net:8080/dir/page?q=1");
    const HttpUrl next = RedirectTarget(current, whole.location);
    FUZZ_CHECK(next.path.empty() || next.path.front() == '/');
    const std::string head = BuildRequestHead(HttpSettings(), next, AbsoluteUrl(next));
    FUZZ_CHECK(head.size() >= 4 && head.compare(head.size() - 4, 4, "\r\n\r\n") == 0);
  }
  return 0;
}
