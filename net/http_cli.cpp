#include "net/http_cli.h"

#include <netdb.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

namespace purselog {

namespace {

constexpr int kStepMilliseconds = 10;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

// The port a direct request to the URL connects to.
std::string_view PortOf(const HttpUrl& url) {
  return url.port.empty() ? std::string_view("80") : std::string_view(url.port);
}

// A port of one to five digits naming 1 to 65535.
bool IsValidPort(std::string_view port) {
  if (port.empty() || port.size() > 5) return false;
  int value = 0;
  for (const char c : port) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value >= 1 && value <= 65535;
}

[[noreturn]] void Fail(std::string_view message, int number = kHttpClientFailure) {
  throw EHttpException(std::string(message), number);
}

}  // namespace

HttpUrl ParseHttpUrl(std::string_view text) {
  HttpUrl url;
  std::string_view rest = text;
  if (const std::size_t separator = text.find("://"); separator != std::string_view::npos) {
    url.scheme = std::string(text.substr(0, separator));
    rest = text.substr(separator + 3);
  } else if (StartsWith(text, "/") && !StartsWith(text, "//")) {
    url.path = std::string(text);
    return url;
  }
  const std::size_t host_end = rest.find_first_of("/?#");
  std::string_view host_part = rest.substr(0, host_end);
  if (host_end != std::string_view::npos) {
    url.path = std::string(rest.substr(host_end));
    if (url.path.front() != '/') url.path.insert(0, 1, '/');
  }
  if (const std::size_t at = host_part.rfind('@'); at != std::string_view::npos) {
    const std::string_view user_info = host_part.substr(0, at);
    const std::size_t colon = user_info.find(':');
    url.user = std::string(user_info.substr(0, colon));
    if (colon != std::string_view::npos) url.password = std::string(user_info.substr(colon + 1));
    host_part = host_part.substr(at + 1);
  }
  std::size_t port_colon = host_part.rfind(':');
  if (StartsWith(host_part, "[")) {
    // An IPv6 literal: its colons are not the port's.
    const std::size_t close = host_part.find(']');
    if (close != std::string_view::npos) {
      port_colon = host_part.find(':', close);
      if (port_colon != close + 1) port_colon = std::string_view::npos;
    }
  }
  url.host = std::string(host_part.substr(0, port_colon));
  if (port_colon != std::string_view::npos)
    url.port = std::string(host_part.substr(port_colon + 1));
  return url;
}

std::string AbsoluteUrl(const HttpUrl& url) {
  std::string text = url.scheme + "://" + url.host;
  if (!url.port.empty()) text += ":" + url.port;
  return text + url.path;
}

HttpUrl RedirectTarget(const HttpUrl& current, std::string_view location) {
  if (location.find("://") != std::string_view::npos || StartsWith(location, "//")) {
    HttpUrl next = ParseHttpUrl(location.find("://") != std::string_view::npos
                                    ? location
                                    : current.scheme + ":" + std::string(location));
    if (next.user.empty() && EqualIgnoringAsciiCase(next.host, current.host) &&
        PortOf(next) == PortOf(current)) {
      next.user = current.user;
      next.password = current.password;
    }
    return next;
  }
  HttpUrl next = current;
  if (StartsWith(location, "/")) {
    next.path = std::string(location);
    return next;
  }
  std::string_view base = current.path;
  base = base.substr(0, base.find_first_of("?#"));
  if (StartsWith(location, "?") || StartsWith(location, "#")) {
    next.path = (base.empty() ? std::string("/") : std::string(base)) + std::string(location);
  } else {
    const std::size_t slash = base.rfind('/');
    const std::string directory =
        slash == std::string_view::npos ? std::string("/") : std::string(base.substr(0, slash + 1));
    next.path = directory + std::string(location);
  }
  return next;
}

std::string Base64Encode(std::string_view bytes) {
  static constexpr char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const unsigned v = static_cast<unsigned char>(bytes[i]) << 16 |
                       static_cast<unsigned char>(bytes[i + 1]) << 8 |
                       static_cast<unsigned char>(bytes[i + 2]);
    out += {kAlphabet[v >> 18], kAlphabet[(v >> 12) & 63], kAlphabet[(v >> 6) & 63],
            kAlphabet[v & 63]};
  }
  if (const std::size_t left = bytes.size() - i; left > 0) {
    unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
    if (left == 2) v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    out += kAlphabet[v >> 18];
    out += kAlphabet[(v >> 12) & 63];
    out += left == 2 ? kAlphabet[(v >> 6) & 63] : '=';
    out += '=';
  }
  return out;
}

