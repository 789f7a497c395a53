#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::detail {

// The values of one registry key as kept on disk: one line per value,
//   "Name"="text"
// with \\, \", \n, \r, \t and \xHH escapes, so any byte string survives and
// the file stays readable. Names compare case-insensitively and keep the
// letter case they were first written with.
class RegistryValues {
 public:
  static RegistryValues parse(std::string_view text);
  std::string serialise(std::string_view keyPath) const;

  const std::string* find(std::string_view name) const;
  void set(std::string_view name, std::string_view value);
  bool remove(std::string_view name);
  std::vector<std::string> names() const;
  const std::vector<std::pair<std::string, std::string>>& entries() const { return values_; }

 private:
  std::vector<std::pair<std::string, std::string>> values_;
};

bool equalsAsciiIgnoreCase(std::string_view a, std::string_view b);

}  // namespace platform::detail
