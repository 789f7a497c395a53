#include "platform/Paths.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/UserProgramFolder.h"

namespace platform {
namespace {

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto lower = [](char c) {
             return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
           };
           return lower(x) == lower(y);
         });
}

bool endsWithIgnoreCase(std::string_view s, std::string_view suffix) {
  return s.size() > suffix.size() && equalsIgnoreCase(s.substr(s.size() - suffix.size()), suffix);
}

bool exists(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0;
}

// The entry of `folder` named `component` in any letter case; the exact name
// wins, otherwise the first match in name order, so the choice is stable.
std::optional<std::string> findInFolder(const std::string& folder, std::string_view component) {
  if (exists(folder + std::string(component))) return std::string(component);
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return std::nullopt;
  std::optional<std::string> best;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view candidate = entry->d_name;
    if (equalsIgnoreCase(candidate, component) && (!best || candidate < *best)) {
      best = std::string(candidate);
    }
  }
  closedir(dir);
  return best;
}

// The system names programs "x.exe" and libraries "x.dll"; here they are "x"
// and "x.so".
std::optional<std::string> localFileName(const std::string& folder, std::string_view component) {
  if (auto found = findInFolder(folder, component)) return found;
  if (endsWithIgnoreCase(component, ".exe")) {
    return findInFolder(folder, component.substr(0, component.size() - 4));
  }
  if (endsWithIgnoreCase(component, ".dll")) {
    return findInFolder(folder, std::string(component.substr(0, component.size() - 4)) + ".so");
  }
  return std::nullopt;
}

std::string executableFolder() {
  std::string buffer(4096, '\0');
  const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) return "./";
  buffer.resize(static_cast<std::size_t>(n));
  const auto slash = buffer.rfind('/');
  if (slash == std::string::npos) return "./";
  return buffer.substr(0, slash + 1);
}

}  // namespace

std::string ProgramFolder() {
  const std::string folder = executableFolder();
  const auto installed = UserProgramFolder::installedLayoutOf(folder);
  if (!installed) return folder;
  // Set up once per process; every program of the user does the same at its
  // start, so a package update reaches the user's folder at the next start.
  static const bool ready = [&] {
    const UserProgramFolder user(installed->root, UserProgramFolder::defaultLocation());
    const std::string problem = user.refresh();
    if (!problem.empty())
      std::fprintf(stderr, "%s: %s; the installed settings are read and nothing is saved\n",
                   program_invocation_short_name, problem.c_str());
    return problem.empty();
  }();
  if (!ready) return folder;
  return UserProgramFolder::defaultLocation() + installed->subfolder;
}

std::string ResolvePath(std::string_view path) {
  std::string local(path);
  std::replace(local.begin(), local.end(), '\\', '/');
  // A path that is there as written is its own match, component by component:
  // one look instead of one per component.
  if (struct stat st{}; ::stat(local.c_str(), &st) == 0) return local;

  std::vector<std::string_view> components;
  const std::string_view view = local;
  std::size_t start = 0;
  while (start <= view.size()) {
    const std::size_t end = std::min(view.find('/', start), view.size());
    components.push_back(view.substr(start, end - start));
    start = end + 1;
  }

  // Walk the components; once one does not exist, the rest are kept as written.
  std::string result;
  bool matching = true;
  for (std::size_t i = 0; i < components.size(); ++i) {
    const std::string_view component = components[i];
    const bool last = i + 1 == components.size();
    if (i > 0) result += '/';
    if (component.empty() || component == "." || component == ".." || !matching) {
      result += component;
      continue;
    }
    const auto found = last ? localFileName(result, component) : findInFolder(result, component);
    if (found) {
      result += *found;
    } else {
      result += component;
      matching = false;
    }
  }
  return result;
}

std::string ResolveIn(std::string_view folder, std::string_view relative) {
  if (!relative.empty() && (relative.front() == '/' || relative.front() == '\\')) {
    return ResolvePath(relative);
  }
  std::string joined(folder);
  if (!joined.empty() && joined.back() != '/' && joined.back() != '\\') joined += '/';
  joined += relative;
  return ResolvePath(joined);
}

bool FileExists(std::string_view path) {
  struct stat st {};
  return stat(std::string(path).c_str(), &st) == 0;
}

}  // namespace platform
