#pragma once

#include <exception>
#include <iostream>
#include <string>
#include <string_view>

#include <CLI/CLI.hpp>

#include "platform/Paths.h"

// What every veskctl command group shares: the program folder option, the
// way a command fails, and the guard that turns an unexpected exception into
// that failure.
namespace veskctl {

// The program folder a command works on: --folder as given, ending in a
// slash, or veskctl's own folder when the option was left out.
inline std::string programFolderOption(std::string folder) {
  if (folder.empty()) return platform::ProgramFolder();
  if (folder.back() != '/') folder += '/';
  return folder;
}

// Prints "PREFIX: message" on stderr and ends the command with `code`.
[[noreturn]] inline void failCommand(std::string_view prefix, const std::string& message,
                                     int code = 1) {
  std::cerr << prefix << ": " << message << "\n";
  throw CLI::RuntimeError(code);
}

// Runs a command; anything it throws other than CLI's own exit becomes a
// clear error and exit code 1 instead of an abort.
template <typename Run, typename Options>
void runGuarded(std::string_view prefix, Run run, const Options& options) {
  try {
    run(options);
  } catch (const CLI::Error&) {
    throw;
  } catch (const std::exception& e) {
    failCommand(prefix, e.what());
  }
}

}  // namespace veskctl
