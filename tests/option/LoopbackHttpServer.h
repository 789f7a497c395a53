#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// An HTTP server on 127.0.0.1 that answers every GET with one fixed body and
// remembers the paths it was asked for. Loopback only: nothing leaves the host.
class LoopbackHttpServer {
 public:
  explicit LoopbackHttpServer(std::string body) : body_(std::move(body)) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd_, 4) != 0 ||
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
      return;
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
  }
  ~LoopbackHttpServer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (fd_ >= 0) ::close(fd_);
  }

  std::string base() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }
  std::vector<std::string> paths() const {
    std::lock_guard lock(mutex_);
    return paths_;
  }

 private:
  void serve() {
    while (!stop_) {
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, 50) <= 0) continue;
      const int client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
      if (client < 0) continue;
      std::string request;
      char buffer[4096];
      while (request.find("\r\n\r\n") == std::string::npos) {
        const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        request.append(buffer, static_cast<std::size_t>(n));
      }
      const auto first = request.find(' ');
      const auto second = request.find(' ', first + 1);
      if (first != std::string::npos && second != std::string::npos) {
        std::lock_guard lock(mutex_);
        paths_.push_back(request.substr(first + 1, second - first - 1));
      }
      const std::string answer = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                                 std::to_string(body_.size()) + "\r\nConnection: close\r\n\r\n" +
                                 body_;
      std::size_t sent = 0;
      while (sent < answer.size()) {
        const ssize_t n = ::send(client, answer.data() + sent, answer.size() - sent, MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
      }
      ::close(client);
    }
  }

  std::string body_;
  int fd_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  mutable std::mutex mutex_;
  std::vector<std::string> paths_;
};

// Listens on 127.0.0.1 and never answers: a transfer to it lasts until its
// time limit, or until the client gives up.
class SilentHttpServer {
 public:
  SilentHttpServer() {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd_, 4) != 0 ||
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
      return;
    port_ = ntohs(address.sin_port);
  }
  ~SilentHttpServer() {
    if (client_ >= 0) ::close(client_);
    if (fd_ >= 0) ::close(fd_);
  }
  SilentHttpServer(const SilentHttpServer&) = delete;
  SilentHttpServer& operator=(const SilentHttpServer&) = delete;

  std::string base() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

  // Whether a client connected and then closed its connection, both within
  // `timeoutMs` from now.
  bool clientHungUpWithin(int timeoutMs) {
    pollfd p{fd_, POLLIN, 0};
    if (client_ < 0 && (::poll(&p, 1, timeoutMs) <= 0 ||
                        (client_ = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC)) < 0))
      return false;
    char buffer[1024];
    for (;;) {
      pollfd c{client_, POLLIN, 0};
      if (::poll(&c, 1, timeoutMs) <= 0) return false;
      const ssize_t n = ::recv(client_, buffer, sizeof buffer, 0);
      if (n <= 0) return true;  // the request, then the end of the connection
    }
  }

 private:
  int fd_ = -1;
  int client_ = -1;
  int port_ = 0;
};
