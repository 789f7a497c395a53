#pragma once

#include <cstddef>
#include <string>

namespace upgrade {

// The firmware image the updater writes, as named in its config.ini
// ([Firmware] Name): a plain file name lies in the program folder; a name
// with a folder in it is used as it stands.
class FirmwareFile {
 public:
  // Longest name taken from config.ini.
  static constexpr std::size_t kMaxNameLength = 259;

  // programFolder with a trailing '/'.
  static FirmwareFile fromConfig(const std::string& programFolder);
  FirmwareFile(std::string name, const std::string& programFolder);

  const std::string& name() const { return name_; }
  // Local path of the image; empty when no name is configured.
  const std::string& path() const { return path_; }
  // The part of the name after its last folder separator, for display.
  std::string displayName() const;

 private:
  std::string name_;
  std::string path_;
};

}  // namespace upgrade
