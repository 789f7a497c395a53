#pragma once

#include <string>
#include <string_view>
#include <vector>

// Starting programs and opening files and URLs, as the desktop's shell does.
namespace platform {

class Shell {
 public:
  virtual ~Shell() = default;
  // The shell's "open": a program file runs directly (parameters, when not
  // empty, as its one argument); any other file, a folder or a URL opens in
  // the application the desktop associates with it. False when nothing could
  // be started.
  virtual bool open(std::string_view target, std::string_view parameters = {}) = 0;
  // Starts a program with arguments. A name without '/' is looked up on PATH.
  virtual bool start(std::string_view program, const std::vector<std::string>& arguments) = 0;
};

}  // namespace platform
