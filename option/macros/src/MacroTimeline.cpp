#include "macros/MacroTimeline.h"

#include <algorithm>
#include <cstdint>

#include "macros/MacroRecord.h"

namespace macros {

std::vector<TimelineBar> barsFromEvents(const std::vector<settings::MacroEvent>& events) {
  struct OpenPress {
    int key, time, index;
  };
  std::vector<OpenPress> open;
  std::vector<TimelineBar> bars;
  int time = 0;
  for (int i = 0; i < static_cast<int>(events.size()); ++i) {
    const settings::MacroEvent& e = events[i];
    if (e.Action == settings::kMacroActionPress) {
      open.push_back({e.Key, time, i});
      time += e.delay();
    } else if (e.Action == settings::kMacroActionRelease) {
      const auto press = std::find_if(open.rbegin(), open.rend(),
                                      [&](const OpenPress& p) { return p.key == e.Key; });
      if (press == open.rend()) continue;
      bars.push_back({press->key, press->time, time, press->index, i});
      open.erase(std::next(press).base());
      time += e.delay();
    }
  }
  std::stable_sort(bars.begin(), bars.end(), [](const TimelineBar& a, const TimelineBar& b) {
    return a.pressIndex < b.pressIndex;
  });
  return bars;
}

std::vector<settings::MacroEvent> eventsFromBars(const std::vector<TimelineBar>& bars) {
  struct Entry {
    int time, source, key;
    std::uint8_t action;
  };
  std::vector<Entry> entries;
  for (const TimelineBar& bar : bars) {
    if (bar.key < 0 || bar.key > 0xFF) continue;
    if (static_cast<int>(entries.size()) + 2 > kMaxEvents) break;
    entries.push_back({bar.start, bar.pressIndex, bar.key, settings::kMacroActionPress});
    entries.push_back(
        {std::max(bar.end, bar.start), bar.releaseIndex, bar.key, settings::kMacroActionRelease});
  }
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return a.time != b.time ? a.time < b.time : a.source < b.source;
  });
  std::vector<settings::MacroEvent> events(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    events[i].Key = static_cast<std::uint8_t>(entries[i].key);
    events[i].Action = entries[i].action;
    const int gap = i + 1 < entries.size() ? entries[i + 1].time - entries[i].time : 0;
    events[i].setDelay(static_cast<std::uint16_t>(std::clamp(gap, 0, 65535)));
  }
  return events;
}

}  // namespace macros
