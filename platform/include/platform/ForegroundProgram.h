#pragma once

#include <optional>
#include <string>

// Which program the user is working in.
namespace platform {

class ForegroundProgram {
 public:
  virtual ~ForegroundProgram() = default;
  // The executable of the program whose window is active; nothing when no
  // window is active or there is no desktop to ask.
  virtual std::optional<std::string> executablePath() = 0;
};

}  // namespace platform
