#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "settings/SettingsImage.h"

namespace monitor {

// Which profile the program in the foreground asks for: the first profile
// (0..4) linking a program of the same file name, else the Windows profile
// (unless the Configuration program is open or there is none).
class ProfileSwitchRules {
 public:
  struct Target {
    int profile;
    std::uintptr_t soundTimer;  // 601 linked program, 602 Windows profile
  };
  // Nothing when no switch is due (also when the target is already active).
  static std::optional<Target> choose(const settings::SettingsImage& image,
                                      std::string_view foregroundExecutable,
                                      bool configurationOpen);
  // "C:\\Games\\Foo.EXE" and "/usr/bin/foo.exe" both give "foo.exe".
  static std::string fileNameLower(std::string_view path);
};

}  // namespace monitor
