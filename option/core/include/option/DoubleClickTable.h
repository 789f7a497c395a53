#pragma once

// The double-click speed slider (positions 1..11) and the Windows
// double-click time it stands for.
namespace option {

// 1 -> 900 ms ... 11 -> 200 ms in steps of 70; any other position 480 ms.
int doubleClickMsFromPosition(int position);
// The slider position for a stored time: the slowest step it reaches
// (900 or more -> 1 ... 340 or more -> 9), 270..339 -> 10, below 270 -> 11.
int doubleClickPositionFromMs(int ms);

}  // namespace option
