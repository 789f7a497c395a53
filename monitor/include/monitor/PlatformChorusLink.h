#pragma once

#include <string>

#include "monitor/ChorusLink.h"

namespace monitor {

// The cross-device link of the running Monitor.
//
// Registration file: "TConfig.ini" in the host's shared folder,
// $XDG_DATA_HOME/NIVARO/Chorus/ (~/.local/share/NIVARO/Chorus/ by default).
// Peer list: DeviceInfo.ini in the program folder.
// Ambient light, for the host's ambient event, from config.ini:
//   [Chorus]
//   AmbientLight=1                 ; 1 = ambient effect on, anything else off
//   AmbientColor=FF000000FF000000  ; the eight colour bytes, two hex digits each
class PlatformChorusLink : public ChorusLink {
 public:
  // sharedFolder empty: the default one above.
  explicit PlatformChorusLink(std::string programFolder, std::string sharedFolder = {});

  static std::string defaultSharedFolder();
  const std::string& sharedFolder() const { return sharedFolder_; }

  platform::UINT registerMessage(std::string_view name) override;
  void broadcast(platform::UINT message, platform::WPARAM wParam, platform::LPARAM lParam) override;
  bool sendCopyData(platform::HWND window, platform::WPARAM wParam, std::uintptr_t dwData,
                    std::span<const std::byte> bytes) override;
  void postToHost(platform::UINT message, platform::WPARAM wParam,
                  platform::LPARAM lParam) override;
  void registerDevice() override;
  void writePeers(const settings::DeviceInfoTable& table) override;
  AmbientLight ambientLight() override;

 private:
  std::string programFolder_;
  std::string sharedFolder_;
};

}  // namespace monitor
