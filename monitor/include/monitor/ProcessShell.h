#pragma once

#include "monitor/Shell.h"

namespace monitor {

// "open" on this desktop: an executable file is started with the parameters
// as its one argument; anything else goes to xdg-open. The child is detached
// so the Monitor never leaves zombies behind.
class ProcessShell : public Shell {
 public:
  bool open(std::string_view path, std::string_view parameters) override;
};

}  // namespace monitor
