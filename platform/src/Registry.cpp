#include "platform/Registry.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "RegistryValues.h"

namespace platform {
namespace {

constexpr const char* kValuesFile = ".values";

std::string homeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* pw = getpwuid(geteuid()); pw && pw->pw_dir) return pw->pw_dir;
  return "/tmp";
}

// The root keys also go by their short names, and in any letter case.
std::string canonicalRoot(std::string_view component) {
  using detail::equalsAsciiIgnoreCase;
  static constexpr std::pair<const char*, const char*> kRoots[] = {
      {"HKCU", "HKEY_CURRENT_USER"}, {"HKLM", "HKEY_LOCAL_MACHINE"},  {"HKCR", "HKEY_CLASSES_ROOT"},
      {"HKU", "HKEY_USERS"},         {"HKCC", "HKEY_CURRENT_CONFIG"},
  };
  for (const auto& [shortName, name] : kRoots) {
    if (equalsAsciiIgnoreCase(component, shortName) || equalsAsciiIgnoreCase(component, name)) {
      return name;
    }
  }
  return std::string(component);
}

// One folder per key. Key names compare case-insensitively, so folders are
// named in lower case; '/', '%', control bytes and a leading '.' (which would
// clash with ".", ".." and the values file) are percent-encoded.
std::string folderComponent(std::string_view component) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = 0; i < component.size(); ++i) {
    auto c = static_cast<unsigned char>(component[i]);
    if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
    if (c == '/' || c == '%' || c < 0x20 || c == 0x7F || (c == '.' && i == 0)) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

// The key's folder; empty when the path names no key. A path that does not
// start at a root key ("Control Panel\Mouse") lies under HKEY_CURRENT_USER,
// as the programs' own relative key paths do.
std::string keyFolder(std::string_view path) {
  std::vector<std::string> components;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    const std::string_view component = path.substr(start, end - start);
    start = end + 1;
    if (!component.empty()) components.emplace_back(component);
  }
  if (components.empty()) return {};
  components.front() = canonicalRoot(components.front());
  if (components.front().rfind("HKEY_", 0) != 0) {
    components.insert(components.begin(), "HKEY_CURRENT_USER");
  }
  std::string folder = registryStoreFolder();
  for (const auto& component : components) folder += '/' + folderComponent(component);
  return folder;
}

bool isFolder(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool makeFolders(const std::string& path) {
  if (isFolder(path)) return true;
  const auto slash = path.rfind('/');
  if (slash != std::string::npos && slash > 0 && !makeFolders(path.substr(0, slash))) return false;
  return mkdir(path.c_str(), 0700) == 0 || (errno == EEXIST && isFolder(path));
}

std::optional<std::string> readWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? std::optional<std::string>(std::string()) : std::nullopt;
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  close(fd);
  return text;
}

bool writeAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

constexpr std::string_view kTempPrefix = ".values.";

// Every write holds the key's lock, so a temporary found under it was left by
// a writer that died: it goes.
void removeStaleTemporaries(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = readdir(dir)) {
    if (std::string_view(entry->d_name).starts_with(kTempPrefix))
      unlinkat(dirfd(dir), entry->d_name, 0);
  }
  closedir(dir);
}

// Replaces the file in one step: a reader sees the old or the new values,
// never a torn file. Call it with the key's lock held.
bool replaceFile(const std::string& folder, const std::string& path, std::string_view text) {
  removeStaleTemporaries(folder);
  std::string tempPath = folder + "/" + std::string(kTempPrefix) + "XXXXXX";
  const int fd = mkostemp(tempPath.data(), O_CLOEXEC);
  if (fd < 0) return false;
  const bool written = writeAll(fd, text) && fsync(fd) == 0;
  close(fd);
  if (!written || rename(tempPath.c_str(), path.c_str()) != 0) {
    unlink(tempPath.c_str());
    return false;
  }
  return true;
}

// Holds the key's folder lock, so that read-modify-write cycles of two
// processes on one key never lose each other's values.
class KeyLock {
 public:
  explicit KeyLock(const std::string& folder)
      : fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
    if (fd_ >= 0) {
      while (flock(fd_, LOCK_EX) != 0) {
        if (errno != EINTR) {
          close(fd_);
          fd_ = -1;
          break;
        }
      }
    }
  }
  ~KeyLock() {
    if (fd_ >= 0) close(fd_);
  }
  KeyLock(const KeyLock&) = delete;
  KeyLock& operator=(const KeyLock&) = delete;
  bool ok() const { return fd_ >= 0; }

 private:
  int fd_;
};

