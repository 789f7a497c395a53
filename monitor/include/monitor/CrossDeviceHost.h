#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "device/ReportCodec.h"
#include "monitor/ChorusLink.h"
#include "monitor/WindowPort.h"
#include "platform/Types.h"
#include "settings/DeviceInfoTable.h"
#include "settings/SettingsImage.h"

namespace monitor {

inline constexpr const char* kChorusHostTitle = "NIVARO Chorus Monitor";
inline constexpr const char* kChorusMessage = "WM_CHORUS_MSG";
inline constexpr const char* kChorusAmbientMessage = "WM_CHORUS_AMBIENT_EVENT_LIGHT_FROM_CHORUS";
inline constexpr const char* kChorusActiveStatusMessage = "WM_CHORUS_ACTIVE_STATUS_TO_CHORUS";

// The Monitor's side of the cross-device host: the host window it reports
// to, whether the host holds the tray presence, the Dual-Shift toggle and the
// list of peer devices. Without a link (no host support in this run) only the
// plain status messages that ask the Monitor itself for something still work.
class CrossDeviceHost {
 public:
  // What a status message asks of the Monitor's window besides what the host
  // object did itself.
  struct StatusAction {
    std::optional<device::codec::LightCommandBytes> light;  // report 16
    bool updateTray = false;
    bool openConfiguration = false;
    bool exit = false;
  };

  // Start-up broadcast: wParam of "WM_CHORUS_MSG".
  static constexpr platform::WPARAM kAnnounce = 11;
  CrossDeviceHost(WindowPort& window, ChorusLink* link);

  void registerInConfiguration();
  // Registers the message names and tells every window the Monitor is there.
  void announce(platform::HWND monitorWindow);
  // The records carry the DPI levels of the image's current profile. Any
  // thread may send them.
  void sendDeviceStatus(bool active, const settings::SettingsImage& image);
  void sendSteadyAimNotice(const settings::SettingsImage& image);
  // After an apply and a profile change.
  void notifyChange();
  void dualShift(const settings::ButtonSlot& slot, int pressFlag);
  // A peer record (lParam of WM_COPYDATA); answers 1.
  platform::LRESULT onCopyData(platform::LPARAM copyData);

  bool isStatusMessage(platform::UINT message) const;
  bool isAmbientMessage(platform::UINT message) const;
  // Status message 2025 or "WM_CHORUS_MSG". connectedImage: the Monitor's
  // image while the mouse is connected, else null.
  StatusAction onStatus(platform::UINT message, platform::WPARAM w, platform::LPARAM l,
                        const settings::SettingsImage* connectedImage);
  device::codec::LightCommandBytes ambientLightCommand();

  bool hostOwnsTrayIcon() const { return hostActive_; }
  // A new peer when the list is full is turned away: the entries already
  // known keep their places, which buttons refer to by id.
  static constexpr int kMaxPeers = settings::kMaxDeviceRecords;
  platform::HWND hostWindow() const { return hostWindow_; }
  bool toggle() const { return toggle_; }
  const settings::DeviceInfoTable& peers() const { return *peers_; }

 private:
  void sendStatusRecord(std::uintptr_t kind, const settings::SettingsImage& image);
  bool addPeer(const settings::DeviceRecord& entry);
  void peersChanged();

  WindowPort& window_;
  ChorusLink* link_;
  platform::HWND self_ = platform::kNoWindow;
  platform::UINT chorusMessage_ = 0;
  platform::UINT ambientMessage_ = 0;
  platform::UINT activeStatusMessage_ = 0;
  // Read by the worker thread when it sends the Steady-Aim notice.
  std::atomic<platform::HWND> hostWindow_{platform::kNoWindow};
  std::atomic<bool> hostActive_{false};
  bool toggle_ = false;
  std::unique_ptr<settings::DeviceInfoTable> peers_;
};

}  // namespace monitor
