// A scripted HTTP server for tests: a thread with a listening socket on 127.0.0.1 (a port the
// system chooses) that takes one connection after another, reads each request up to its empty
// line, records it, and answers with the exact bytes of the script.
#pragma once

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace purselog::testing {

class LoopbackServer {
 public:
  struct Answer {
    std::string bytes;  // sent once the request has been read
    bool hang = false;  // then keeps the connection open until the client closes it
  };
  // The answer to the request (numbered from 0) that has just been read.
  using Script = std::function<Answer(const std::string& request, int number)>;

  explicit LoopbackServer(Script script) : script_(std::move(script)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        ::listen(listener_, 16) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      std::abort();
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  // The answers in order, one per connection; the last one again for any further connection.
  explicit LoopbackServer(std::vector<Answer> answers)
      : LoopbackServer([answers](const std::string&, int number) {
          return answers[std::min<std::size_t>(static_cast<std::size_t>(number),
                                               answers.size() - 1)];
        }) {}

  ~LoopbackServer() {
    stop_ = true;
    thread_.join();
    ::close(listener_);
  }
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int port() const { return port_; }
  // "http://127.0.0.1:<port>" followed by `path`.
  std::string Url(std::string_view path = {}) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
  }
  std::vector<std::string> Requests() const {
    const std::lock_guard lock(mutex_);
    return requests_;
  }

 private:
  // Waits for `events` in steps, so that the destructor is never kept waiting.
  bool WaitFor(int fd, short events) {
    while (!stop_) {
      pollfd entry{fd, events, 0};
      if (::poll(&entry, 1, 20) > 0) return true;
    }
    return false;
  }

  void Serve() {
    for (int number = 0; WaitFor(listener_, POLLIN); ++number) {
      const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (connection < 0) continue;
      std::string request;
      char buffer[4096];
      while (request.find("\r\n\r\n") == std::string::npos && WaitFor(connection, POLLIN)) {
        const ssize_t received = ::recv(connection, buffer, sizeof buffer, 0);
        if (received <= 0) break;
        request.append(buffer, static_cast<std::size_t>(received));
      }
      {
        const std::lock_guard lock(mutex_);
        requests_.push_back(request);
      }
      const Answer answer = script_(request, number);
      std::string_view rest = answer.bytes;
      while (!rest.empty()) {
        const ssize_t sent = ::send(connection, rest.data(), rest.size(), MSG_NOSIGNAL);
        if (sent <= 0) break;  // the client has gone
        rest.remove_prefix(static_cast<std::size_t>(sent));
      }
      if (answer.hang) {
        while (WaitFor(connection, POLLIN) && ::recv(connection, buffer, sizeof buffer, 0) > 0) {
        }
      }
      ::close(connection);
    }
  }

  Script script_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> requests_;
  std::thread thread_;
};

}  // namespace purselog::testing
