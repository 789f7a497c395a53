#include "settings/SettingsFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/Paths.h"
#include "settings/FieldTable.h"
#include "settings/IniFile.h"

namespace settings {

namespace {

constexpr const char* kSetting = "Setting";

std::string parentFolder(const std::string& folder) {
  if (folder.size() < 2) return folder;
  const auto slash = folder.rfind('/', folder.size() - 2);
  return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

// Profile files live in "config/"; a fresh folder may not have it yet.
// `ready` is the folder last found or made, which need not be looked at again.
bool ensureFolderOf(const std::string& path, std::string& ready) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos || slash == 0) return true;
  const std::string folder = path.substr(0, slash);
  if (folder == ready) return true;
  struct stat st {};
  const bool ok = ::stat(folder.c_str(), &st) == 0
                      ? S_ISDIR(st.st_mode)
                      : ::mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST;
  if (ok) ready = folder;
  return ok;
}

void readField(IniFile& ini, const FieldInfo& f, unsigned char* at) {
  switch (f.type) {
    case FieldType::Text: {
      const std::string text = ini.ReadString(kSetting, f.name, "");
      setFieldText(reinterpret_cast<char*>(at), f.size, text);
      break;
    }
    case FieldType::Struct:
      ini.ReadStruct(kSetting, f.name, at, f.size);  // a failed read keeps the field
      break;
    default:
      setFieldInteger(at, f.type, ini.ReadInt(kSetting, f.name, f.readDefault));
      break;
  }
}

void writeField(IniFile& ini, const FieldInfo& f, const unsigned char* at) {
  switch (f.type) {
    case FieldType::Text:
      ini.WriteString(kSetting, f.name, fieldValueText(at, f));
      break;
    case FieldType::Struct:
      ini.WriteStruct(kSetting, f.name, at, f.size);
      break;
    default:
      ini.WriteInt(kSetting, f.name, static_cast<std::int32_t>(fieldInteger(at, f.type)));
      break;
  }
}

std::string deviceSection(int i) { return "Device" + std::to_string(i); }

// The button a field of the profile table assigns, or -1.
int buttonOfField(const FieldInfo& f) {
  constexpr std::size_t first = offsetof(Profile, MacroKeyInfo);
  if (f.type != FieldType::Struct || f.size != sizeof(ButtonSlot) || f.offset < first) return -1;
  const std::size_t button = (f.offset - first) / sizeof(ButtonSlot);
  return button < kSlotCount ? static_cast<int>(button) : -1;
}

void readProfileFields(IniFile& ini, Profile& profile) {
  auto* base = reinterpret_cast<unsigned char*>(&profile);
  for (const FieldInfo& f : profileFields()) {
    const int button = buttonOfField(f);
    if (button < 0) {
      readField(ini, f, base + f.offset);
    } else if (!ini.ReadStruct(kSetting, f.name, base + f.offset, f.size)) {
      // A slot that is missing or broken would read as function 0 of button
      // 0: the button gets its factory function instead.
      profile.MacroKeyInfo[button] = FactoryButtonSlot(button);
    }
  }
}

// The profile file operations, passing on the read storage from file to file.
void readProfile(Profile& profile, const std::string& path, std::string& buffer) {
  IniFile ini(path, std::move(buffer));
  readProfileFields(ini, profile);
  buffer = ini.releaseBuffer();
}

// As readProfile when the file is there (as FileExists tells); false, with
// the profile untouched, when it is not.
bool readProfileIfPresent(Profile& profile, const std::string& path, std::string& buffer) {
  IniFile ini(path, std::move(buffer));
  const IniFile::Presence presence = ini.presence();
  const bool present = presence == IniFile::Presence::Present ||
                       (presence == IniFile::Presence::Unknown && FileExists(path));
  if (present) readProfileFields(ini, profile);
  buffer = ini.releaseBuffer();
  return present;
}

bool writeProfile(const Profile& profile, const std::string& path, std::string& buffer) {
  IniFile ini(path, std::move(buffer));
  ini.beginBatch();
  const auto* base = reinterpret_cast<const unsigned char*>(&profile);
  for (const FieldInfo& f : profileFields()) writeField(ini, f, base + f.offset);
  const bool ok = ini.commitBatch();
  buffer = ini.releaseBuffer();
  return ok;
}

}  // namespace

// The shared read storage while this call holds it, else storage of its own.
class SettingsFiles::BorrowedStorage {
 public:
  explicit BorrowedStorage(ReadStorage& shared) : lock_(shared.mutex, std::try_to_lock) {
    if (lock_.owns_lock()) buffer_ = &shared.buffer;
  }
  std::string& buffer() { return *buffer_; }

 private:
  std::unique_lock<std::mutex> lock_;
  std::string own_;
  std::string* buffer_ = &own_;
};

SettingsFiles::SettingsFiles(std::string programFolder) : folder_(std::move(programFolder)) {}

std::string SettingsFiles::configIniPath() const {
  return platform::ResolveIn(folder_, "config.ini");
}

std::string SettingsFiles::defaultProfilePath(int index) const {
  return platform::ResolveIn(folder_, "config\\Default" + std::to_string(index) + ".nmp");
}

std::string SettingsFiles::deviceInfoPath() const {
  return platform::ResolveIn(folder_, "DeviceInfo.ini");
}

