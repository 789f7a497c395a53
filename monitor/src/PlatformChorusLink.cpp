#include "monitor/PlatformChorusLink.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "monitor/CrossDeviceHost.h"
#include "monitor/MonitorNames.h"
#include "platform/Paths.h"
#include "platform/Window.h"
#include "settings/IniFile.h"
#include "settings/SettingsFiles.h"

namespace monitor {
namespace {

constexpr const char* kRegistrationFile = "TConfig.ini";
constexpr const char* kSection = "VeskORB";
constexpr const char* kDeviceName = "Vesk ORB Optical";

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return std::string(s.substr(first, last - first + 1));
}

// Names of the sections of an INI file, in file order.
std::vector<std::string> sectionNames(const std::string& path) {
  std::vector<std::string> names;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    const std::string text = trimmed(line);
    if (text.size() < 2 || text.front() != '[') continue;
    const auto close = text.find(']');
    if (close != std::string::npos) names.push_back(trimmed(text.substr(1, close - 1)));
  }
  return names;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

PlatformChorusLink::PlatformChorusLink(std::string programFolder, std::string sharedFolder)
    : programFolder_(std::move(programFolder)),
      sharedFolder_(sharedFolder.empty() ? defaultSharedFolder() : std::move(sharedFolder)) {
  if (!sharedFolder_.empty() && sharedFolder_.back() != '/') sharedFolder_ += '/';
}

std::string PlatformChorusLink::defaultSharedFolder() {
  std::string base;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data && data[0] == '/') {
    base = data;
  } else if (const char* home = std::getenv("HOME"); home && home[0]) {
    base = std::string(home) + "/.local/share";
  } else {
    return {};
  }
  return base + "/NIVARO/Chorus/";
}

platform::UINT PlatformChorusLink::registerMessage(std::string_view name) {
  return platform::RegisterWindowMessage(name);
}

void PlatformChorusLink::broadcast(platform::UINT message, platform::WPARAM wParam,
                                   platform::LPARAM lParam) {
  platform::PostMessage(platform::HWND_BROADCAST, message, wParam, lParam);
}

bool PlatformChorusLink::sendCopyData(platform::HWND window, platform::WPARAM wParam,
                                      std::uintptr_t dwData, std::span<const std::byte> bytes) {
  return platform::SendCopyData(window, wParam, dwData, bytes).has_value();
}

void PlatformChorusLink::postToHost(platform::UINT message, platform::WPARAM wParam,
                                    platform::LPARAM lParam) {
  const platform::HWND host = platform::FindWindow(kChorusHostTitle);
  if (host != platform::kNoWindow) platform::PostMessage(host, message, wParam, lParam);
}

void PlatformChorusLink::registerDevice() {
  if (sharedFolder_.empty()) return;
  std::error_code error;
  std::filesystem::create_directories(sharedFolder_, error);
  const std::string path = sharedFolder_ + kRegistrationFile;
  if (!platform::FileExists(path)) {
    // Created empty, as the host expects to find it; never truncates one that
    // another program created meanwhile.
    std::ofstream(path, std::ios::binary | std::ios::app);
  }
  settings::IniFile ini(path);
  for (const std::string& section : sectionNames(path)) {
    if (lower(trimmed(ini.ReadString(section, "Name", ""))) == lower(kDeviceName)) return;
  }
  ini.beginBatch();
  ini.WriteString(kSection, "Name", kDeviceName);
  ini.WriteString(kSection, "WindowName", kMonitorTitle);
  ini.WriteInt(kSection, "Device", 0);
  ini.commitBatch();
}

void PlatformChorusLink::writePeers(const settings::DeviceInfoTable& table) {
  settings::SettingsFiles(programFolder_).WriteDeviceInfo(table);
}

AmbientLight PlatformChorusLink::ambientLight() {
  AmbientLight light;
  settings::IniFile ini(settings::SettingsFiles(programFolder_).configIniPath());
  light.on = ini.ReadInt("Chorus", "AmbientLight", 0) == 1;
  const std::string colours = trimmed(ini.ReadString("Chorus", "AmbientColor", ""));
  for (std::size_t i = 0; i < light.colours.size() && 2 * i + 1 < colours.size(); ++i) {
    const int hi = hexDigit(colours[2 * i]), lo = hexDigit(colours[2 * i + 1]);
    if (hi < 0 || lo < 0) return AmbientLight{light.on, {}};
    light.colours[i] = static_cast<std::uint8_t>(hi * 16 + lo);
  }
  return light;
}

}  // namespace monitor
