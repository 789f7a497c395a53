#include "mousesim/SimWire.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/Paths.h"

namespace mousesim::wire {
namespace {

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool readAll(int fd, std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::recv(fd, data, size, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

std::uint32_t frameLength(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

}  // namespace

std::string defaultSocketPath() {
  if (const char* env = std::getenv("VESK_MOUSE_SIM"); env && *env) return env;
  std::string folder = platform::RuntimeFolder();
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder + "mouse-sim.sock";
}

int connectTo(const std::string& path) {
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  if (path.size() >= sizeof addr.sun_path) return -1;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

bool sendFrame(int fd, Kind kind, std::span<const std::uint8_t> payload) {
  const std::uint32_t length = static_cast<std::uint32_t>(payload.size() + 1);
  std::vector<std::uint8_t> frame(4 + length);
  for (int i = 0; i < 4; ++i) frame[i] = static_cast<std::uint8_t>(length >> (8 * i));
  frame[4] = kind;
  if (!payload.empty()) std::memcpy(frame.data() + 5, payload.data(), payload.size());
  return writeAll(fd, frame.data(), frame.size());
}

bool receiveFrame(int fd, std::uint8_t& kind, std::vector<std::uint8_t>& payload) {
  std::uint8_t header[5];
  if (!readAll(fd, header, 4)) return false;
  const std::uint32_t length = frameLength(header);
  if (length == 0 || length > kMaxFrame) return false;
  if (!readAll(fd, header + 4, 1)) return false;
  kind = header[4];
  payload.resize(length - 1);
  return payload.empty() || readAll(fd, payload.data(), payload.size());
}

bool takeFrame(std::vector<std::uint8_t>& buffer, std::uint8_t& kind,
               std::vector<std::uint8_t>& payload, bool& malformed) {
  malformed = false;
  if (buffer.size() < 4) return false;
  const std::uint32_t length = frameLength(buffer.data());
  if (length == 0 || length > kMaxFrame) {
    malformed = true;
    return false;
  }
  if (buffer.size() < 4 + static_cast<std::size_t>(length)) return false;
  kind = buffer[4];
  payload.assign(buffer.begin() + 5, buffer.begin() + 4 + length);
  buffer.erase(buffer.begin(), buffer.begin() + 4 + length);
  return true;
}

}  // namespace mousesim::wire
