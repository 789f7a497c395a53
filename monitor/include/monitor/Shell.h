#pragma once

#include <string_view>

namespace monitor {

// The shell's "open": starts a program (with a command line) or opens a file
// or URL with its application. False when nothing could be started.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual bool open(std::string_view path, std::string_view parameters) = 0;
};

}  // namespace monitor
