#pragma once

#include <cstdint>

// The message-window vocabulary the programs are written in.
namespace platform {

using UINT = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using DWORD = std::uint32_t;

// A window handle names one window of one process of this user. It fits in an
// LPARAM so that programs can pass their handle in a message. 0 is no window.
using HWND = std::uint64_t;
inline constexpr HWND kNoWindow = 0;
// Posting or sending to this handle reaches every top-level window of the user.
inline constexpr HWND HWND_BROADCAST = 0xFFFF;

inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_CLOSE = 0x0010;
// "Come to the front": posted to a window (wParam WA_ACTIVE, lParam 0) by a
// program that wants it in front of the user, as the Monitor does when asked
// to open a Configuration program that is already running. A program that
// shows a window on screen answers by raising and activating it (a Qt program
// running the platform loop: show(), raise(), activateWindow()).
inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr WPARAM WA_ACTIVE = 1;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_COPYDATA = 0x004A;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_DEVICECHANGE = 0x0219;
inline constexpr UINT WM_USER = 0x0400;
inline constexpr UINT kFirstRegisteredMessage = 0xC000;
inline constexpr UINT kLastRegisteredMessage = 0xFFFF;

// lParam of WM_COPYDATA points at this for the duration of the handler.
struct COPYDATASTRUCT {
  std::uintptr_t dwData;
  DWORD cbData;
  const void* lpData;
};

struct MSG {
  HWND hwnd = kNoWindow;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

inline constexpr WPARAM MAKEWPARAM(unsigned lo, unsigned hi) {
  return static_cast<WPARAM>((lo & 0xFFFFu) | ((hi & 0xFFFFu) << 16));
}
inline constexpr unsigned LOWORD(std::uintptr_t v) { return static_cast<unsigned>(v & 0xFFFFu); }
inline constexpr unsigned HIWORD(std::uintptr_t v) {
  return static_cast<unsigned>((v >> 16) & 0xFFFFu);
}

}  // namespace platform
