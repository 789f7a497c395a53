#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "settings/DeviceInfoTable.h"
#include "settings/OsdSetting.h"
#include "settings/SettingsImage.h"

// The settings files beside the programs: config.ini, the five default
// profile files "config\Default%d.nmp" and DeviceInfo.ini, plus the Windows
// mouse values of the active profile in the registry store.
//
// Missing files and keys are never errors: they take the read defaults, and a
// missing default profile file takes the factory profile. Every write of
// several keys is one locked read-modify-write of its file (see IniFile).
namespace settings {

class SettingsFiles {
 public:
  // `programFolder` ends in '/' (or is empty: the current directory).
  explicit SettingsFiles(std::string programFolder);
  const std::string& programFolder() const { return folder_; }

  // Local paths of the files (resolved case-insensitively against the folder).
  std::string configIniPath() const;
  std::string defaultProfilePath(int index) const;
  std::string deviceInfoPath() const;

  // config.ini and the five default profiles into the image, then the Windows
  // values into the active profile. Always succeeds.
  bool LoadAll(SettingsImage& image) const;
  // Empty when every settings file present is a regular file; otherwise
  // which are not. Such a file (a FIFO, a device, a folder) is never opened
  // for reading, so it cannot hold a program up: its values read as
  // defaults, and writes to it fail instead of replacing it.
  std::string refusedFiles() const;
  // The Windows values from the active profile, then config.ini, then the
  // five default profile files. False when a file could not be written.
  bool SaveAll(const SettingsImage& image) const;

  bool SaveDisControl(const SettingsImage& image) const;
  bool SaveInfoData(const UsageInfo& block) const;
  bool SaveCurrentProfile(std::int32_t index) const;
  std::int32_t ReadFirmwareVersion() const;  // 100 when absent
  bool SaveFirmwareVersion(std::int32_t version) const;
  // The 344-byte block; false (block untouched) when it is absent or broken.
  // With fromParentFolder the config.ini of the folder above is read.
  bool ReadOsdSetting(OsdSetting& block, bool fromParentFolder) const;
  // config.ini [FileName] "Profile%d" = title, slot 1..5.
  bool WriteProfileFileName(int slot, std::string_view title) const;

  bool WriteDeviceInfo(const DeviceInfoTable& table) const;
  // Keeps at most the first 100 records; Count is clamped to 0..100.
  bool ReadDeviceInfo(DeviceInfoTable& table) const;

 private:
  // Storage for reading the files, kept from call to call: a profile file is
  // over 100 KB, and fresh memory for every read costs more than the parsing.
  // A call that finds it in use by another thread reads into its own.
  struct ReadStorage {
    std::mutex mutex;
    std::string buffer;
  };
  class BorrowedStorage;

  std::string folder_;
  std::shared_ptr<ReadStorage> storage_ = std::make_shared<ReadStorage>();
};

// One profile to or from a file with every key of the profile table, in table
// order. Keys the file lacks keep the read defaults; a struct that fails to
// read leaves its field as it was; over-long texts are cut to their fields.
bool WriteProfileFile(const Profile& profile, const std::string& path);
bool ReadProfileFile(Profile& profile, const std::string& path);
// Factory defaults of profile `index` 0..4 (false for another index).
bool ResetProfile(Profile& profile, int index);
// The factory slot of button 0..23 (the same in every profile).
ButtonSlot FactoryButtonSlot(int button);

// The Windows mouse values of a profile in the registry store.
bool ReadWindowsMouseValues(Profile& profile);
bool WriteWindowsMouseValues(const Profile& profile);

// (MouseSpeed, MouseThreshold1, MouseThreshold2) for Acceleration 0..19.
struct AccelerationTriple {
  int speed, threshold1, threshold2;
};
AccelerationTriple AccelerationTriples(int index);

// True when a regular file is there and can be opened for reading.
bool FileExists(const std::string& path);

// Language index 0..16 of the help libraries for the system language.
int LanguageIndexFromSystem();
// The table behind it: a language identifier to a language index.
int LanguageIndexFromLanguageId(int languageId);
// A locale name ("de_AT.UTF-8", "pt_BR", "C") to its language identifier.
int LanguageIdFromLocale(std::string_view locale);

}  // namespace settings
