#pragma once

#include <optional>
#include <string>

#include "device/Transport.h"

namespace upgrade {

// The firmware version the mouse reports in report 9 (byte 3).
std::optional<int> readDeviceVersion(device::Transport& transport);
// 105 -> "1.05"; "N/A" for no answer and for values outside 100..500.
std::string deviceVersionText(std::optional<int> version);

}  // namespace upgrade
