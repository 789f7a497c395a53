#pragma once

#include <string>
#include <vector>

#include "platform/Shell.h"

namespace platform {

// Records what would have been started, for tests; answers with `result`.
class FakeShell : public Shell {
 public:
  struct Call {
    std::string target;  // the program, file or URL
    std::vector<std::string> arguments;
    bool viaOpen = false;
  };
  bool open(std::string_view target, std::string_view parameters = {}) override {
    Call call{std::string(target), {}, true};
    if (!parameters.empty()) call.arguments.emplace_back(parameters);
    calls.push_back(std::move(call));
    return result;
  }
  bool start(std::string_view program, const std::vector<std::string>& arguments) override {
    calls.push_back({std::string(program), arguments, false});
    return result;
  }

  std::vector<Call> calls;
  bool result = true;
};

}  // namespace platform
