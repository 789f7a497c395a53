#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/Paths.h"

namespace platform {
namespace {

// Creates the folder 0700 when missing and accepts it only when it is a real
// folder owned by this user; a group- or world-open folder of ours is closed.
bool ensurePrivateFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return false;
  if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) return false;
  if ((st.st_mode & 077) != 0 && ::chmod(path.c_str(), 0700) != 0) return false;
  return true;
}

}  // namespace

// No trailing '/'. Empty when no private folder could be had (for example
// when another user owns the fallback folder under /tmp).
std::string RuntimeFolder() {
  const char* xdg = std::getenv("XDG_RUNTIME_DIR");
  if (xdg && xdg[0] == '/') {
    std::string base = xdg;
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    if (::mkdir(base.c_str(), 0700) != 0 && errno != EEXIST) return {};
    std::string folder = base + "/vesk";
    return ensurePrivateFolder(folder) ? folder : std::string();
  }
  std::string folder = "/tmp/vesk-" + std::to_string(::geteuid());
  return ensurePrivateFolder(folder) ? folder : std::string();
}

}  // namespace platform
