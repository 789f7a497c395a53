#pragma once

#include "monitor/ForegroundProgram.h"

namespace monitor {

// For a session without a desktop to ask: no program is ever in the
// foreground, so only the Windows profile rule can switch profiles.
class NoForegroundProgram : public ForegroundProgram {
 public:
  std::optional<std::string> executablePath() override { return std::nullopt; }
};

}  // namespace monitor
