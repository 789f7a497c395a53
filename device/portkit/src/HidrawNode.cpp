#include "portkit/HidrawNode.h"

#include <algorithm>
#include <charconv>

#include "settings/IniFile.h"

namespace portkit {
namespace {

bool parseHex(std::string_view text, std::uint32_t& out) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text.remove_prefix(2);
  if (text.empty()) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out, 16);
  return ec == std::errc() && end == text.data() + text.size();
}

// hidraw10 after hidraw9.
std::pair<std::size_t, std::string> nodeOrder(const HidrawNode& n) {
  const auto digits = n.sysname.find_first_of("0123456789");
  std::size_t number = 0;
  if (digits != std::string::npos) {
    std::from_chars(n.sysname.data() + digits, n.sysname.data() + n.sysname.size(), number);
  }
  return {number, n.sysname};
}

}  // namespace

DeviceIds readDeviceIds(const std::string& iniPath) {
  DeviceIds ids = kDefaultDeviceIds;
  settings::IniFile ini(iniPath);
  std::uint32_t v = 0;
  if (parseHex(ini.ReadString("Device", "VID", ""), v) && v <= 0xFFFF) {
    ids.vendor = static_cast<std::uint16_t>(v);
  }
  if (parseHex(ini.ReadString("Device", "PID", ""), v) && v <= 0xFFFF) {
    ids.product = static_cast<std::uint16_t>(v);
  }
  return ids;
}

bool parseHidId(std::string_view hidId, std::uint16_t& vendor, std::uint16_t& product) {
  const auto first = hidId.find(':');
  const auto second = first == std::string_view::npos ? first : hidId.find(':', first + 1);
  if (second == std::string_view::npos) return false;
  std::uint32_t v = 0;
  std::uint32_t p = 0;
  if (!parseHex(hidId.substr(first + 1, second - first - 1), v) ||
      !parseHex(hidId.substr(second + 1), p) || v > 0xFFFF || p > 0xFFFF) {
    return false;
  }
  vendor = static_cast<std::uint16_t>(v);
  product = static_cast<std::uint16_t>(p);
  return true;
}

bool declaresFeatureReports(std::span<const std::uint8_t> d) {
  constexpr std::uint8_t kFeatureTag = 0xB0;  // main item, tag 1011
  std::size_t i = 0;
  while (i < d.size()) {
    const std::uint8_t prefix = d[i];
    if (prefix == 0xFE) {  // long item: size byte, tag byte, data
      if (i + 1 >= d.size()) return false;
      i += 3 + d[i + 1];
      continue;
    }
    const std::size_t size = (prefix & 3) == 3 ? 4 : (prefix & 3);
    if ((prefix & 0xFC) == kFeatureTag) return true;
    i += 1 + size;
  }
  return false;
}

std::optional<HidrawNode> chooseMouse(const std::vector<HidrawNode>& nodes, DeviceIds ids) {
  std::vector<const HidrawNode*> matching;
  for (const HidrawNode& n : nodes) {
    if (n.vendor == ids.vendor && n.product == ids.product && !n.devnode.empty()) {
      matching.push_back(&n);
    }
  }
  if (matching.empty()) return std::nullopt;
  std::sort(matching.begin(), matching.end(), [](const HidrawNode* a, const HidrawNode* b) {
    const bool fa = declaresFeatureReports(a->reportDescriptor);
    const bool fb = declaresFeatureReports(b->reportDescriptor);
    if (fa != fb) return fa;
    return nodeOrder(*a) < nodeOrder(*b);
  });
  return *matching.front();
}

}  // namespace portkit
