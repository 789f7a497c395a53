#pragma once

namespace monitor {

// The Monitor's icon in the system tray ("Configuration", "Exit").
class TrayIcon {
 public:
  virtual ~TrayIcon() = default;
  virtual void setVisible(bool visible) = 0;
};

}  // namespace monitor
