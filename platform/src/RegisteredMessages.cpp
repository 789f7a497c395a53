#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <set>
#include <sstream>
#include <string>

#include "WindowSocket.h"
#include "platform/Paths.h"
#include "platform/Window.h"

// Registered message numbers live in "messages" in the runtime folder, one
// "<number> <name>" line each, shared by every process of the user under a
// file lock. A name first tries the number its hash gives, so numbers mostly
// stay the same from session to session; a taken number moves it on to the
// next free one.
namespace platform {
namespace {

constexpr UINT kRegisteredCount = kLastRegisteredMessage - kFirstRegisteredMessage + 1;

UINT preferredNumber(const std::string& lowerName) {
  std::uint32_t h = 2166136261u;
  for (char c : lowerName) {
    h ^= static_cast<unsigned char>(c);
    h *= 16777619u;
  }
  return kFirstRegisteredMessage + h % kRegisteredCount;
}

std::string readAll(int fd) {
  std::string text;
  char buf[4096];
  ::lseek(fd, 0, SEEK_SET);
  for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;)
    text.append(buf, static_cast<std::size_t>(n));
  return text;
}

UINT registerInFile(const std::string& folder, const std::string& lowerName) {
  const std::string path = folder + "/messages";
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return 0;
  UINT result = 0;
  if (::flock(fd, LOCK_EX) == 0) {
    std::set<UINT> taken;
    std::istringstream lines(readAll(fd));
    std::string line;
    while (std::getline(lines, line)) {
      auto space = line.find(' ');
      if (space == std::string::npos) continue;
      unsigned long number = std::strtoul(line.c_str(), nullptr, 16);
      if (number < kFirstRegisteredMessage || number > kLastRegisteredMessage) continue;
      if (line.compare(space + 1, std::string::npos, lowerName) == 0) {
        result = static_cast<UINT>(number);
        break;
      }
      taken.insert(static_cast<UINT>(number));
    }
    if (result == 0 && taken.size() < kRegisteredCount) {
      UINT candidate = preferredNumber(lowerName);
      while (taken.count(candidate))
        candidate = candidate == kLastRegisteredMessage ? kFirstRegisteredMessage : candidate + 1;
      char head[8];
      std::snprintf(head, sizeof head, "%04X ", candidate);
      const std::string entry = head + lowerName + "\n";
      ::lseek(fd, 0, SEEK_END);
      if (::write(fd, entry.data(), entry.size()) == static_cast<ssize_t>(entry.size()))
        result = candidate;
    }
    ::flock(fd, LOCK_UN);
  }
  ::close(fd);
  return result;
}

}  // namespace

UINT RegisterWindowMessage(std::string_view name) {
  // A line-based file cannot hold a line break in a name.
  if (name.empty() || name.find_first_of("\n\r", 0) != std::string_view::npos ||
      name.find('\0') != std::string_view::npos)
    return 0;
  const std::string lowerName = detail::lowerAscii(name);
  const std::string folder = RuntimeFolder();
  if (folder.empty()) return 0;
  // Cached per runtime folder: tests give each case a folder of its own.
  static std::mutex mutex;
  static std::map<std::pair<std::string, std::string>, UINT> known;
  std::lock_guard lock(mutex);
  auto key = std::make_pair(folder, lowerName);
  if (auto it = known.find(key); it != known.end()) return it->second;
  UINT number = registerInFile(folder, lowerName);
  if (number != 0) known.emplace(std::move(key), number);
  return number;
}

}  // namespace platform
