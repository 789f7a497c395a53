#include "upgrade/StartPath.h"

namespace upgrade {

StartPath startPathFor(std::string_view commandLine) {
  if (commandLine.empty()) return StartPath::Confirm;
  switch (commandLine.front()) {
    case '1':
    case '2':
      return StartPath::Confirm;
    case '0':
      return StartPath::Notice;
    default:
      return StartPath::Direct;
  }
}

}  // namespace upgrade
