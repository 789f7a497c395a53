#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace portkit {

// The USB identity the library looks for (portkit.ini [Device] VID, PID).
struct DeviceIds {
  std::uint16_t vendor = 0;
  std::uint16_t product = 0;
};

// Our placeholder identity, used when portkit.ini does not name one.
inline constexpr DeviceIds kDefaultDeviceIds{0x1209, 0x0001};

// Reads [Device] "VID" and "PID" (hexadecimal, with or without 0x) from the
// INI file; a missing file, key or bad number keeps the default.
DeviceIds readDeviceIds(const std::string& iniPath);

// One hidraw node as discovery sees it.
struct HidrawNode {
  std::string devnode;  // /dev/hidrawN
  std::string sysname;  // hidrawN
  std::uint16_t vendor = 0;
  std::uint16_t product = 0;
  std::vector<std::uint8_t> reportDescriptor;
};

// "0003:0000046D:0000C52B" (the HID_ID of the hid device) -> vendor, product.
bool parseHidId(std::string_view hidId, std::uint16_t& vendor, std::uint16_t& product);
// True when the HID report descriptor declares a Feature item: the interface
// that carries the mouse's configuration reports.
bool declaresFeatureReports(std::span<const std::uint8_t> descriptor);
// The node to open for the mouse: vendor and product match, an interface with
// feature reports before one without, then the lowest node number.
std::optional<HidrawNode> chooseMouse(const std::vector<HidrawNode>& nodes, DeviceIds ids);

}  // namespace portkit
