#include "monitor/PlatformWindowPort.h"

#include "platform/Window.h"

namespace monitor {

void PlatformWindowPort::setTimer(std::uintptr_t id, unsigned periodMs) {
  platform::SetTimer(window_, id, periodMs);
}

void PlatformWindowPort::killTimer(std::uintptr_t id) { platform::KillTimer(window_, id); }

platform::HWND PlatformWindowPort::find(std::string_view title) {
  return platform::FindWindow(title);
}

void PlatformWindowPort::post(platform::HWND window, platform::UINT message,
                              platform::WPARAM wParam, platform::LPARAM lParam) {
  platform::PostMessage(window, message, wParam, lParam);
}

}  // namespace monitor
