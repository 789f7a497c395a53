#include "WindowSocket.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/Paths.h"

namespace platform::detail {
namespace {

constexpr int kListenBacklog = 128;
constexpr int kSendBufferBytes = 256 * 1024;

// The runtime folder, opened so that socket paths too long for sun_path can
// go through /proc/self/fd.
class RuntimeDir {
 public:
  RuntimeDir() : path_(RuntimeFolder()) {
    if (!path_.empty()) fd_ = ::open(path_.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  }
  ~RuntimeDir() {
    if (fd_ >= 0) ::close(fd_);
  }
  RuntimeDir(const RuntimeDir&) = delete;
  RuntimeDir& operator=(const RuntimeDir&) = delete;

  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  const std::string& path() const { return path_; }

  bool address(const std::string& name, sockaddr_un& addr, socklen_t& len) const {
    std::string full = path_ + "/" + name;
    if (full.size() >= sizeof addr.sun_path)
      full = "/proc/self/fd/" + std::to_string(fd_) + "/" + name;
    if (full.size() >= sizeof addr.sun_path) return false;
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, full.data(), full.size());
    len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + full.size() + 1);
    return true;
  }

  template <typename Fn>
  void forEachEntry(Fn fn) const {
    DIR* dir = ::opendir(path_.c_str());
    if (!dir) return;
    std::vector<std::string> names;
    while (dirent* e = ::readdir(dir)) names.emplace_back(e->d_name);
    ::closedir(dir);
    for (auto& n : names) fn(n);
  }

 private:
  std::string path_;
  int fd_ = -1;
};

std::string hex16(std::uint64_t v) {
  char buf[17];
  std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(v));
  return buf;
}

std::optional<std::uint64_t> parseHex16(std::string_view s) {
  if (s.size() != 16) return std::nullopt;
  std::uint64_t v = 0;
  for (char c : s) {
    v <<= 4;
    if (c >= '0' && c <= '9')
      v |= static_cast<unsigned>(c - '0');
    else if (c >= 'a' && c <= 'f')
      v |= static_cast<unsigned>(c - 'a' + 10);
    else
      return std::nullopt;
  }
  return v;
}

std::uint64_t titleHash(std::string_view title) {
  std::uint64_t h = 1469598103934665603ull;
  for (char c : lowerAscii(title)) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ull;
  }
  return h;
}

// A one-letter kind and a value in hex. Built by appending: GCC 12 at -O3
// warns falsely (-Wrestrict) about "w" + std::string.
std::string tagged(char kind, std::uint64_t v) {
  std::string name(1, kind);
  name += hex16(v);
  return name;
}

std::string socketName(HWND hwnd) { return tagged('w', hwnd); }
std::string processLinkName(HWND hwnd) { return tagged('p', hwnd); }
std::string titleLinkName(HWND hwnd, std::string_view title) {
  std::string name = tagged('t', titleHash(title));
  name += '-';
  name += hex16(hwnd);
  return name;
}

// "t<hash>-<handle>" -> handle
std::optional<HWND> linkHandle(std::string_view name) {
  if (name.size() != 34 || name[0] != 't' || name[17] != '-') return std::nullopt;
  return parseHex16(name.substr(18));
}

std::optional<std::string> readLink(const RuntimeDir& dir, const std::string& name) {
  char buf[4096];
  ssize_t n = ::readlinkat(dir.fd(), name.c_str(), buf, sizeof buf);
  if (n < 0 || n == static_cast<ssize_t>(sizeof buf)) return std::nullopt;
  return std::string(buf, static_cast<std::size_t>(n));
}

void removeFiles(const RuntimeDir& dir, HWND hwnd, bool titled) {
  ::unlinkat(dir.fd(), socketName(hwnd).c_str(), 0);
  ::unlinkat(dir.fd(), processLinkName(hwnd).c_str(), 0);
  if (!titled) return;
  dir.forEachEntry([&](const std::string& name) {
    if (linkHandle(name) == hwnd) ::unlinkat(dir.fd(), name.c_str(), 0);
  });
}

pid_t processLinked(const RuntimeDir& dir, HWND hwnd) {
  const auto target = readLink(dir, processLinkName(hwnd));
  if (!target || target->empty() || target->size() > 10) return 0;
  long pid = 0;
  for (char c : *target) {
    if (c < '0' || c > '9') return 0;
    pid = pid * 10 + (c - '0');
  }
  return static_cast<pid_t>(pid);
}

// Claims the handle for this process: the link "p<handle>" naming our pid is
// made before the socket, so whoever finds the socket can tell whether its
// process lives. A claim whose process died is taken over.
enum class Claim { Ours, Taken, Failed };
Claim claimHandle(const RuntimeDir& dir, HWND hwnd) {
  const std::string pid = std::to_string(::getpid());
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (::symlinkat(pid.c_str(), dir.fd(), processLinkName(hwnd).c_str()) == 0) return Claim::Ours;
    if (errno != EEXIST) return Claim::Failed;
    if (processAlive(processLinked(dir, hwnd))) return Claim::Taken;
    removeFiles(dir, hwnd, true);
  }
  return Claim::Taken;
}

}  // namespace

pid_t processOf(HWND hwnd) {
  RuntimeDir dir;
  return dir.ok() ? processLinked(dir, hwnd) : 0;
}

bool processAlive(pid_t pid) {
  if (pid <= 0) return false;
  if (::kill(pid, 0) != 0 && errno != EPERM) return false;
  // A zombie is dead for our purposes: its sockets are closed.
  char path[64];
  std::snprintf(path, sizeof path, "/proc/%d/stat", static_cast<int>(pid));
  FILE* f = std::fopen(path, "re");
  if (!f) return true;
  char buf[512];
  std::size_t n = std::fread(buf, 1, sizeof buf - 1, f);
  std::fclose(f);
  buf[n] = 0;
  const char* close = std::strrchr(buf, ')');
  return !(close && close[1] == ' ' && (close[2] == 'Z' || close[2] == 'X'));
}

