#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <memory>

#include "monitor/TrayIcon.h"
#include "platform/Types.h"

namespace monitor {

// The tray icon through Qt: "Configuration" (default) and "Exit"; a double
// click opens the Configuration program. Both post to the Monitor's window.
class QtTrayIcon : public QObject, public TrayIcon {
 public:
  QtTrayIcon();
  void attach(platform::HWND window) { window_ = window; }
  void setVisible(bool visible) override;

 private:
  void postCommand(platform::WPARAM command);
  platform::HWND window_ = platform::kNoWindow;
  std::unique_ptr<QMenu> menu_;
  std::unique_ptr<QSystemTrayIcon> icon_;
};

}  // namespace monitor
