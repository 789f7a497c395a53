#pragma once

namespace monitor {

// How the tilt wheel reaches the desktop's windows. On a Wayland desktop
// XTest reaches only X programs, so there a virtual pointer through uinput
// does the scrolling, or nothing does.
enum class ScrollBackend { X11, Uinput, Off };

ScrollBackend chooseScrollBackend(bool xDisplay, bool waylandSession, bool uinputWritable);

// The line the Monitor logs once when the tilt wheel cannot scroll; empty
// when it can.
const char* scrollOffReason(bool xDisplay, bool waylandSession, bool uinputWritable);

}  // namespace monitor
