#include "macros/KeySequenceList.h"

#include <algorithm>
#include <cctype>

#include "macros/KeyTranslation.h"
#include "macros/MacroEventText.h"
#include "macros/MacroRecord.h"

namespace macros {

namespace {

// Reads a decimal number the way the entries do: leading blanks, an optional
// sign, digits up to the first other character; saturates instead of
// overflowing.
long long leadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
    value = std::min(value * 10 + (text[i] - '0'), 1LL << 40);
  return negative ? -value : value;
}

}  // namespace

std::vector<KeySequenceRow> keySequenceRows(const std::vector<settings::MacroEvent>& events) {
  std::vector<KeySequenceRow> rows;
  for (std::size_t i = 0; i < events.size(); ++i) {
    const settings::MacroEvent& e = events[i];
    int icon = e.Action == settings::kMacroActionRelease ? kIconKeyRelease : kIconKeyPress;
    if (isMouseUsage(e.Key)) icon = kIconMouse;
    rows.push_back({eventText(e), icon, static_cast<int>(i), false});
    if (e.delay() != 0)
      rows.push_back({delayText(e.delay()), kIconDelay, static_cast<int>(i), true});
  }
  return rows;
}

int clampedDelay(std::string_view text) {
  const long long n = leadingNumber(text);
  if (n > 65534) return 65535;
  if (n <= 0) return 1;
  return static_cast<int>(n);
}

int clampedPlayCount(std::string_view text) {
  const long long n = leadingNumber(text);
  if (n >= 256) return 255;
  if (n <= 0) return 1;
  return static_cast<int>(n);
}

int KeySequenceEdits::eventOfRow(int row) const {
  if (row < 0) return -1;
  const auto rows = keySequenceRows(events_);
  return row < static_cast<int>(rows.size()) ? rows[row].event : -1;
}

bool KeySequenceEdits::isDelayRow(int row) const {
  if (row < 0) return false;
  const auto rows = keySequenceRows(events_);
  return row < static_cast<int>(rows.size()) && rows[row].delay;
}

bool KeySequenceEdits::insertDelay(int row) {
  const int event = eventOfRow(row);
  if (event <= 0 || isDelayRow(row) || events_[event - 1].delay() != 0) return false;
  events_[event - 1].setDelay(1);
  return true;
}

bool KeySequenceEdits::insertMouseEvent(int row, int button, MouseClick click) {
  if (button < 0 || button > kMouseLastUsage - kMouseLeftUsage) return false;
  const int needed = click == MouseClick::kClick ? 2 : 1;
  if (static_cast<int>(events_.size()) + needed > kMaxEvents) return false;
  int at = eventOfRow(row);
  if (at < 0) at = static_cast<int>(events_.size());
  settings::MacroEvent event{};
  event.Key = static_cast<std::uint8_t>(kMouseLeftUsage + button);
  event.Action =
      click == MouseClick::kUp ? settings::kMacroActionRelease : settings::kMacroActionPress;
  events_.insert(events_.begin() + at, event);
  if (click == MouseClick::kClick) {
    event.Action = settings::kMacroActionRelease;
    events_.insert(events_.begin() + at + 1, event);
  }
  return true;
}

bool KeySequenceEdits::setDelay(int row, std::string_view text) {
  if (!isDelayRow(row)) return false;
  events_[eventOfRow(row)].setDelay(static_cast<std::uint16_t>(clampedDelay(text)));
  return true;
}

bool KeySequenceEdits::remove(int row) {
  const int event = eventOfRow(row);
  if (event < 0) return false;
  if (isDelayRow(row))
    events_[event].setDelay(0);
  else
    events_.erase(events_.begin() + event);
  return true;
}

bool KeySequenceEdits::mouseCommand(int id, int& button, MouseClick& click) {
  if (id < 1020 || id > 1034) return false;
  button = (id - 1020) / 3;
  click = static_cast<MouseClick>((id - 1020) % 3);
  return true;
}

}  // namespace macros
