#pragma once

#include "platform/Types.h"

namespace monitor {

// Horizontal scrolling of the window under the cursor, asked for by the
// tilt buttons. This version does not scroll yet: both entry points do
// nothing.
class InactiveHorizontalScroll {
 public:
  // direction 1 = right, 255 = left.
  void step(unsigned /*direction*/) {}
  void onStepMessage(platform::WPARAM /*w*/, platform::LPARAM /*l*/) {}
};

}  // namespace monitor