bool SettingsFiles::LoadAll(SettingsImage& image) const {
  BorrowedStorage storage(*storage_);
  std::string& buffer = storage.buffer();
  IniFile config(configIniPath(), std::move(buffer));
  auto* base = reinterpret_cast<unsigned char*>(&image);
  for (const FieldInfo& f : globalFields()) readField(config, f, base + f.offset);
  buffer = config.releaseBuffer();
  for (int i = 0; i < kProfileCount; ++i) {
    if (!readProfileIfPresent(image.Profiles[i], defaultProfilePath(i), buffer))
      ResetProfile(image.Profiles[i], i);
  }
  if (isValidProfile(image.CurrentProfile))
    ReadWindowsMouseValues(image.Profiles[image.CurrentProfile]);
  return true;
}

bool SettingsFiles::SaveAll(const SettingsImage& image) const {
  bool ok = true;
  if (isValidProfile(image.CurrentProfile))
    ok = WriteWindowsMouseValues(image.Profiles[image.CurrentProfile]) && ok;

  BorrowedStorage storage(*storage_);
  std::string& buffer = storage.buffer();
  IniFile config(configIniPath(), std::move(buffer));
  config.beginBatch();
  const auto* base = reinterpret_cast<const unsigned char*>(&image);
  for (const FieldInfo& f : globalFields()) writeField(config, f, base + f.offset);
  ok = config.commitBatch() && ok;
  buffer = config.releaseBuffer();
  std::string readyFolder;
  for (int i = 0; i < kProfileCount; ++i) {
    const std::string path = defaultProfilePath(i);
    ok = ensureFolderOf(path, readyFolder) && writeProfile(image.Profiles[i], path, buffer) && ok;
  }
  return ok;
}

bool SettingsFiles::SaveDisControl(const SettingsImage& image) const {
  return IniFile(configIniPath()).WriteInt(kSetting, "DisControl", image.DisControl);
}

bool SettingsFiles::SaveInfoData(const UsageInfo& block) const {
  return IniFile(configIniPath()).WriteStruct(kSetting, "InfoData", &block, sizeof block);
}

bool SettingsFiles::SaveCurrentProfile(std::int32_t index) const {
  return IniFile(configIniPath()).WriteInt(kSetting, "CurrentProfile", index);
}

std::int32_t SettingsFiles::ReadFirmwareVersion() const {
  return IniFile(configIniPath()).ReadInt(kSetting, "FWVersion", 100);
}

bool SettingsFiles::SaveFirmwareVersion(std::int32_t version) const {
  return IniFile(configIniPath()).WriteInt(kSetting, "FWVersion", version);
}

bool SettingsFiles::ReadOsdSetting(OsdSetting& block, bool fromParentFolder) const {
  const std::string folder = fromParentFolder ? parentFolder(folder_) : folder_;
  return IniFile(platform::ResolveIn(folder, "config.ini"))
      .ReadStruct("OSDSetting", "config", &block, sizeof block);
}

bool SettingsFiles::WriteProfileFileName(int slot, std::string_view title) const {
  if (slot < 1 || slot > kProfileCount) return false;
  return IniFile(configIniPath()).WriteString("FileName", "Profile" + std::to_string(slot), title);
}

bool SettingsFiles::WriteDeviceInfo(const DeviceInfoTable& table) const {
  const int count = std::clamp<std::int32_t>(table.Count, 0, kMaxDeviceRecords);
  IniFile ini(deviceInfoPath());
  ini.beginBatch();
  ini.WriteInt(kSetting, "Count", count);
  for (int i = 0; i < count; ++i) {
    const DeviceRecord& r = table.Records[i];
    const std::string section = deviceSection(i);
    ini.WriteInt(section, "VID", r.VID);
    ini.WriteInt(section, "PID", r.PID);
    ini.WriteString(section, "Name", fieldText(r.Name));
    for (int k = 0; k < 5; ++k) ini.WriteInt(section, "CPI " + std::to_string(k), r.Cpi[k]);
  }
  return ini.commitBatch();
}

bool SettingsFiles::ReadDeviceInfo(DeviceInfoTable& table) const {
  IniFile ini(deviceInfoPath());
  const int count =
      std::clamp<std::int32_t>(ini.ReadInt(kSetting, "Count", 0), 0, kMaxDeviceRecords);
  table.Count = count;
  for (int i = 0; i < count; ++i) {
    DeviceRecord& r = table.Records[i];
    const std::string section = deviceSection(i);
    r.VID = static_cast<std::uint16_t>(ini.ReadInt(section, "VID", 0));
    r.PID = static_cast<std::uint16_t>(ini.ReadInt(section, "PID", 0));
    setFieldText(r.Name, ini.ReadString(section, "Name", ""));
    for (int k = 0; k < 5; ++k) r.Cpi[k] = ini.ReadInt(section, "CPI " + std::to_string(k), 0);
  }
  return true;
}

bool WriteProfileFile(const Profile& profile, const std::string& path) {
  std::string buffer;
  return writeProfile(profile, path, buffer);
}

bool ReadProfileFile(Profile& profile, const std::string& path) {
  std::string buffer;
  readProfile(profile, path, buffer);
  return true;
}

bool FileExists(const std::string& path) {
  // Non-blocking: a FIFO in the file's place must not hold the caller up.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  ::close(fd);
  return regular;
}

std::string SettingsFiles::refusedFiles() const {
  std::string refused;
  auto check = [&](const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode)) return;
    if (!refused.empty()) refused += "; ";
    refused += path + " is not a regular file";
  };
  check(configIniPath());
  for (int i = 0; i < kProfileCount; ++i) check(defaultProfilePath(i));
  check(deviceInfoPath());
  return refused;
}

}  // namespace settings
