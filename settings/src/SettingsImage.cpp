#include "settings/SettingsImage.h"

#include <algorithm>

namespace settings {

void clearChangeFlags(SettingsImage& image) {
  auto* bytes = reinterpret_cast<unsigned char*>(&image);
  std::fill(bytes + kChangeFlagsBegin, bytes + kChangeFlagsEnd, 0);
}

bool anyChangeFlag(const SettingsImage& image) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&image);
  return std::any_of(bytes + kChangeFlagsBegin, bytes + kChangeFlagsEnd,
                     [](unsigned char b) { return b != 0; });
}

void markSlotChanged(SettingsImage& image, int p, int b) {
  if (isValidProfile(p) && isValidSlot(b)) image.SlotChanged[p][b] = 1;
}

void markProfileChanged(SettingsImage& image, int p) {
  if (isValidProfile(p)) image.ProfileChanged[p] = 1;
}

void setFieldText(char* field, std::size_t fieldSize, std::string_view text) {
  if (fieldSize == 0) return;
  const std::size_t n = std::min(text.size(), fieldSize - 1);
  std::memcpy(field, text.data(), n);
  std::memset(field + n, 0, fieldSize - n);
}

std::string_view deviceNameText(std::string_view raw) {
  raw = raw.substr(0, std::min(raw.size(), kDeviceNameLength));
  if (const auto nul = raw.find('\0'); nul != std::string_view::npos) raw = raw.substr(0, nul);
  while (!raw.empty() && raw.back() == ' ') raw.remove_suffix(1);
  return raw;
}

}  // namespace settings
