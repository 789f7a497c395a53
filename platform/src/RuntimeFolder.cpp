#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/Paths.h"

namespace platform {
namespace {

// Creates the folder 0700 when missing and accepts it only when it is a real
// folder owned by this user; a group- or world-open folder of ours is closed.
// Empty when accepted, otherwise why not.
std::string refusalOfPrivateFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
    return "cannot create " + path + ": " + std::strerror(errno);
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return "cannot use " + path + ": " + std::strerror(errno);
  if (!S_ISDIR(st.st_mode)) return path + " is not a folder (refused)";
  if (st.st_uid != ::geteuid())
    return path + " belongs to user " + std::to_string(st.st_uid) + ", not to us (refused)";
  if ((st.st_mode & 077) != 0 && ::chmod(path.c_str(), 0700) != 0)
    return path + " is open to others and cannot be closed: " + std::strerror(errno);
  return {};
}

struct Choice {
  std::string folder;
  std::string refusal;
};

Choice chooseRuntimeFolder() {
  const char* xdg = std::getenv("XDG_RUNTIME_DIR");
  if (xdg && xdg[0] == '/') {
    std::string base = xdg;
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    if (::mkdir(base.c_str(), 0700) != 0 && errno != EEXIST)
      return {{}, "cannot create " + base + ": " + std::strerror(errno)};
    std::string folder = base + "/vesk";
    return {folder, refusalOfPrivateFolder(folder)};
  }
  std::string folder = "/tmp/vesk-" + std::to_string(::geteuid());
  return {folder, refusalOfPrivateFolder(folder)};
}

}  // namespace

// No trailing '/'. Empty when no private folder could be had (for example
// when another user owns the fallback folder under /tmp).
std::string RuntimeFolder() {
  Choice choice = chooseRuntimeFolder();
  return choice.refusal.empty() ? std::move(choice.folder) : std::string();
}

std::string RuntimeFolderRefusal() { return chooseRuntimeFolder().refusal; }

}  // namespace platform
