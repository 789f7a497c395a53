#pragma once

#include <cstdint>
#include <string_view>

#include "platform/Types.h"

namespace monitor {

// What the Monitor's window does through the message layer: its timers and
// the messages it posts to windows found by title.
class WindowPort {
 public:
  virtual ~WindowPort() = default;
  virtual platform::HWND self() const = 0;
  virtual void setTimer(std::uintptr_t id, unsigned periodMs) = 0;
  virtual void killTimer(std::uintptr_t id) = 0;
  virtual platform::HWND find(std::string_view title) = 0;
  virtual void post(platform::HWND window, platform::UINT message, platform::WPARAM wParam,
                    platform::LPARAM lParam) = 0;
  // Posts to the window with this title when it exists; false otherwise.
  bool postTo(std::string_view title, platform::UINT message, platform::WPARAM wParam = 0,
              platform::LPARAM lParam = 0) {
    const platform::HWND window = find(title);
    if (window == platform::kNoWindow) return false;
    post(window, message, wParam, lParam);
    return true;
  }
};

}  // namespace monitor
