#include "macros/MacroEventText.h"

#include <cctype>
#include <charconv>
#include <cstdio>

#include "macros/KeyTranslation.h"
#include "macros/MacroRecord.h"

namespace macros {

namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

bool endsWithNoCase(std::string_view s, std::string_view suffix) {
  if (s.size() < suffix.size()) return false;
  s = s.substr(s.size() - suffix.size());
  for (std::size_t i = 0; i < s.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(s[i])) !=
        std::tolower(static_cast<unsigned char>(suffix[i])))
      return false;
  return true;
}

std::string keyName(int usage) {
  std::string name = usageName(usage);
  if (name.empty()) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%02Xh", usage);
    name = hex;
  }
  return name;
}

}  // namespace

std::string eventText(const settings::MacroEvent& event) {
  return keyName(event.Key) +
         (event.Action == settings::kMacroActionRelease ? " Release" : " Press");
}

std::string delayText(int milliseconds) { return std::to_string(milliseconds) + " ms"; }

std::vector<std::string> eventLines(const settings::MacroEvent* events, int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) {
    lines.push_back(eventText(events[i]));
    if (events[i].delay() != 0) lines.push_back(delayText(events[i].delay()));
  }
  return lines;
}

ParsedEvents parseEventLines(std::string_view text) {
  ParsedEvents parsed;
  int lineNumber = 0;
  const auto fail = [&](const std::string& why) {
    parsed.events.clear();
    parsed.error = "line " + std::to_string(lineNumber) + ": " + why;
    return parsed;
  };
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = trimmed(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    ++lineNumber;
    if (line.empty()) continue;
    if (endsWithNoCase(line, " ms")) {
      const std::string_view digits = trimmed(line.substr(0, line.size() - 3));
      int ms = 0;
      const auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), ms);
      if (ec != std::errc{} || p != digits.data() + digits.size() || ms < 1 || ms > 65535)
        return fail("a delay is 1 to 65535 ms");
      if (parsed.events.empty()) return fail("a delay follows an event");
      parsed.events.back().setDelay(static_cast<std::uint16_t>(ms));
      continue;
    }
    std::uint8_t action;
    std::string_view name;
    if (endsWithNoCase(line, " press")) {
      action = settings::kMacroActionPress;
      name = trimmed(line.substr(0, line.size() - 6));
    } else if (endsWithNoCase(line, " release")) {
      action = settings::kMacroActionRelease;
      name = trimmed(line.substr(0, line.size() - 8));
    } else {
      return fail("expected \"KEY Press\", \"KEY Release\" or \"N ms\"");
    }
    const int usage = usageFromName(std::string(name));
    if (usage == kNoUsage) return fail("unknown key \"" + std::string(name) + "\"");
    if (static_cast<int>(parsed.events.size()) >= kMaxEvents)
      return fail("a macro holds at most 500 events");
    settings::MacroEvent event{};
    event.Key = static_cast<std::uint8_t>(usage);
    event.Action = action;
    parsed.events.push_back(event);
  }
  return parsed;
}

}  // namespace macros
