#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "settings/SettingsImage.h"

namespace monitor {

// The settings files as the Monitor reads and writes them, all in the
// program folder.
class MonitorFiles {
 public:
  using OsdBlock = std::array<std::uint8_t, 344>;

  virtual ~MonitorFiles() = default;
  // config.ini and the five profile files (defaults for what is missing).
  virtual void loadAll(settings::SettingsImage& image) = 0;
  virtual void saveAll(const settings::SettingsImage& image) = 0;
  virtual void saveCurrentProfile(int profile) = 0;
  virtual void saveInfoData(const settings::UsageInfo& info) = 0;
  virtual void saveFirmwareVersion(int version) = 0;
  // config.ini [Setting] Device.
  virtual void saveDeviceConnected(bool connected) = 0;
  virtual bool readOsdSetting(OsdBlock& block) = 0;
  virtual void writeWindowsMouseValues(const settings::Profile& profile) = 0;
  // DeviceInfo.ini with no peers.
  virtual void writeEmptyDeviceInfo() = 0;
  // The help language from the system's, for a QuickHelpLan of -1.
  virtual int languageFromSystem() = 0;
  // RunsStart.ini, created with the current local time when missing.
  virtual void recordFirstRun() = 0;
  // FWUpdate/config.ini [Firmware] Version; the largest value when missing.
  virtual std::uint32_t packagedFirmwareVersion() = 0;
  // Whole file, or empty when it cannot be read.
  virtual std::string readColorDatabase() = 0;
  // Program folder with a trailing '/'.
  virtual const std::string& programFolder() const = 0;
};

}  // namespace monitor
