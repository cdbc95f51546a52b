// THttpCli: the HTTP/1.0 client of the NET import. One GET at a time, directly or through a
// proxy, redirections followed, the body handed to a sink until the server closes. It waits on
// non-blocking sockets with poll in short steps and calls a pump between the steps, so that the
// window that started it stays alive and its cancel button can call Abort. The answer is read by
// HttpResponseReader (net/http_response.h).
//
// The host name is resolved on a thread of its own; the wait for it pumps like every other wait,
// and an Abort simply stops waiting (the thread finishes on its own and its answer is dropped).
#pragma once

#include <sys/socket.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/http_response.h"

namespace purselog {

inline constexpr int kHttpBusyNumber = 1;
inline constexpr int kMaxRedirections = 20;

inline constexpr std::string_view kHttpBusyText = "HTTP component is busy";
inline constexpr std::string_view kCannotResolveText = "can't resolve hostname to IP address";
inline constexpr std::string_view kAbortedText = "Connection aborted on request";
inline constexpr std::string_view kTooManyRedirectionsText = "too many redirections";
inline constexpr std::string_view kBadCharacterText = "invalid character in URL";
inline constexpr std::string_view kBadPortText = "invalid port number";
inline constexpr std::string_view kNoProxyPortText = "no port given for the proxy";
inline constexpr std::chrono::milliseconds kIdleTimeout{60'000};

// The parts of [scheme "://"][user[":"password]"@"]host[":"port][path and query]. A part that
// is missing is empty; the scheme defaults to "http".
struct HttpUrl {
  std::string scheme = "http";
  std::string user;
  std::string password;
  std::string host;  // as written, brackets of an IPv6 literal included
  std::string port;  // empty: not named
  std::string path;  // byte for byte; starts with "/" when not empty
};

// The first "://" ends the scheme. A text without one that starts with a single "/" is a path
// alone. The host part ends at the first "/", "?" or "#"; a path that would start with "?" or "#"
// gets a "/" in front. In the host part the last "@" ends the user information (split at its
// first ":") and the last ":" after it starts the port.
HttpUrl ParseHttpUrl(std::string_view text);

// "scheme://host[:port]path": the request target sent to a proxy.
std::string AbsoluteUrl(const HttpUrl& url);

// The target of a "location" field seen while `current` was asked: a full URL (or one that starts
// with "//") replaces scheme, user information, host, port and path, a port it does not name being
// 80; a path starting with "/" replaces the path; any other text is resolved against the directory
// of the current path. The credentials go along to the same host and port (a full URL naming
// none), never to another host or port.
HttpUrl RedirectTarget(const HttpUrl& current, std::string_view location);

// Each byte for which `escape` is true becomes "%" and two hexadecimal digits (upper-case ones
// when `upper`); every other byte stays as it is.
std::string PercentEncode(std::string_view bytes, bool (*escape)(unsigned char byte), bool upper);

// A request target as sent: a blank, a byte from 0x7F on and the characters " < > \ ^ ` { | }
// (which cannot stand in a request line) become "%" and two upper-case hexadecimal digits;
// every other byte, "%" included, is sent as it is.
std::string EncodeRequestTarget(std::string_view target);

// "Timed out: no byte for 60 seconds" (the seconds with a fraction when not whole).
std::string TimeoutText(std::chrono::milliseconds timeout);

// Base64 with the RFC 2045 alphabet and "=" padding.
std::string Base64Encode(std::string_view bytes);

// Whether the text holds a byte from 0x00 to 0x1F or 0x7F, which no request line or header may
// carry.
bool HasControlByte(std::string_view text);

struct HttpSettings {
  std::string url;         // URL: the document to fetch
  std::string proxy;       // Proxy: host, host:port or a URL naming the proxy; empty: none
  std::string proxy_port;  // ProxyPort: the proxy's port when `proxy` names none
  std::string agent = "Mozilla/3.0 (compatible)";
  std::string accept = "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*";
  bool no_cache = false;  // "Pragma: no-cache"
  // A wait for the name, the connection or the next byte that lasts this long fails.
  std::chrono::milliseconds idle_timeout = kIdleTimeout;
  HttpAnswerLimits limits;
};

// The request head for `url`, sent to `target` (its path directly, the whole URL through a
// proxy): the GET line, Accept, User-Agent, Host (without the port), Pragma when asked for,
// Authorization when the URL carries a user name, then the empty line.
std::string BuildRequestHead(const HttpSettings& settings, const HttpUrl& url,
                             std::string_view target);

// One address to connect to, as getaddrinfo gives it.
struct SocketAddress {
  int family = 0;
  int socktype = 0;
  int protocol = 0;
  sockaddr_storage address{};
  socklen_t length = 0;
};

// Resolves a host name; an empty list when it cannot. Runs on a thread of its own.
using Resolver =
    std::function<std::vector<SocketAddress>(const std::string& host, const std::string& port)>;
// The system's resolver (getaddrinfo, TCP).
std::vector<SocketAddress> SystemResolve(const std::string& host, const std::string& port);

enum class HttpState { kReady, kDnsLookup, kConnecting, kWaitingHeader, kReceivingBody, kAborting };

class THttpCli {
 public:
  using Pump = std::function<void()>;
  using Sink = std::function<void(std::string_view bytes)>;

  THttpCli();
  ~THttpCli();
  THttpCli(const THttpCli&) = delete;
  THttpCli& operator=(const THttpCli&) = delete;

  HttpSettings& settings() { return settings_; }
  const HttpSettings& settings() const { return settings_; }
  // Called between the short steps of every wait.
  void set_pump(Pump pump) { pump_ = std::move(pump); }
  // Receives the body, in order, as it arrives.
  void set_sink(Sink sink) { sink_ = std::move(sink); }
  void set_resolver(Resolver resolver) { resolver_ = std::move(resolver); }

  // Performs the GET of settings().url and returns when it is over: normally for a status code
  // below 400 (0 included: no status line at all), with EHttpException otherwise. Bytes already
  // given to the sink stay given.
  void Get();
  // Stops the Get in progress, which then fails with "Connection aborted on request" as soon as
  // the pump that called this returns. Without one, only closes a connection that might still be
  // open. Called on the thread of Get (from its pump).
  void Abort();

  HttpState State() const { return state_; }
  // 0 before any status line arrives; after a failure, its number.
  int StatusCode() const { return status_code_; }
  // The rest of the status line, or the text of the failure.
  const std::string& ReasonPhrase() const { return reason_; }

 private:
  struct Route;
  // One request and its answer; returns the "location" to go on to, or nullopt when done.
  std::optional<std::string> Exchange(const HttpUrl& url);
  Route RouteFor(const HttpUrl& url) const;
  std::vector<SocketAddress> Resolve(const std::string& host, const std::string& port);
  void Connect(const std::vector<SocketAddress>& addresses);
  void SendAll(std::string_view bytes);
  // Pumps, then waits up to one step for `events` on the socket; returns the events that came.
  short WaitStep(short events);
  // Pumps, then fails when an abort was asked for or nothing has come for too long.
  void PumpAndCheck();
  // Something arrived or went out: the idle time starts again.
  void Progressed();
  void CloseSocket();
  [[noreturn]] void ThrowSocketError(int error_number);

  HttpSettings settings_;
  Pump pump_;
  Sink sink_;
  Resolver resolver_;
  HttpState state_ = HttpState::kReady;
  bool abort_requested_ = false;
  std::chrono::steady_clock::time_point idle_since_;
  int socket_ = -1;
  int status_code_ = 0;
  std::string reason_;
};

}  // namespace purselog
