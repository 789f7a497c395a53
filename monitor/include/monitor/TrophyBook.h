#pragma once

#include "settings/SettingsImage.h"

namespace monitor {

// Usage counters and the trophies they earn. The mouse reports statistics
// as events; each adds to one counter, and each of the four trophy groups
// can award its lowest unearned trophy whose threshold the group's sum has
// reached. Trophy 13 crowns the other twelve.
class TrophyBook {
 public:
  struct Outcome {
    bool counted = false;      // the event type has a counter
    int awarded = 0;           // the last trophy awarded by this event, 0 for none
    bool everyTrophy = false;  // trophy 13 is earned
  };

  // Counter of a statistics event type, or -1 when the type counts nothing.
  static int counterOf(unsigned eventType);
  static Outcome countEvent(settings::UsageInfo& info, unsigned eventType, unsigned value);
};

}  // namespace monitor
