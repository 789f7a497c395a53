#pragma once

#include "platform/ForegroundProgram.h"

namespace platform {

// Answers with whatever the test put in `path`.
class FakeForegroundProgram : public ForegroundProgram {
 public:
  std::optional<std::string> executablePath() override { return path; }
  std::optional<std::string> path;
};

}  // namespace platform
