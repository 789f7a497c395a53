#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace mousesim {

// One feature report of the protocol as the kernel sees it: its id and its
// length in bytes, the id byte included. A report the host writes and reads
// with different lengths is declared with the longer one.
struct FeatureReportSize {
  std::uint8_t id = 0;
  std::size_t length = 0;
};

// The mouse's events travel as input reports: id, event type and value
// (16 bits each, little-endian).
inline constexpr std::uint8_t kEventInputReportId = 0x20;
inline constexpr std::size_t kEventInputReportLength = 5;

// Every feature report the suite exchanges with the mouse.
std::span<const FeatureReportSize> featureReportSizes();

// The length of an answer to a read of feature report id (0: no such report).
// The kernel asks for a report by id only, so the answer's length comes from
// here.
std::size_t featureReadLength(std::uint8_t id);

// The HID report descriptor of the mouse's configuration interface: a vendor
// collection with every feature report above (8-bit fields, one usage each)
// and the event input report (id 0x20, four bytes after the id).
std::vector<std::uint8_t> configurationReportDescriptor();

}  // namespace mousesim
