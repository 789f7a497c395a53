#pragma once

// How a settings editor reaches the Monitor: its window title and the
// message that asks it to apply the shared image. The Monitor answers to
// exactly these.
namespace apply {

inline constexpr const char* kMonitorTitle = "NIVARO Vesk ORB Optical Mouse Monitor";
inline constexpr unsigned kApplyMessage = 1224;
// The Monitor's answers to the apply message.
inline constexpr long kApplyReachedMouse = 1;  // every flagged part, or nothing flagged
inline constexpr long kApplyMouseMissed = 0;   // not connected, or a write failed

}  // namespace apply
