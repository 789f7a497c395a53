#include <algorithm>

#include "WindowTable.h"
#include "platform/Clock.h"
#include "platform/VirtualClock.h"
#include "platform/Window.h"

namespace platform {

using detail::WindowTable;

bool GetMessage(MSG& msg) {
  WindowTable::instance().currentQueue()->fetch(msg, true);
  return msg.message != WM_QUIT;
}

bool PeekMessage(MSG& msg) {
  auto self = WindowTable::instance().currentQueue();
  bool got = self->fetch(msg, false);
  self->rearmIfPending();
  return got;
}

LRESULT DispatchMessage(const MSG& msg) {
  if (msg.hwnd == kNoWindow || msg.hwnd == HWND_BROADCAST) return 0;
  return detail::callHandler(msg.hwnd, msg.message, msg.wParam, msg.lParam).value_or(0);
}

int RunMessageLoop() {
  MSG msg;
  while (GetMessage(msg)) DispatchMessage(msg);
  return static_cast<int>(msg.wParam);
}

int MessageLoopFd() { return WindowTable::instance().currentQueue()->loopFd(); }

bool PumpMessages() {
  MSG msg;
  while (PeekMessage(msg)) {
    if (msg.message == WM_QUIT) return false;
    DispatchMessage(msg);
  }
  return true;
}

bool RunMessagesFor(std::int64_t ms) {
  auto self = WindowTable::instance().currentQueue();
  const std::int64_t end = clock().now() + std::max<std::int64_t>(ms, 0);
  if (auto* vc = dynamic_cast<VirtualClock*>(&clock())) {
    for (;;) {
      if (!PumpMessages()) return false;
      if (vc->now() >= end) return true;
      std::int64_t step = end;
      if (auto next = self->nextDeadline()) step = std::min(step, std::max(*next, vc->now()));
      vc->advanceTo(step);
    }
  }
  for (;;) {
    if (!PumpMessages()) return false;
    const std::int64_t left = end - clock().now();
    if (left <= 0) return true;
    int timeoutMs = static_cast<int>(std::min<std::int64_t>(left, 1 << 30));
    if (auto next = self->nextDeadline())
      timeoutMs = static_cast<int>(std::clamp<std::int64_t>(*next - clock().now(), 0, timeoutMs));
    self->serviceSources(timeoutMs);
  }
}

}  // namespace platform
