#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Firmware images for the simulated mouse: the simulator's header (magic and
// the version the image installs), then filler bytes that differ from block
// to block, so a block sent in the wrong place or with the wrong checksum is
// noticed.
namespace fwimage {

std::vector<std::uint8_t> simulatorImage(std::uint8_t version, std::size_t size);
// Writes the image beside the updater (<folder>/FWUpdate/<name>) and, when
// package is set, names it and its version in FWUpdate/config.ini, so the
// Monitor offers it to a mouse with older firmware.
bool writeImage(const std::string& folder, const std::string& name, std::uint8_t version,
                std::size_t size, bool package, std::string& error);

}  // namespace fwimage
