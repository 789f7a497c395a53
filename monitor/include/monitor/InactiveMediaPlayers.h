#pragma once

#include "settings/SettingsImage.h"

namespace monitor {

// Media player control (open player, previous, next, play/pause, stop).
// This version controls no player yet: the call does nothing.
class InactiveMediaPlayers {
 public:
  void onMediaFunction(unsigned /*function*/, unsigned /*pressFlag*/,
                       const settings::Profile& /*profile*/) {}
};

}  // namespace monitor
