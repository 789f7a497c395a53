#include "platform/Window.h"

#include <unistd.h>

#include "RemoteMessages.h"
#include "WindowSocket.h"
#include "WindowTable.h"

namespace platform {

using detail::ThreadQueue;
using detail::WindowRecord;
using detail::WindowTable;

namespace detail {

std::optional<LRESULT> callHandler(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto window = WindowTable::instance().find(hwnd);
  if (!window || !window->alive) return std::nullopt;
  if (window->ownerThread != WindowTable::instance().currentQueue()->id()) return std::nullopt;
  // The record (and its handler) stays alive through the call even when the
  // handler destroys its own window.
  return window->handler ? window->handler(hwnd, msg, wParam, lParam) : 0;
}

std::optional<LRESULT> sendToLocalWindow(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto& table = WindowTable::instance();
  auto window = table.find(hwnd);
  if (!window || !window->alive) return std::nullopt;
  auto self = table.currentQueue();
  if (window->ownerThread == self->id()) return callHandler(hwnd, msg, wParam, lParam);
  auto owner = window->owner.lock();
  if (!owner) return std::nullopt;
  auto send = std::make_shared<PendingSend>();
  send->hwnd = hwnd;
  send->msg = msg;
  send->wParam = wParam;
  send->lParam = lParam;
  send->sender = self;
  if (!owner->enqueueSend(send)) return std::nullopt;
  self->waitUntil([&] { return send->state != PendingSend::kWaiting; });
  if (send->state == PendingSend::kFailed) return std::nullopt;
  return send->result;
}

void releaseWindow(const std::shared_ptr<WindowRecord>& window, ThreadQueue& owner) {
  window->alive = false;
  owner.killTimersOf(window->hwnd);
  owner.removeEndpointsOf(window->hwnd);
  if (window->listenKey != 0) removeWindowFiles(window->hwnd, !window->title.empty());
  WindowTable::instance().remove(window->hwnd);
}

}  // namespace detail

namespace {

bool isLocal(HWND hwnd) { return WindowTable::instance().find(hwnd) != nullptr; }

// The windows a broadcast reaches: ours, then those of the other processes.
std::vector<HWND> broadcastTargets() {
  std::vector<HWND> targets;
  for (auto& w : WindowTable::instance().windows())
    if (w->alive) targets.push_back(w->hwnd);
  for (HWND h : detail::allOtherWindows()) targets.push_back(h);
  return targets;
}

}  // namespace

HWND CreateWindow(std::string_view title, WindowHandler handler) {
  auto& table = WindowTable::instance();
  auto self = table.currentQueue();
  if (!self->valid()) return kNoWindow;
  auto window = std::make_shared<WindowRecord>();
  // Handles are unique in the session: one that a live window of another
  // process holds is passed over.
  int fd = detail::kHandleTaken;
  for (int attempt = 0; attempt < 64 && fd == detail::kHandleTaken; ++attempt) {
    window->hwnd = table.newHandle();
    fd = detail::listenForWindow(window->hwnd, title);
  }
  if (fd == detail::kHandleTaken) return kNoWindow;
  window->title = std::string(title);
  window->handler = std::move(handler);
  window->ownerThread = self->id();
  window->owner = self;
  // Reachable before WM_CREATE: a window often announces its handle there
  // and gets answers at once.
  if (fd >= 0) window->listenKey = self->addListener(fd, window->hwnd);
  table.add(window);
  if (detail::callHandler(window->hwnd, WM_CREATE, 0, 0) == -1) {
    DestroyWindow(window->hwnd);
    return kNoWindow;
  }
  return window->hwnd;
}

bool DestroyWindow(HWND hwnd) {
  auto& table = WindowTable::instance();
  auto window = table.find(hwnd);
  auto self = table.currentQueue();
  if (!window || !window->alive || window->ownerThread != self->id()) return false;
  // WM_DESTROY runs with the window still usable; a second DestroyWindow from
  // inside it does nothing.
  if (window->destroying.exchange(true)) return false;
  detail::callHandler(hwnd, WM_DESTROY, 0, 0);
  detail::releaseWindow(window, *self);
  return true;
}

bool IsWindow(HWND hwnd) {
  if (hwnd == kNoWindow || hwnd == HWND_BROADCAST) return false;
  if (isLocal(hwnd)) {
    auto window = WindowTable::instance().find(hwnd);
    return window && window->alive;
  }
  if (!detail::processAlive(detail::processOf(hwnd))) return false;
  return detail::remoteWindowReachable(*WindowTable::instance().currentQueue(), hwnd);
}

HWND FindWindow(std::string_view title) {
  if (title.empty()) return kNoWindow;
  for (auto& w : WindowTable::instance().windows())
    if (w->alive && detail::sameTitle(w->title, title)) return w->hwnd;
  auto self = WindowTable::instance().currentQueue();
  for (HWND h : detail::windowsTitled(title))
    if (detail::remoteWindowReachable(*self, h)) return h;
  return kNoWindow;
}

std::string GetWindowTitle(HWND hwnd) {
  if (isLocal(hwnd)) {
    auto window = WindowTable::instance().find(hwnd);
    return window && window->alive ? window->title : std::string();
  }
  return detail::titleOfOtherWindow(hwnd).value_or(std::string());
}

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COPYDATA) return false;
  auto& table = WindowTable::instance();
  if (hwnd == kNoWindow) return table.currentQueue()->post(MSG{kNoWindow, msg, wParam, lParam});
  if (hwnd == HWND_BROADCAST) {
    for (HWND target : broadcastTargets()) PostMessage(target, msg, wParam, lParam);
    return true;
  }
  if (isLocal(hwnd)) {
    auto window = table.find(hwnd);
    if (!window || !window->alive) return false;
    auto owner = window->owner.lock();
    return owner && owner->post(MSG{hwnd, msg, wParam, lParam});
  }
  return detail::postRemote(*table.currentQueue(), hwnd, msg, wParam, lParam);
}

