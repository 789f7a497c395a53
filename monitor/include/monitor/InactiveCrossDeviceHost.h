#pragma once

#include <cstdint>

#include "platform/Types.h"
#include "settings/SettingsImage.h"

namespace monitor {

// The Monitor's side of the cross-device host ("NIVARO Chorus Monitor"). The
// Monitor makes every call at the moments the host expects them; this
// version keeps no host link, so each call does nothing and the host never
// takes the tray icon over.
class InactiveCrossDeviceHost {
 public:
  void registerInConfiguration() {}
  void announce(platform::HWND /*monitorWindow*/) {}
  void sendDeviceStatus(bool /*active*/, const settings::SettingsImage& /*image*/) {}
  void sendSteadyAimNotice(const settings::SettingsImage& /*image*/) {}
  void notifyChange() {}
  void dualShift(const settings::ButtonSlot& /*slot*/, int /*pressFlag*/) {}
  platform::LRESULT onCopyData(platform::LPARAM /*copyData*/) { return 1; }
  void onStatus(platform::UINT /*message*/, platform::WPARAM /*w*/, platform::LPARAM /*l*/) {}
  void onAmbientLight() {}
  bool hostOwnsTrayIcon() const { return false; }
};

}  // namespace monitor
