#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsImage.h"

// A macro's events as text, one line per row of the key-sequence list:
// "Left Control Press", "C Release", and "120 ms" after an event with a delay.
namespace macros {

std::string eventText(const settings::MacroEvent& event);  // "A Press"
std::string delayText(int milliseconds);                   // "120 ms"
std::vector<std::string> eventLines(const settings::MacroEvent* events, int count);

struct ParsedEvents {
  std::vector<settings::MacroEvent> events;
  std::string error;  // empty when the text was read whole
};
// Reads the lines eventLines writes (names and actions case-insensitive,
// blank lines skipped). A delay line sets the delay of the event before it
// (1..65535 ms). Fails on the first line it cannot read, on a delay before
// any event and past 500 events.
ParsedEvents parseEventLines(std::string_view text);

}  // namespace macros
