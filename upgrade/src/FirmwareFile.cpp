#include "upgrade/FirmwareFile.h"

#include "platform/Paths.h"
#include "settings/IniFile.h"
#include "upgrade/UpdaterNames.h"

namespace upgrade {

FirmwareFile FirmwareFile::fromConfig(const std::string& programFolder) {
  settings::IniFile ini(platform::ResolveIn(programFolder, kConfigFile));
  std::string name = ini.ReadString("Firmware", "Name", "");
  if (name.size() > kMaxNameLength) name.resize(kMaxNameLength);
  return FirmwareFile(std::move(name), programFolder);
}

FirmwareFile::FirmwareFile(std::string name, const std::string& programFolder)
    : name_(std::move(name)) {
  if (name_.empty()) return;
  const bool hasFolder = name_.find_first_of("\\/") != std::string::npos;
  path_ = hasFolder ? platform::ResolvePath(name_) : platform::ResolveIn(programFolder, name_);
}

std::string FirmwareFile::displayName() const {
  const auto last = name_.find_last_of("\\/");
  return last == std::string::npos ? name_ : name_.substr(last + 1);
}

}  // namespace upgrade
