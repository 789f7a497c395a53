#include "monitor/SettingsMonitorFiles.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <limits>

#include "monitor/MonitorNames.h"
#include "platform/Paths.h"
#include "settings/IniFile.h"

namespace monitor {

SettingsMonitorFiles::SettingsMonitorFiles(std::string programFolder)
    : files_(std::move(programFolder)) {}

void SettingsMonitorFiles::saveDeviceConnected(bool connected) {
  settings::IniFile(files_.configIniPath()).WriteInt("Setting", "Device", connected ? 1 : 0);
}

bool SettingsMonitorFiles::readOsdSetting(OsdBlock& block) {
  settings::OsdSetting osd;
  std::memcpy(&osd, block.data(), sizeof osd);
  if (!files_.ReadOsdSetting(osd, false)) return false;
  std::memcpy(block.data(), &osd, sizeof osd);
  return true;
}

void SettingsMonitorFiles::writeEmptyDeviceInfo() {
  settings::DeviceInfoTable table{};
  files_.WriteDeviceInfo(table);
}

void SettingsMonitorFiles::recordFirstRun() {
  const std::string path = platform::ResolveIn(programFolder(), "RunsStart.ini");
  if (platform::FileExists(path)) return;
  std::ofstream(path, std::ios::binary);  // created empty first, as the record's marker
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  settings::IniFile ini(path);
  ini.beginBatch();
  ini.WriteInt("StartTime", "Year", local.tm_year + 1900);
  ini.WriteInt("StartTime", "Month", local.tm_mon + 1);
  ini.WriteInt("StartTime", "Day", local.tm_mday);
  ini.WriteInt("StartTime", "Hour", local.tm_hour);
  ini.WriteInt("StartTime", "Minute", local.tm_min);
  ini.commitBatch();
}

std::uint32_t SettingsMonitorFiles::packagedFirmwareVersion() {
  constexpr std::uint32_t kMissing = std::numeric_limits<std::uint32_t>::max();
  settings::IniFile ini(platform::ResolveIn(programFolder(), "FWUpdate\\config.ini"));
  const std::string text = ini.ReadString("Firmware", "Version", "");
  if (text.empty()) return kMissing;
  // Read as an unsigned number, like the platform's integer read.
  errno = 0;
  char* end = nullptr;
  const unsigned long long value = std::strtoull(text.c_str(), &end, 10);
  if (end == text.c_str()) return 0;
  return value > kMissing || errno == ERANGE ? kMissing : static_cast<std::uint32_t>(value);
}

std::string SettingsMonitorFiles::readColorDatabase() {
  // The mouse's colour memory takes at most 101 blocks of 1024 bytes.
  constexpr std::size_t kLargest = 101 * 1024;
  std::ifstream file(platform::ResolveIn(programFolder(), kColorDatabaseFile), std::ios::binary);
  std::string bytes(kLargest, '\0');
  file.read(bytes.data(), static_cast<std::streamsize>(kLargest));
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  return bytes;
}

}  // namespace monitor
