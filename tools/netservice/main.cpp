// purselog-netservice: a small NET service to try purselog's import on one machine. Listens on
// 127.0.0.1 only, answers one request at a time, and keeps its entries in a folder (see
// service.h).
//
//   purselog-netservice [--port 8470] [--folder ./netservice]
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

#include "tools/netservice/service.h"

namespace {

constexpr std::size_t kMaxRequestBytes = 64 * 1024;
constexpr int kRequestWaitMilliseconds = 5000;

// The request target of "GET <target> HTTP/1.x"; empty when the request is not a GET.
std::string RequestTarget(std::string_view request) {
  const std::string_view line = request.substr(0, request.find("\r\n"));
  if (line.substr(0, 4) != "GET ") return {};
  const std::string_view rest = line.substr(4);
  return std::string(rest.substr(0, rest.find(' ')));
}

// The request head, read until its empty line; empty when the client sends none in time.
std::string ReadRequest(int connection) {
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < kMaxRequestBytes) {
    pollfd entry{connection, POLLIN, 0};
    if (::poll(&entry, 1, kRequestWaitMilliseconds) <= 0) return {};
    const ssize_t received = ::recv(connection, buffer, sizeof buffer, 0);
    if (received <= 0) break;
    request.append(buffer, static_cast<std::size_t>(received));
  }
  return request;
}

void SendAll(int connection, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(connection, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(sent));
  }
}

void Answer(int connection, const std::filesystem::path& folder) {
  const std::string target = RequestTarget(ReadRequest(connection));
  purselog::ServiceAnswer answer{400, "Bad Request", {}};
  if (!target.empty()) {
    try {
      answer = purselog::HandleServiceRequest(folder, target);
    } catch (const std::exception& error) {
      answer = {500, "Internal Server Error", std::string(error.what()) + "\r\n"};
    }
  }
  // The log leaves out the query: it carries the password.
  std::printf("%d %s %s\n", answer.status, answer.reason.c_str(),
              target.substr(0, target.find('?')).c_str());
  std::fflush(stdout);
  SendAll(connection, purselog::ServiceAnswerBytes(answer));
}

}  // namespace

int main(int argc, char** argv) {
  int port = 8470;
  std::filesystem::path folder = "netservice";
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string_view option = argv[i];
    if (option == "--port") {
      port = std::atoi(argv[i + 1]);
    } else if (option == "--folder") {
      folder = argv[i + 1];
    } else {
      std::fprintf(stderr, "usage: %s [--port N] [--folder DIR]\n", argv[0]);
      return 2;
    }
  }
  std::error_code error;
  std::filesystem::create_directories(folder, error);

  const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const int yes = 1;
  ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  if (listener < 0 ||
      ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener, 8) != 0) {
    std::fprintf(stderr, "cannot listen on 127.0.0.1:%d: %s\n", port, std::strerror(errno));
    return 1;
  }
  std::printf("NET service at http://127.0.0.1:%d%s, entries in %s\n", port,
              std::string(purselog::kServicePath).c_str(),
              std::filesystem::absolute(folder).string().c_str());
  std::fflush(stdout);
  for (;;) {
    const int connection = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    Answer(connection, folder);
    ::close(connection);
  }
}
