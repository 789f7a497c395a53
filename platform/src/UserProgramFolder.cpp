#include "platform/UserProgramFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace platform {
namespace {

constexpr const char* kUserSettings[] = {"config.ini", "DeviceInfo.ini", "RunsStart.ini",
                                         "Wave/sensorImage.bmp"};
constexpr std::string_view kUserSettingsFolder = "config/";

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto lower = [](char c) {
             return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
           };
           return lower(x) == lower(y);
         });
}

std::string failure(const std::string& what, const std::string& path, int error) {
  return "cannot " + what + " " + path + ": " + std::strerror(error);
}

bool isAbsolute(const char* path) { return path && path[0] == '/'; }

std::vector<std::string> entriesOf(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<std::string> linkTarget(const std::string& path) {
  std::string buffer(4096, '\0');
  const ssize_t n = readlink(path.c_str(), buffer.data(), buffer.size());
  if (n < 0 || static_cast<std::size_t>(n) >= buffer.size()) return std::nullopt;
  buffer.resize(static_cast<std::size_t>(n));
  return buffer;
}

bool dangles(const std::string& link) {
  struct stat st {};
  return stat(link.c_str(), &st) != 0;
}

std::string makeFolders(const std::string& path) {
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    // Private, as the desktop's config home is made.
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return failure("make", part, errno);
  }
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return failure("make", path, errno);
  if (!S_ISDIR(st.st_mode)) return failure("use", path, ENOTDIR);
  return {};
}

bool writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// The installed factory copy becomes the user's file in one step, and only
// where the user has none: a program that created or saved that file
// meanwhile keeps what it wrote.
std::string copyOnce(const std::string& from, const std::string& to) {
  static std::atomic<unsigned> counter{0};
  const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return failure("read", from, errno);
  const std::string temporary =
      to + ".tmp." + std::to_string(getpid()) + "." + std::to_string(counter++);
  const int out = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (out < 0) {
    const int error = errno;
    close(in);
    return failure("write", temporary, error);
  }
  std::string result;
  char buffer[65536];
  for (;;) {
    const ssize_t n = read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result = failure("read", from, errno);
      break;
    }
    if (n == 0) break;
    if (!writeAll(out, buffer, static_cast<std::size_t>(n))) {
      result = failure("write", temporary, errno);
      break;
    }
  }
  close(in);
  if (close(out) != 0 && result.empty()) result = failure("write", temporary, errno);
  if (result.empty() && link(temporary.c_str(), to.c_str()) != 0 && errno != EEXIST)
    result = failure("make", to, errno);
  unlink(temporary.c_str());
  return result;
}

// `link` names the installed file `target`, unless the user put something of
// their own there.
std::string ensureLink(const std::string& target, const std::string& link) {
  struct stat st {};
  if (lstat(link.c_str(), &st) == 0) {
    if (!S_ISLNK(st.st_mode)) return {};
    if (linkTarget(link) == target || !dangles(link)) return {};
    // A link to where the suite was installed before.
    if (unlink(link.c_str()) != 0 && errno != ENOENT) return failure("replace", link, errno);
  }
  if (symlink(target.c_str(), link.c_str()) != 0 && errno != EEXIST)
    return failure("make", link, errno);
  return {};
}

}  // namespace

std::optional<UserProgramFolder::Installed> UserProgramFolder::installedLayoutOf(
    const std::string& executableFolder) {
  std::string folder = executableFolder;
  if (folder.empty()) return std::nullopt;
  if (folder.back() != '/') folder += '/';
  struct stat st {};
  if (lstat((folder + kInstalledMarker).c_str(), &st) == 0) return Installed{folder, ""};
  const std::size_t slash = folder.rfind('/', folder.size() - 2);
  if (slash == std::string::npos) return std::nullopt;
  const std::string parent = folder.substr(0, slash + 1);
  if (lstat((parent + kInstalledMarker).c_str(), &st) == 0)
    return Installed{parent, folder.substr(slash + 1)};
  return std::nullopt;
}

std::string UserProgramFolder::defaultLocation() {
  std::string configHome;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); isAbsolute(xdg)) {
    configHome = xdg;
  } else {
    const char* home = std::getenv("HOME");
    if (!isAbsolute(home)) {
      const passwd* entry = getpwuid(getuid());
      home = entry ? entry->pw_dir : "/tmp";
    }
    configHome = std::string(home) + "/.config";
  }
  while (configHome.size() > 1 && configHome.back() == '/') configHome.pop_back();
  return configHome + "/" + kFolderName + "/";
}

bool UserProgramFolder::isUserSetting(std::string_view relative) {
  if (relative.size() > kUserSettingsFolder.size() &&
      equalsIgnoreCase(relative.substr(0, kUserSettingsFolder.size()), kUserSettingsFolder))
    return true;
  return std::any_of(std::begin(kUserSettings), std::end(kUserSettings),
                     [&](std::string_view name) { return equalsIgnoreCase(relative, name); });
}

UserProgramFolder::UserProgramFolder(std::string installedRoot, std::string userRoot)
    : installedRoot_(std::move(installedRoot)), userRoot_(std::move(userRoot)) {
  if (installedRoot_.empty() || installedRoot_.back() != '/') installedRoot_ += '/';
  if (userRoot_.empty() || userRoot_.back() != '/') userRoot_ += '/';
}

std::string UserProgramFolder::refresh() const {
  if (std::string made = makeFolders(userRoot_); !made.empty()) return made;
  return mirror("");
}

std::string UserProgramFolder::mirror(const std::string& relative) const {
  const std::string from = installedRoot_ + relative;
  const std::string to = userRoot_ + relative;
  for (const std::string& name : entriesOf(from)) {
    if (relative.empty() && name == kInstalledMarker) continue;
    const std::string source = from + name;
    const std::string target = to + name;
    struct stat st {};
    if (lstat(source.c_str(), &st) != 0) continue;
    std::string problem;
    if (S_ISDIR(st.st_mode)) {
      struct stat existing {};
      if (lstat(target.c_str(), &existing) == 0 && S_ISLNK(existing.st_mode)) {
        // A link to an installed folder would let links be made inside the
        // installed folder; a working link elsewhere is the user's choice.
        const auto pointsAt = linkTarget(target);
        const bool installed = pointsAt && pointsAt->rfind(installedRoot_, 0) == 0;
        if (!installed && !dangles(target)) continue;
        if (unlink(target.c_str()) != 0 && errno != ENOENT)
          return failure("replace", target, errno);
      }
      if (mkdir(target.c_str(), 0755) != 0 && errno != EEXIST)
        return failure("make", target, errno);
      if (lstat(target.c_str(), &existing) == 0 && !S_ISDIR(existing.st_mode))
        continue;  // the user's own file in place of the folder
      problem = mirror(relative + name + "/");
    } else if (isUserSetting(relative + name)) {
      struct stat existing {};
      if (lstat(target.c_str(), &existing) != 0) problem = copyOnce(source, target);
    } else {
      problem = ensureLink(source, target);
    }
    if (!problem.empty()) return problem;
  }
  return sweep(relative);
}

std::string UserProgramFolder::sweep(const std::string& relative) const {
  const std::string folder = userRoot_ + relative;
  for (const std::string& name : entriesOf(folder)) {
    const std::string path = folder + name;
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) continue;
    const auto target = linkTarget(path);
    if (!target || target->rfind(installedRoot_, 0) != 0 || !dangles(path)) continue;
    if (unlink(path.c_str()) != 0 && errno != ENOENT) return failure("remove", path, errno);
  }
  return {};
}

}  // namespace platform
