#include "mousesim/SimServer.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "mousesim/MouseStateFile.h"
#include "mousesim/SimWire.h"
#include "platform/Clock.h"

namespace mousesim {
namespace {

std::vector<std::uint8_t> u16pair(std::uint16_t a, std::uint16_t b) {
  return {static_cast<std::uint8_t>(a & 0xFF), static_cast<std::uint8_t>(a >> 8),
          static_cast<std::uint8_t>(b & 0xFF), static_cast<std::uint8_t>(b >> 8)};
}

}  // namespace

SimServer::SimServer(MouseSimulator& simulator, std::string socketPath, std::string stateFile)
    : simulator_(simulator), socketPath_(std::move(socketPath)), stateFile_(std::move(stateFile)) {
  schedule_ = SaveSchedule(simulator_.model().revision());
  simulator_.model().setEventSink([this](std::uint16_t type, std::uint16_t value) {
    broadcast(wire::kEvent, u16pair(type, value));
    if (link_) link_->event(type, value);
  });
  simulator_.model().setPlugSink([this](bool plugged) {
    broadcast(wire::kPlug, {static_cast<std::uint8_t>(plugged ? 1 : 0)});
    if (link_) link_->plugged(plugged);
  });
}

SimServer::~SimServer() {
  simulator_.model().setEventSink(nullptr);
  simulator_.model().setPlugSink(nullptr);
  for (auto& [fd, client] : clients_) ::close(fd);
  if (listenFd_ >= 0) {
    ::close(listenFd_);
    ::unlink(socketPath_.c_str());
  }
}

bool SimServer::listen(std::string* error) {
  auto fail = [&](std::string why) {
    if (error) *error = std::move(why);
    return false;
  };
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (socketPath_.size() >= sizeof addr.sun_path)
    return fail("socket path too long: " + socketPath_);
  if (const int other = wire::connectTo(socketPath_); other >= 0) {
    ::close(other);
    return fail("a simulated mouse already listens on " + socketPath_);
  }
  ::unlink(socketPath_.c_str());  // a stale socket of a simulator that died
  std::memcpy(addr.sun_path, socketPath_.c_str(), socketPath_.size() + 1);
  listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (listenFd_ < 0) return fail(std::string("socket: ") + std::strerror(errno));
  const mode_t oldMask = ::umask(0077);  // only this user talks to the mouse
  const int bound = ::bind(listenFd_, reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
  ::umask(oldMask);
  if (bound != 0 || ::listen(listenFd_, 16) != 0) {
    const std::string why = std::strerror(errno);
    ::close(listenFd_);
    listenFd_ = -1;
    return fail("cannot listen on " + socketPath_ + ": " + why);
  }
  return true;
}

void SimServer::run(const std::atomic<bool>& stopRequested) {
  while (!stopRequested.load()) {
    std::vector<pollfd> fds;
    fds.push_back({listenFd_, POLLIN, 0});
    for (const auto& [fd, client] : clients_) fds.push_back({fd, POLLIN, 0});
    const std::size_t linkIndex = fds.size();
    if (link_ && link_->fd() >= 0) fds.push_back({link_->fd(), POLLIN, 0});
    // Sleep no longer than until a state save falls due.
    const int ready = ::poll(
        fds.data(), fds.size(),
        stateFile_.empty() ? -1 : schedule_.waitMs(simulator_.model().revision(), platform::now()));
    if (ready < 0 && errno != EINTR) break;
    if (ready <= 0) continue;
    if (fds[0].revents & POLLIN) accept();
    if (linkIndex < fds.size() && fds[linkIndex].revents) link_->serve();
    for (std::size_t i = 1; i < linkIndex; ++i) {
      if (!fds[i].revents) continue;
      auto it = clients_.find(fds[i].fd);
      if (it != clients_.end() && !serve(it->first, it->second)) dropped_.push_back(it->first);
    }
    for (int fd : dropped_) {
      if (clients_.erase(fd)) ::close(fd);
    }
    dropped_.clear();
    saveIfChanged(false);
  }
  saveIfChanged(true);
}

void SimServer::accept() {
  for (;;) {
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) return;
    // A watcher that stops reading must not stall the mouse.
    timeval timeout{2, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    clients_[fd] = Client{};
  }
}

bool SimServer::serve(int fd, Client& client) {
  std::uint8_t chunk[8192];
  const ssize_t n = ::recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
  if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) return false;
  if (n > 0) client.input.insert(client.input.end(), chunk, chunk + n);
  std::uint8_t kind = 0;
  std::vector<std::uint8_t> payload;
  bool malformed = false;
  while (wire::takeFrame(client.input, kind, payload, malformed)) {
    if (!handle(fd, client, kind, payload)) return false;
  }
  return !malformed;
}

bool SimServer::handle(int fd, Client& client, std::uint8_t kind,
                       std::vector<std::uint8_t>& payload) {
  MouseModel& model = simulator_.model();
  switch (kind) {
    case wire::kSet: {
      const std::uint8_t ok = model.setFeature(payload) ? 1 : 0;
      return wire::sendFrame(fd, wire::kReply, std::vector<std::uint8_t>{ok});
    }
    case wire::kGet: {
      std::vector<std::uint8_t> reply(1 + payload.size());
      reply[0] = !payload.empty() && model.getFeature(payload) ? 1 : 0;
      std::copy(payload.begin(), payload.end(), reply.begin() + 1);
      return wire::sendFrame(fd, wire::kReply, reply);
    }
    case wire::kOpen: {
      const std::vector<std::uint8_t> reply = {
          static_cast<std::uint8_t>(model.plugged() ? 1 : 0),
          static_cast<std::uint8_t>(kSimulatedProductId & 0xFF),
          static_cast<std::uint8_t>(kSimulatedProductId >> 8)};
      return wire::sendFrame(fd, wire::kReply, reply);
    }
    case wire::kWatch:
      client.watcher = true;
      return wire::sendFrame(fd, wire::kPlug,
                             std::vector<std::uint8_t>{static_cast<std::uint8_t>(model.plugged())});
    case wire::kControl: {
      std::vector<std::string> args;
      std::string current;
      for (std::uint8_t c : payload) {
        if (c == 0) {
          args.push_back(current);
          current.clear();
        } else {
          current += static_cast<char>(c);
        }
      }
      if (!current.empty()) args.push_back(current);
      const MouseSimulator::Reply r = simulator_.control(args);
      std::vector<std::uint8_t> reply(1 + r.text.size());
      reply[0] = static_cast<std::uint8_t>(r.code);
      std::memcpy(reply.data() + 1, r.text.data(), r.text.size());
      return wire::sendFrame(fd, wire::kText, reply);
    }
    default:
      return false;
  }
}

void SimServer::broadcast(std::uint8_t kind, const std::vector<std::uint8_t>& payload) {
  for (auto& [fd, client] : clients_) {
    if (client.watcher && !wire::sendFrame(fd, static_cast<wire::Kind>(kind), payload)) {
      dropped_.push_back(fd);
    }
  }
}

void SimServer::saveIfChanged(bool atExit) {
  const std::uint64_t revision = simulator_.model().revision();
  const std::int64_t now = platform::now();
  if (stateFile_.empty() || !schedule_.pending(revision)) return;
  if (!atExit && !schedule_.due(revision, now)) return;
  std::string error;
  if (!saveStateFile(stateFile_, simulator_.model().memory(), &error)) {
    std::fprintf(stderr, "vesk-mouse-sim: %s\n", error.c_str());
  }
  schedule_.saved(revision, now);
}

}  // namespace mousesim