std::string PercentEncode(std::string_view bytes, bool (*escape)(unsigned char byte), bool upper) {
  const char* const hex = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (escape(byte)) {
      out += '%';
      out += hex[byte >> 4];
      out += hex[byte & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::string EncodeRequestTarget(std::string_view target) {
  return PercentEncode(
      target,
      [](unsigned char byte) {
        return byte >= 0x7F || std::string_view(" \"<>\\^`{|}").find(static_cast<char>(byte)) !=
                                   std::string_view::npos;
      },
      true);
}

std::string TimeoutText(std::chrono::milliseconds timeout) {
  const auto count = timeout.count();
  std::string seconds = std::to_string(count / 1000);
  if (count % 1000 != 0) {
    std::string fraction = std::to_string(1000 + count % 1000).substr(1);
    while (fraction.back() == '0') fraction.pop_back();
    seconds += "." + fraction;
  }
  return "Timed out: no byte for " + seconds + " seconds";
}

bool HasControlByte(std::string_view text) {
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return true;
  }
  return false;
}

std::string BuildRequestHead(const HttpSettings& settings, const HttpUrl& url,
                             std::string_view target) {
  std::string head = "GET " + std::string(target) + " HTTP/1.0\r\n";
  head += "Accept: " + settings.accept + "\r\n";
  head += "User-Agent: " + settings.agent + "\r\n";
  if (settings.no_cache) head += "Pragma: no-cache\r\n";
  head += "Host: " + url.host + "\r\n";
  if (!url.user.empty()) {
    head += "Authorization: Basic " + Base64Encode(url.user + ":" + url.password) + "\r\n";
  }
  head += "\r\n";
  return head;
}

std::vector<SocketAddress> SystemResolve(const std::string& host, const std::string& port) {
  std::vector<SocketAddress> addresses;
  if (host.empty()) return addresses;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICSERV;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), port.c_str(), &hints, &found) != 0) return addresses;
  for (const addrinfo* info = found; info != nullptr; info = info->ai_next) {
    if (info->ai_addrlen > sizeof(sockaddr_storage)) continue;
    SocketAddress address;
    address.family = info->ai_family;
    address.socktype = info->ai_socktype;
    address.protocol = info->ai_protocol;
    std::memcpy(&address.address, info->ai_addr, info->ai_addrlen);
    address.length = info->ai_addrlen;
    addresses.push_back(address);
  }
  ::freeaddrinfo(found);
  return addresses;
}

// Where a request goes: the host and port to connect to and the request target.
struct THttpCli::Route {
  std::string host;  // without the brackets of an IPv6 literal
  std::string port;
  std::string target;
};

THttpCli::THttpCli() = default;

THttpCli::~THttpCli() { CloseSocket(); }

void THttpCli::Get() {
  if (state_ != HttpState::kReady) Fail(kHttpBusyText, kHttpBusyNumber);
  state_ = HttpState::kDnsLookup;
  abort_requested_ = false;
  Progressed();
  status_code_ = 0;
  reason_.clear();
  try {
    for (const std::string* text : {&settings_.url, &settings_.proxy, &settings_.proxy_port,
                                    &settings_.agent, &settings_.accept}) {
      if (HasControlByte(*text)) Fail(kBadCharacterText);
    }
    HttpUrl url = ParseHttpUrl(settings_.url);
    for (int redirections = 0;; ++redirections) {
      const std::optional<std::string> location = Exchange(url);
      if (!location) break;
      if (redirections == kMaxRedirections) Fail(kTooManyRedirectionsText);
      if (HasControlByte(*location)) Fail(kBadCharacterText);
      url = RedirectTarget(url, *location);
    }
  } catch (const EHttpException& failure) {
    CloseSocket();
    status_code_ = failure.number();
    reason_ = failure.what();
    state_ = HttpState::kReady;
    throw;
  } catch (...) {
    CloseSocket();
    state_ = HttpState::kReady;
    throw;
  }
  CloseSocket();
  state_ = HttpState::kReady;
}

void THttpCli::Abort() {
  if (state_ == HttpState::kReady) {
    CloseSocket();
    return;
  }
  // Get sees it as soon as the pump that called this returns.
  abort_requested_ = true;
  state_ = HttpState::kAborting;
}

THttpCli::Route THttpCli::RouteFor(const HttpUrl& url) const {
  Route route;
  if (settings_.proxy.empty()) {
    route.host = url.host;
    route.port = url.port.empty() ? "80" : url.port;
    route.target = EncodeRequestTarget(url.path.empty() ? "/" : url.path);
  } else {
    const HttpUrl proxy = ParseHttpUrl(settings_.proxy);
    route.host = proxy.host;
    route.port = proxy.port.empty() ? settings_.proxy_port : proxy.port;
    if (route.port.empty()) Fail(kNoProxyPortText);
    route.target = EncodeRequestTarget(AbsoluteUrl(url));
  }
  if (!IsValidPort(route.port)) Fail(kBadPortText);
  if (route.host.size() >= 2 && route.host.front() == '[' && route.host.back() == ']') {
    route.host = route.host.substr(1, route.host.size() - 2);
  }
  return route;
}

