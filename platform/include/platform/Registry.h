#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The per-user store that stands in for the registry of the original
// platform: keys ("HKEY_CURRENT_USER\Control Panel\Mouse") holding REG_SZ
// values, kept under $XDG_CONFIG_HOME (default ~/.config). Writes are atomic.
// Key paths and value names compare case-insensitively; a key path that does
// not start at a root key ("Control Panel\Mouse") lies under
// HKEY_CURRENT_USER.
namespace platform {

class RegistryKey {
 public:
  // Opens an existing key; nullptr when it does not exist.
  static std::unique_ptr<RegistryKey> open(std::string_view path);
  // Opens the key, creating it (and its parents) when missing.
  static std::unique_ptr<RegistryKey> create(std::string_view path);
  // Removes a key that has no subkeys, with its values.
  static bool deleteKey(std::string_view path);
  ~RegistryKey();

  // Reads a REG_SZ value into a fixed-size buffer, NUL-terminated. Fails (and
  // leaves buf untouched) when the value is missing or does not fit;
  // *needed receives the size with the NUL.
  bool queryString(std::string_view name, char* buf, std::size_t bufSize,
                   std::size_t* needed = nullptr) const;
  std::optional<std::string> queryString(std::string_view name) const;
  bool setString(std::string_view name, std::string_view value);
  bool deleteValue(std::string_view name);
  // Names of the key's values, in the order they were first written.
  std::vector<std::string> valueNames() const;
  // Every value of the key as (name, value), in the same order, read at once
  // for callers that read several; empty when the key has none.
  std::vector<std::pair<std::string, std::string>> values() const;
  const std::string& path() const { return path_; }

 private:
  RegistryKey(std::string path, std::string folder)
      : path_(std::move(path)), folder_(std::move(folder)) {}
  std::string path_;
  std::string folder_;
};

// Folder that holds the store (created on first write).
std::string registryStoreFolder();

}  // namespace platform
