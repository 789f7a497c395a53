#pragma once

// Link between the clocks and the message loops: a clock that jumps wakes
// every loop so that timers that became due are delivered.
namespace platform::detail {

void wakeAllMessageLoops();

}  // namespace platform::detail