std::optional<std::string> THttpCli::Exchange(const HttpUrl& url) {
  status_code_ = 0;
  reason_.clear();
  const Route route = RouteFor(url);
  const std::vector<SocketAddress> addresses = Resolve(route.host, route.port);
  if (addresses.empty()) Fail(kCannotResolveText);
  Connect(addresses);
  state_ = HttpState::kWaitingHeader;
  SendAll(BuildRequestHead(settings_, url, route.target));

  HttpResponseReader reader(sink_, settings_.limits);
  char buffer[16 * 1024];
  for (;;) {
    if ((WaitStep(POLLIN) & (POLLIN | POLLERR | POLLHUP)) == 0) continue;
    const ssize_t received = ::recv(socket_, buffer, sizeof buffer, 0);
    if (received > 0) {
      Progressed();
      const bool redirected =
          reader.Feed(std::string_view(buffer, static_cast<std::size_t>(received)));
      status_code_ = reader.status_code();
      reason_ = reader.reason();
      if (redirected) {
        CloseSocket();
        return reader.location();
      }
      if (reader.InBody()) state_ = HttpState::kReceivingBody;
    } else if (received == 0) {
      reader.Finish();
      CloseSocket();
      return std::nullopt;
    } else if (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK) {
      // A connection reset is no end of the answer: what arrived may be cut anywhere.
      ThrowSocketError(errno);
    }
  }
}

std::vector<SocketAddress> THttpCli::Resolve(const std::string& host, const std::string& port) {
  state_ = HttpState::kDnsLookup;
  // Shared with the resolving thread, which may outlive the wait when it is aborted.
  struct Lookup {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::vector<SocketAddress> addresses;
  };
  auto lookup = std::make_shared<Lookup>();
  const Resolver resolver = resolver_ ? resolver_ : Resolver(SystemResolve);
  try {
    std::thread([lookup, resolver, host, port] {
      std::vector<SocketAddress> found;
      try {
        found = resolver(host, port);
      } catch (...) {
        found.clear();  // an answer that cannot be had is no address
      }
      const std::lock_guard lock(lookup->mutex);
      lookup->addresses = std::move(found);
      lookup->done = true;
      lookup->finished.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    Fail(kCannotResolveText);
  }
  for (;;) {
    PumpAndCheck();
    std::unique_lock lock(lookup->mutex);
    if (lookup->finished.wait_for(lock, std::chrono::milliseconds(kStepMilliseconds),
                                  [&lookup] { return lookup->done; })) {
      return std::move(lookup->addresses);
    }
  }
}

void THttpCli::Connect(const std::vector<SocketAddress>& addresses) {
  state_ = HttpState::kConnecting;
  int last_error = ECONNREFUSED;
  for (const SocketAddress& address : addresses) {
    socket_ =
        ::socket(address.family, address.socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.protocol);
    if (socket_ < 0) {
      last_error = errno;
      continue;
    }
    int error = 0;
    if (::connect(socket_, reinterpret_cast<const sockaddr*>(&address.address), address.length) !=
        0) {
      error = errno;
      if (error == EINPROGRESS || error == EINTR) {
        while ((WaitStep(POLLOUT) & (POLLOUT | POLLERR | POLLHUP)) == 0) {
        }
        socklen_t length = sizeof error;
        if (::getsockopt(socket_, SOL_SOCKET, SO_ERROR, &error, &length) != 0) error = errno;
      }
    }
    if (error == 0) {
      Progressed();
      return;
    }
    last_error = error;
    CloseSocket();
  }
  ThrowSocketError(last_error);
}

void THttpCli::SendAll(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent > 0) {
      Progressed();
      bytes.remove_prefix(static_cast<std::size_t>(sent));
    } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      WaitStep(POLLOUT);
    } else if (sent < 0 && errno != EINTR) {
      ThrowSocketError(errno);
    }
  }
}

short THttpCli::WaitStep(short events) {
  PumpAndCheck();
  pollfd entry{socket_, events, 0};
  const int ready = ::poll(&entry, 1, kStepMilliseconds);
  if (ready < 0) {
    if (errno == EINTR) return 0;
    ThrowSocketError(errno);
  }
  return ready > 0 ? entry.revents : 0;
}

void THttpCli::PumpAndCheck() {
  if (pump_) pump_();
  if (abort_requested_) Fail(kAbortedText);
  if (std::chrono::steady_clock::now() - idle_since_ >= settings_.idle_timeout) {
    Fail(TimeoutText(settings_.idle_timeout));
  }
}

void THttpCli::Progressed() { idle_since_ = std::chrono::steady_clock::now(); }

void THttpCli::CloseSocket() {
  if (socket_ >= 0) {
    ::close(socket_);
    socket_ = -1;
  }
}

void THttpCli::ThrowSocketError(int error_number) {
  Fail(std::generic_category().message(error_number) + " (Error #" + std::to_string(error_number) +
       ")");
}

}  // namespace purselog
