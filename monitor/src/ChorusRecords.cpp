#include "monitor/ChorusRecords.h"

#include <cstring>
#include <string>

namespace monitor::chorus {
namespace {

// UTF-16 up to the first NUL (at most 20 units) as UTF-8; an unpaired
// surrogate becomes '?'.
std::string utf8Name(const char16_t (&name)[20]) {
  std::string out;
  for (std::size_t i = 0; i < 20 && name[i] != 0; ++i) {
    char32_t c = name[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < 20 && name[i + 1] >= 0xDC00 &&
        name[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (name[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = '?';
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

// Longest prefix of at most max bytes that ends on a character boundary.
std::size_t fittingLength(const std::string& text, std::size_t max) {
  if (text.size() <= max) return text.size();
  std::size_t n = max;
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  return n;
}

}  // namespace

StatusRecord makeStatusRecord(std::uint32_t window, const settings::Profile* profile) {
  StatusRecord r{};
  r.vendorId = kVendorId;
  r.productId = kProductId;
  r.window = window;
  if (profile)
    for (int i = 0; i < 5; ++i) r.dpi[i] = profile->CpiLevel_X[i] * 100;
  return r;
}

DualShiftRecord makeDualShiftRecord(const settings::ButtonSlot& slot, std::uint8_t pressFlag) {
  DualShiftRecord r{};
  r.vendorId = kVendorId;
  r.productId = kProductId;
  r.vendorIdAgain = kVendorId;
  r.pressFlag = pressFlag;
  switch (slot.FunctionCode) {
    case 81:
      r.command = kShiftPeer;
      r.peerValue = static_cast<std::uint16_t>(slot.peerValue());
      break;
    case 82:
      r.command = kShiftPeerLock;
      r.peerValue = static_cast<std::uint16_t>(slot.peerValue());
      break;
    case 83:
      r.command = kShiftAll;
      r.peerValue = kAllPeers;
      break;
    case 84:
      r.command = kShiftAllLock;
      r.peerValue = kAllPeers;
      break;
    default:
      r.command = 0;
      break;
  }
  return r;
}

settings::DeviceRecord peerEntry(const PeerRecord& record) {
  settings::DeviceRecord entry{};
  entry.VID = record.kind;
  entry.PID = record.id;
  const std::string name = utf8Name(record.name);
  std::memcpy(entry.Name, name.data(), fittingLength(name, sizeof entry.Name - 1));
  static_assert(sizeof entry.Cpi == sizeof record.levels);
  std::memcpy(entry.Cpi, record.levels, sizeof record.levels);
  return entry;
}

}  // namespace monitor::chorus
