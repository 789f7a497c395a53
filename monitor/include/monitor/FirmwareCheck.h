#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace monitor {

// Compares the mouse's firmware with the version packaged with the updater.
class FirmwareCheck {
 public:
  enum class Verdict { Pass, Upgrade, Downgrade };
  // An unreadable version or version 0 always passes.
  static Verdict compare(std::optional<int> mouseVersion, std::uint32_t packagedVersion);
  // Command line of the updater: "1" to go up, "0" to go down.
  static std::string updaterParameter(Verdict verdict) {
    return verdict == Verdict::Upgrade ? "1" : "0";
  }
};

}  // namespace monitor
