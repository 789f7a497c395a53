#pragma once

class QKeyEvent;

namespace option {

// The Linux input code of a key event's physical key (X11 and Wayland report
// the XKB keycode, the input code + 8); 0 when the event carries none.
int linuxKeyCodeOf(const QKeyEvent& event);
// The Windows virtual-key code of the event's key as the layout names it,
// for events without a physical key; 0 for keys without one.
int virtualKeyOf(const QKeyEvent& event);

}  // namespace option