template <typename Change>
bool modifyValues(const std::string& folder, std::string_view keyPath, Change change) {
  KeyLock lock(folder);
  if (!lock.ok()) return false;
  const std::string path = folder + "/" + kValuesFile;
  const auto text = readWholeFile(path);
  if (!text) return false;
  auto values = detail::RegistryValues::parse(*text);
  if (!change(values)) return false;
  return replaceFile(folder, path, values.serialise(keyPath));
}

std::optional<detail::RegistryValues> loadValues(const std::string& folder) {
  const auto text = readWholeFile(folder + "/" + kValuesFile);
  if (!text) return std::nullopt;
  return detail::RegistryValues::parse(*text);
}

}  // namespace

std::string registryStoreFolder() {
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  // The base-directory rules ignore a relative value.
  std::string base = (configHome && configHome[0] == '/') ? configHome : homeFolder() + "/.config";
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return base + "/vesk/registry";
}

std::unique_ptr<RegistryKey> RegistryKey::open(std::string_view path) {
  std::string folder = keyFolder(path);
  if (folder.empty() || !isFolder(folder)) return nullptr;
  return std::unique_ptr<RegistryKey>(new RegistryKey(std::string(path), std::move(folder)));
}

std::unique_ptr<RegistryKey> RegistryKey::create(std::string_view path) {
  std::string folder = keyFolder(path);
  if (folder.empty() || !makeFolders(folder)) return nullptr;
  return std::unique_ptr<RegistryKey>(new RegistryKey(std::string(path), std::move(folder)));
}

bool RegistryKey::deleteKey(std::string_view path) {
  const std::string folder = keyFolder(path);
  if (folder.empty() || !isFolder(folder)) return false;
  KeyLock lock(folder);
  if (!lock.ok()) return false;
  // A key with subkeys stays, as the system refuses to delete it. Every entry
  // that is not a subkey is the values file or a stray temporary of it.
  std::vector<std::string> files;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return false;
  bool hasSubkeys = false;
  while (const dirent* entry = readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (isFolder(folder + "/" + std::string(name))) {
      hasSubkeys = true;
    } else {
      files.emplace_back(name);
    }
  }
  closedir(dir);
  if (hasSubkeys) return false;
  for (const auto& file : files) unlink((folder + "/" + file).c_str());
  return rmdir(folder.c_str()) == 0;
}

RegistryKey::~RegistryKey() = default;

bool RegistryKey::queryString(std::string_view name, char* buf, std::size_t bufSize,
                              std::size_t* needed) const {
  const auto values = loadValues(folder_);
  if (!values) return false;
  const std::string* value = values->find(name);
  if (!value) return false;
  const std::size_t size = value->size() + 1;
  if (needed) *needed = size;
  if (!buf || bufSize < size) return false;
  std::memcpy(buf, value->data(), value->size());
  buf[value->size()] = '\0';
  return true;
}

std::optional<std::string> RegistryKey::queryString(std::string_view name) const {
  const auto values = loadValues(folder_);
  if (!values) return std::nullopt;
  const std::string* value = values->find(name);
  if (!value) return std::nullopt;
  return *value;
}

bool RegistryKey::setString(std::string_view name, std::string_view value) {
  return modifyValues(folder_, path_, [&](detail::RegistryValues& values) {
    values.set(name, value);
    return true;
  });
}

bool RegistryKey::deleteValue(std::string_view name) {
  return modifyValues(folder_, path_,
                      [&](detail::RegistryValues& values) { return values.remove(name); });
}

std::vector<std::string> RegistryKey::valueNames() const {
  const auto values = loadValues(folder_);
  return values ? values->names() : std::vector<std::string>();
}

std::vector<std::pair<std::string, std::string>> RegistryKey::values() const {
  auto values = loadValues(folder_);
  return values ? values->entries() : std::vector<std::pair<std::string, std::string>>();
}

}  // namespace platform
