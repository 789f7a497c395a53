#pragma once

#include "platform/Types.h"

// Messages with which the skinned controls report to their owners. The numbers
// are shared with every window of the suite that hosts skinned controls.
namespace skin {

using platform::LPARAM;
using platform::LRESULT;
using platform::UINT;
using platform::WPARAM;

// wParam value, lParam control id. Thumb to track, track to owner.
inline constexpr UINT SliderValueMsg = platform::WM_USER + 70;
// wParam value, lParam control id.
inline constexpr UINT SpinValueMsg = platform::WM_USER + 90;
// wParam 0 after a text change, 13 when Enter is released; lParam 0.
inline constexpr UINT EditNotifyMsg = platform::WM_USER + 92;
// wParam 1 mouse entered, 0 mouse left; lParam the button's notify index.
inline constexpr UINT ButtonHoverMsg = platform::WM_USER + 100;
// To the main window: wParam 1 the shared help text was set, 0 it was cleared.
inline constexpr UINT HelpTextMsg = platform::WM_USER + 101;
// Sent (not posted) by a check-mode button to its owner after it toggled, and
// by a push button when clicked: wParam MAKEWPARAM(0, BN_CLICKED), lParam the
// button (a pointer to the QWidget, see SkinOwner.h).
inline constexpr UINT WM_COMMAND = platform::WM_COMMAND;
inline constexpr unsigned BN_CLICKED = 0;
// Name of the registered message a BitmapEdit posts to its parent when it
// loses the keyboard focus (wParam 0, lParam 0).
inline constexpr const char* kBitmapEditKillFocusName = "BitmapEdit_KillFocus";

static_assert(SliderValueMsg == 1094 && SpinValueMsg == 1114 && EditNotifyMsg == 1116 &&
              ButtonHoverMsg == 1124 && HelpTextMsg == 1125);

}  // namespace skin
