#pragma once

#include <vector>

#include "settings/SettingsImage.h"

// A macro on the timeline: each key held is a bar from its press to its
// release, in milliseconds from the macro's start.
namespace macros {

inline constexpr int kMaxTimelineBars = 250;

struct TimelineBar {
  int key = -1;  // usage; -1 until the user names the key of a new bar
  int start = 0;
  int end = 0;
  int pressIndex = 0;    // the events the bar came from, which order bars
  int releaseIndex = 0;  // starting or ending at one time
};

// A release ends the latest open press of its key. Presses never released
// and releases without a press give no bar; the time runs on by the delays
// of the events that make bars. Bars follow the order of their presses.
std::vector<TimelineBar> barsFromEvents(const std::vector<settings::MacroEvent>& events);
// Each bar gives a press at its start and a release at its end; events at
// one time keep the order of the events they came from. Delays are the gaps
// (at most 65535 ms); the last event has none. Bars without a key give no
// events; at most 500 events.
std::vector<settings::MacroEvent> eventsFromBars(const std::vector<TimelineBar>& bars);

}  // namespace macros
