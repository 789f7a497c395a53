#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/Types.h"
#include "settings/DeviceInfoTable.h"

namespace monitor {

// The Monitor's own ambient light for the host's ambient event: on/off and
// the eight colour bytes of the light command.
struct AmbientLight {
  bool on = false;
  std::array<std::uint8_t, 8> colours{};
};

// What the cross-device logic reaches outside the Monitor through: the
// message layer, the shared registration file and the peer list file.
class ChorusLink {
 public:
  virtual ~ChorusLink() = default;
  virtual platform::UINT registerMessage(std::string_view name) = 0;
  virtual void broadcast(platform::UINT message, platform::WPARAM wParam,
                         platform::LPARAM lParam) = 0;
  // WM_COPYDATA sent synchronously; false when the window did not take it.
  virtual bool sendCopyData(platform::HWND window, platform::WPARAM wParam, std::uintptr_t dwData,
                            std::span<const std::byte> bytes) = 0;
  // Posted to the host's main window found by its title, when it exists.
  virtual void postToHost(platform::UINT message, platform::WPARAM wParam,
                          platform::LPARAM lParam) = 0;
  // Adds the Monitor's section to the host's registration file when missing.
  virtual void registerDevice() = 0;
  virtual void writePeers(const settings::DeviceInfoTable& table) = 0;
  virtual AmbientLight ambientLight() = 0;
};

}  // namespace monitor
