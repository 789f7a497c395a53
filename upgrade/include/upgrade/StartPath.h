#pragma once

#include <string_view>

namespace upgrade {

// What the updater does first, chosen by the first character of its command
// line: the Monitor passes "1" for a newer packaged firmware and "0" for an
// older one.
enum class StartPath {
  Confirm,  // "", "1" or "2": ask before updating
  Notice,   // "0": the mouse's firmware is newer; tell the user, update nothing
  Direct,   // anything else: open the updater window at once
};

StartPath startPathFor(std::string_view commandLine);

}  // namespace upgrade