std::string lowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool sameTitle(std::string_view a, std::string_view b) {
  return a.size() == b.size() && lowerAscii(a) == lowerAscii(b);
}

int listenForWindow(HWND hwnd, std::string_view title) {
  RuntimeDir dir;
  if (!dir.ok()) return -1;
  sockaddr_un addr;
  socklen_t len;
  if (!dir.address(socketName(hwnd), addr, len)) return -1;
  const Claim claim = claimHandle(dir, hwnd);
  if (claim != Claim::Ours) return claim == Claim::Taken ? kHandleTaken : -1;
  int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    ::unlinkat(dir.fd(), processLinkName(hwnd).c_str(), 0);
    return -1;
  }
  if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), len) != 0) {
    // The handle is ours now: a socket left by its dead previous owner.
    ::unlinkat(dir.fd(), socketName(hwnd).c_str(), 0);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), len) != 0) {
      ::close(fd);
      ::unlinkat(dir.fd(), processLinkName(hwnd).c_str(), 0);
      return -1;
    }
  }
  if (::listen(fd, kListenBacklog) != 0) {
    ::close(fd);
    removeFiles(dir, hwnd, false);
    return -1;
  }
  if (!title.empty()) {
    std::string target(title.substr(0, std::min<std::size_t>(title.find('\0'), 4000)));
    if (!target.empty()) ::symlinkat(target.c_str(), dir.fd(), titleLinkName(hwnd, title).c_str());
  }
  return fd;
}

void removeWindowFiles(HWND hwnd, bool titled) {
  RuntimeDir dir;
  if (dir.ok()) removeFiles(dir, hwnd, titled);
}

bool peerIsThisUser(int fd) {
  ucred cred{};
  socklen_t len = sizeof cred;
  if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) != 0) return false;
  return cred.uid == ::geteuid();
}

int connectToWindow(HWND hwnd) {
  const pid_t pid = processOf(hwnd);
  if (pid <= 0 || pid == ::getpid()) return -1;
  RuntimeDir dir;
  if (!dir.ok()) return -1;
  sockaddr_un addr;
  socklen_t len;
  if (!dir.address(socketName(hwnd), addr, len)) return -1;
  int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  int rc;
  // A full backlog answers EAGAIN at once; give the owner a moment to accept.
  for (int attempt = 0;; ++attempt) {
    rc = ::connect(fd, reinterpret_cast<sockaddr*>(&addr), len);
    if (rc == 0 || errno != EAGAIN || attempt == 200) break;
    ::poll(nullptr, 0, 5);
  }
  if (rc != 0) {
    const int err = errno;
    ::close(fd);
    if ((err == ECONNREFUSED || err == ENOENT) && !processAlive(pid)) removeFiles(dir, hwnd, true);
    return -1;
  }
  if (!peerIsThisUser(fd)) {
    ::close(fd);
    return -1;
  }
  int size = kSendBufferBytes;
  ::setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &size, sizeof size);
  return fd;
}

std::vector<HWND> windowsTitled(std::string_view title) {
  std::vector<HWND> found;
  RuntimeDir dir;
  if (!dir.ok() || title.empty()) return found;
  const std::string prefix = tagged('t', titleHash(title)) + '-';
  dir.forEachEntry([&](const std::string& name) {
    if (name.compare(0, prefix.size(), prefix) != 0) return;
    auto hwnd = linkHandle(name);
    if (!hwnd) return;
    const pid_t pid = processLinked(dir, *hwnd);
    if (pid == ::getpid()) return;
    if (!processAlive(pid)) {
      removeFiles(dir, *hwnd, true);
      return;
    }
    auto target = readLink(dir, name);
    if (target && sameTitle(*target, title)) found.push_back(*hwnd);
  });
  return found;
}

std::vector<HWND> allOtherWindows() {
  std::vector<HWND> found;
  RuntimeDir dir;
  if (!dir.ok()) return found;
  dir.forEachEntry([&](const std::string& name) {
    if (name.size() != 17 || name[0] != 'w') return;
    auto hwnd = parseHex16(std::string_view(name).substr(1));
    if (!hwnd) return;
    const pid_t pid = processLinked(dir, *hwnd);
    if (pid == ::getpid()) return;
    if (!processAlive(pid)) {
      removeFiles(dir, *hwnd, true);
      return;
    }
    found.push_back(*hwnd);
  });
  return found;
}

std::optional<std::string> titleOfOtherWindow(HWND hwnd) {
  RuntimeDir dir;
  if (!dir.ok()) return std::nullopt;
  std::optional<std::string> title;
  dir.forEachEntry([&](const std::string& name) {
    if (!title && linkHandle(name) == hwnd) title = readLink(dir, name);
  });
  return title;
}

bool writeFrame(int fd, const WireFrame& frame, std::span<const std::byte> data) {
  iovec iov[2];
  iov[0].iov_base = const_cast<WireFrame*>(&frame);
  iov[0].iov_len = sizeof frame;
  iov[1].iov_base = const_cast<std::byte*>(data.data());
  iov[1].iov_len = data.size();
  msghdr mh{};
  mh.msg_iov = iov;
  mh.msg_iovlen = data.empty() ? 1 : 2;
  ssize_t n = ::sendmsg(fd, &mh, MSG_NOSIGNAL | MSG_DONTWAIT);
  return n == static_cast<ssize_t>(sizeof frame + data.size());
}

}  // namespace platform::detail
