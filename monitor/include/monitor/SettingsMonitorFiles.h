#pragma once

#include "monitor/MonitorFiles.h"
#include "settings/SettingsFiles.h"

namespace monitor {

// The Monitor's files in a program folder, through the shared settings-file
// code.
class SettingsMonitorFiles : public MonitorFiles {
 public:
  explicit SettingsMonitorFiles(std::string programFolder);

  void loadAll(settings::SettingsImage& image) override { files_.LoadAll(image); }
  void saveAll(const settings::SettingsImage& image) override { files_.SaveAll(image); }
  void saveCurrentProfile(int profile) override { files_.SaveCurrentProfile(profile); }
  void saveInfoData(const settings::UsageInfo& info) override { files_.SaveInfoData(info); }
  void saveFirmwareVersion(int version) override { files_.SaveFirmwareVersion(version); }
  void saveDeviceConnected(bool connected) override;
  bool readOsdSetting(OsdBlock& block) override;
  void writeWindowsMouseValues(const settings::Profile& profile) override {
    settings::WriteWindowsMouseValues(profile);
  }
  void writeEmptyDeviceInfo() override;
  int languageFromSystem() override { return settings::LanguageIndexFromSystem(); }
  void recordFirstRun() override;
  std::uint32_t packagedFirmwareVersion() override;
  std::string readColorDatabase() override;
  const std::string& programFolder() const override { return files_.programFolder(); }

 private:
  settings::SettingsFiles files_;
};

}  // namespace monitor
