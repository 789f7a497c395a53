#pragma once

#include <string>

#include "platform/Paths.h"

namespace veskctl {

// The program folder a command works on: --folder as given, ending in a
// slash, or veskctl's own folder when the option was left out.
inline std::string programFolderOption(std::string folder) {
  if (folder.empty()) return platform::ProgramFolder();
  if (folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace veskctl
