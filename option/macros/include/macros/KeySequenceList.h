#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsImage.h"

// The rows of the key-sequence list, and what its context menu and in-place
// delay edit do to the events. Each event is a row ("A Press"); an event
// with a delay is followed by a delay row ("120 ms").
namespace macros {

// Icons of the rows (resource numbers of 17x17 pictures).
inline constexpr int kIconDelay = 135;
inline constexpr int kIconKeyRelease = 137;
inline constexpr int kIconKeyPress = 138;
inline constexpr int kIconMouse = 146;

struct KeySequenceRow {
  std::string text;
  int icon = 0;
  int event = 0;  // the event the row shows, or whose delay it shows
  bool delay = false;
  // The list box's item data: (event + 1) * 65536 + icon.
  int itemData() const { return (event + 1) * 65536 + icon; }
};

std::vector<KeySequenceRow> keySequenceRows(const std::vector<settings::MacroEvent>& events);

enum class MouseClick { kDown, kUp, kClick };

// The context menu's commands, given the row under them (-1: none). Each
// returns true when it changed the events.
class KeySequenceEdits {
 public:
  explicit KeySequenceEdits(std::vector<settings::MacroEvent>& events) : events_(events) {}

  // On an event row other than the first: gives the previous event a 1 ms
  // delay when it has none.
  bool insertDelay(int row);
  // Inserts a mouse button (0..4: left, right, wheel, side 1, side 2) event
  // before the row's event, or at the end without a row. A click is a press
  // and a release, made only when both fit.
  bool insertMouseEvent(int row, int button, MouseClick click);
  // Sets the delay of a delay row from the in-place edit's text.
  bool setDelay(int row, std::string_view text);
  // A delay row loses its delay; an event row its event.
  bool remove(int row);
  // The menu command ids 1020..1034 name button and click in groups of three.
  static bool mouseCommand(int id, int& button, MouseClick& click);

  // The event shown by `row`, or -1.
  int eventOfRow(int row) const;
  bool isDelayRow(int row) const;

 private:
  std::vector<settings::MacroEvent>& events_;
};

// The delay edit's number: above 65534 is 65535, 0 or less (or no number) is 1.
int clampedDelay(std::string_view text);
// The play count entry's number: 256 or more is 255, 0 or less is 1.
int clampedPlayCount(std::string_view text);

}  // namespace macros
