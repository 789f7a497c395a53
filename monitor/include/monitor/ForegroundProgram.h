#pragma once

#include <optional>
#include <string>

namespace monitor {

// The executable of the program whose window is in the foreground; nothing
// when there is no such window (or no desktop to ask).
class ForegroundProgram {
 public:
  virtual ~ForegroundProgram() = default;
  virtual std::optional<std::string> executablePath() = 0;
};

}  // namespace monitor
