#pragma once

#include <cstdint>
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

// Queues the message for the window's thread. kNoWindow posts a thread
// message to the calling thread; HWND_BROADCAST posts to every top-level
// window of the user. WM_COPYDATA cannot be posted (its data lives only for
// the duration of a send).
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Runs the receiver's handler (on its owning thread) and returns its result;
// std::nullopt when the window does not exist or its process went away.
// While waiting, the calling thread handles messages sent to its own windows.
// A WM_COPYDATA whose lParam points at a COPYDATASTRUCT is carried across
// processes with its data. HWND_BROADCAST sends to every window and gives 1.
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
// A thread has a queue from its first call into the message layer; a worker
// calls GetCurrentThreadId() before handing out its id, so that messages
// posted to it are never refused for lack of a queue.
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
// What a window does with a message it does not handle itself: WM_CLOSE
// destroys the window; everything else gives 0.
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Handles the calling thread's messages for ms of platform time and returns
// false once WM_QUIT was seen. Under a VirtualClock it steps the clock through
// the thread's timer deadlines without real waiting; under the real clock it
// waits for real.
bool RunMessagesFor(std::int64_t ms);

// Readable whenever the calling thread has something to handle; a Qt program
// watches it with a QSocketNotifier and then calls PumpMessages(). The fd
// stays owned by the message layer.
int MessageLoopFd();
// Handles everything pending for the calling thread without waiting;
// returns false once WM_QUIT was seen.
bool PumpMessages();

}  // namespace platform
