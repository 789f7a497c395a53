#pragma once

#include "monitor/WindowPort.h"

namespace monitor {

// The window port of a real message window.
class PlatformWindowPort : public WindowPort {
 public:
  void attach(platform::HWND window) { window_ = window; }
  platform::HWND self() const override { return window_; }
  void setTimer(std::uintptr_t id, unsigned periodMs) override;
  void killTimer(std::uintptr_t id) override;
  platform::HWND find(std::string_view title) override;
  void post(platform::HWND window, platform::UINT message, platform::WPARAM wParam,
            platform::LPARAM lParam) override;

 private:
  platform::HWND window_ = platform::kNoWindow;
};

}  // namespace monitor
