// Reports 7 (button functions of a profile) and 8 (macro of one slot).
#include <algorithm>
#include <cstring>

#include "device/ReportCodec.h"

namespace device::codec {
namespace {

constexpr std::uint8_t kKeyPressCode = 5;
constexpr std::uint8_t kMacroCode = 48;

std::uint8_t byteOf(int v) { return static_cast<std::uint8_t>(v & 0xFF); }

// At most 24 characters, stopping at the terminator; the rest stays zero.
template <std::size_t N>
void copyName(std::span<std::uint8_t> out, const char (&name)[N]) {
  const std::string_view text = settings::fieldText(name);
  const std::size_t n = std::min(text.size(), kMacroNameLength);
  std::memcpy(out.data(), text.data(), n);
}

template <std::size_t N>
void takeName(char (&name)[N], std::span<const std::uint8_t> raw) {
  settings::setDeviceName(name,
                          std::string_view(reinterpret_cast<const char*>(raw.data()), raw.size()));
}

}  // namespace

ButtonsBytes encodeButtons(const settings::Profile& profile, int p) {
  ButtonsBytes r{};
  r[0] = kButtonsReport;
  r[1] = kButtonsLength;
  r[2] = byteOf(p);
  for (int b = 0; b < settings::kSlotCount; ++b) {
    const settings::ButtonSlot& slot = profile.MacroKeyInfo[b];
    const std::size_t at = 3 + 3 * static_cast<std::size_t>(b);
    r[at] = slot.FunctionCode;
    if (slot.FunctionCode == kKeyPressCode) {
      r[at + 1] = slot.Events[0].Action;  // modifier bits
      r[at + 2] = slot.Events[0].Key;
    }
  }
  sealChecksum(r);
  return r;
}

bool decodeButtons(std::span<const std::uint8_t> r, settings::Profile& profile) {
  if (r.size() < kButtonsLength || !checksumMatches(r.first(kButtonsLength))) return false;
  for (int b = 0; b < settings::kSlotCount; ++b) {
    settings::ButtonSlot& slot = profile.MacroKeyInfo[b];
    const std::size_t at = 3 + 3 * static_cast<std::size_t>(b);
    slot.FunctionCode = r[at];
    if (slot.FunctionCode == kKeyPressCode) {
      slot.Events[0].Action = r[at + 1];
      slot.Events[0].Key = r[at + 2];
      slot.EventCount = 1;
      settings::setFieldText(slot.Name1, "");
      settings::setFieldText(slot.Name2, "");
      settings::setFieldText(slot.Name3, "");
    }
  }
  return true;
}

MacroBytes encodeMacro(const settings::ButtonSlot& slot, int p, int b) {
  MacroBytes r{};
  r[0] = kMacroReport;
  writeU16(r, 1, static_cast<std::uint16_t>(kMacroLength));
  r[3] = byteOf(p);
  r[4] = byteOf(b);
  r[5] = byteOf(slot.MacroOption);
  copyName(std::span(r).subspan(kMacroName1Offset, kMacroNameLength), slot.Name1);
  copyName(std::span(r).subspan(kMacroName2Offset, kMacroNameLength), slot.Name2);
  copyName(std::span(r).subspan(kMacroName3Offset, kMacroNameLength), slot.Name3);
  // A count beyond the slot's capacity never leaves the host.
  const std::uint16_t count = std::min<std::uint16_t>(slot.EventCount, settings::kMaxMacroEvents);
  writeU16(r, kMacroCountOffset, count);
  std::memcpy(r.data() + kMacroEventsOffset, slot.Events, count * sizeof(settings::MacroEvent));
  sealChecksum(r);
  return r;
}

bool decodeMacro(std::span<const std::uint8_t> r, settings::ButtonSlot& slot) {
  if (r.size() < kMacroLength) return false;
  r = r.first(kMacroLength);
  if (!checksumMatches(r)) return false;
  const std::uint16_t count = readU16(r, kMacroCountOffset);
  if (count > settings::kMaxMacroEvents) return false;
  slot.ButtonNumber = r[4];
  slot.FunctionCode = kMacroCode;
  slot.MacroOption = r[5];
  takeName(slot.Name1, r.subspan(kMacroName1Offset, kMacroNameLength));
  takeName(slot.Name2, r.subspan(kMacroName2Offset, kMacroNameLength));
  takeName(slot.Name3, r.subspan(kMacroName3Offset, kMacroNameLength));
  std::memset(slot.Events, 0, sizeof slot.Events);
  std::memcpy(slot.Events, r.data() + kMacroEventsOffset, count * sizeof(settings::MacroEvent));
  slot.EventCount = count;
  return true;
}

}  // namespace device::codec
