#include "option/KeyCombination.h"

#include "macros/KeyTranslation.h"

namespace option {

KeyCombination KeyCombination::fromSlotBytes(std::uint8_t key, std::uint8_t flagBits) {
  Flags flags{};
  for (int i = 0; i < kFlagCount; ++i) flags[i] = (flagBits >> i) & 1;
  return KeyCombination(key, flags);
}

std::uint8_t KeyCombination::flagByte() const {
  if (flags_[None]) return 1;
  std::uint8_t bits = 0;
  for (int i = 0; i < kFlagCount; ++i)
    if (flags_[i]) bits |= static_cast<std::uint8_t>(1 << i);
  return bits;
}

std::string KeyCombination::keyName() const { return macros::usageName(key_); }

bool KeyCombination::take(int usage) {
  // Mouse buttons share the macro table but are no keyboard shortcut.
  if (usage == macros::kNoUsage || macros::isMouseUsage(usage)) return false;
  key_ = usage;
  return true;
}

bool KeyCombination::takeLinuxKey(int keyCode) {
  return take(macros::usageFromLinuxKeyCode(keyCode));
}

bool KeyCombination::takeVirtualKey(int virtualKey) {
  return take(macros::usageFromVirtualKey(virtualKey));
}

bool KeyCombination::shownChecked(Flag flag) const {
  return flag == None ? flags_[None] : !flags_[None] && flags_[flag];
}

bool KeyCombination::enabled(Flag flag) const { return flag == None || !flags_[None]; }

}  // namespace option