std::optional<LRESULT> SendMessageChecked(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd == kNoWindow) return std::nullopt;
  if (hwnd == HWND_BROADCAST) {
    for (HWND target : broadcastTargets()) SendMessageChecked(target, msg, wParam, lParam);
    return 1;
  }
  if (isLocal(hwnd)) return detail::sendToLocalWindow(hwnd, msg, wParam, lParam);
  return detail::sendRemote(*WindowTable::instance().currentQueue(), hwnd, msg, wParam, lParam);
}

std::optional<LRESULT> SendCopyData(HWND hwnd, WPARAM wParam, std::uintptr_t dwData,
                                    std::span<const std::byte> bytes) {
  if (bytes.size() > 0xFFFFFFFFu) return std::nullopt;
  COPYDATASTRUCT cds{dwData, static_cast<DWORD>(bytes.size()), bytes.data()};
  return SendMessageChecked(hwnd, WM_COPYDATA, wParam, reinterpret_cast<LPARAM>(&cds));
}

bool SetTimer(HWND hwnd, std::uintptr_t id, UINT periodMs) {
  auto window = WindowTable::instance().find(hwnd);
  if (!window || !window->alive) return false;
  auto owner = window->owner.lock();
  if (!owner) return false;
  owner->setTimer(hwnd, id, periodMs);
  return true;
}

bool KillTimer(HWND hwnd, std::uintptr_t id) {
  auto window = WindowTable::instance().find(hwnd);
  if (!window) return false;
  auto owner = window->owner.lock();
  return owner && owner->killTimer(hwnd, id);
}

ThreadId GetCurrentThreadId() { return WindowTable::instance().currentQueue()->id(); }

bool PostThreadMessage(ThreadId thread, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COPYDATA) return false;
  auto queue = WindowTable::instance().queueOf(thread);
  return queue && queue->post(MSG{kNoWindow, msg, wParam, lParam});
}

void PostQuitMessage(int exitCode) { WindowTable::instance().currentQueue()->postQuit(exitCode); }

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
  if (msg == WM_CLOSE) DestroyWindow(hwnd);
  return 0;
}

}  // namespace platform
