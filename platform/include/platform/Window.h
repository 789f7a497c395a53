#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/Types.h"

// Message windows: titled windows with a handler, run by the message loop of
// the thread that created them, reachable from any process of the same user.
namespace platform {

using WindowHandler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// Creates a window owned by the calling thread and sends it WM_CREATE before
// returning; when the handler answers WM_CREATE with -1 the window is
// destroyed and kNoWindow returned. A non-empty title makes the window
// findable by every process of the user.
HWND CreateWindow(std::string_view title, WindowHandler handler);
// Sends WM_DESTROY and removes the window. Only the owning thread may destroy.
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);
// Exact title, compared case-insensitively; windows of this process first.
HWND FindWindow(std::string_view title);
std::string GetWindowTitle(HWND hwnd);

bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Runs the receiver's handler (on its owning thread) and returns its result;
// std::nullopt when the window does not exist or its process went away.
std::optional<LRESULT> SendMessageChecked(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// As the programs call it: 0 on failure.
inline LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return SendMessageChecked(hwnd, msg, wParam, lParam).value_or(0);
}
// WM_COPYDATA with (dwData, bytes), sent synchronously; wParam is usually the
// sender's window handle.
std::optional<LRESULT> SendCopyData(HWND hwnd, WPARAM wParam, std::uintptr_t dwData,
                                    std::span<const std::byte> bytes);

// Same number (0xC000..0xFFFF) for the same name (case-insensitive) in every
// process of the user; 0 on failure.
UINT RegisterWindowMessage(std::string_view name);

// Per window and id; WM_TIMER with wParam = id arrives through the owner's
// loop every period until killed. Setting an existing id restarts it.
bool SetTimer(HWND hwnd, std::uintptr_t id, UINT periodMs);
bool KillTimer(HWND hwnd, std::uintptr_t id);

// Thread message queues. A thread id names a thread of this process.
using ThreadId = std::uint64_t;
ThreadId GetCurrentThreadId();
bool PostThreadMessage(ThreadId thread, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// Waits (on the platform clock) for the next message of the calling thread:
// its windows' posted messages, timers, thread messages. Messages sent
// synchronously are handled while waiting. Returns false on WM_QUIT.
bool GetMessage(MSG& msg);
// As GetMessage but never waits; false when nothing is queued.
bool PeekMessage(MSG& msg);
LRESULT DispatchMessage(const MSG& msg);
// GetMessage/DispatchMessage until WM_QUIT; returns the quit code.
int RunMessageLoop();

// Readable whenever the calling thread has something to handle; a Qt program
// watches it with a QSocketNotifier and then calls PumpMessages().
int MessageLoopFd();
// Handles everything pending for the calling thread without waiting;
// returns false once WM_QUIT was seen.
bool PumpMessages();

}  // namespace platform
