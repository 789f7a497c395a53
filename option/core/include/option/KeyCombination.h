#pragma once

#include <array>
#include <cstdint>
#include <string>

// The key shortcut a button sends: one key (USB HID usage, taken by its
// physical position) and the five modifier flags None, Shift, Ctrl, Alt, Win
// in that order. None stands alone: while it is set the other four are
// greyed out but keep their states for when it is cleared again.
namespace option {

class KeyCombination {
 public:
  enum Flag { None, Shift, Ctrl, Alt, Win, kFlagCount };
  using Flags = std::array<bool, kFlagCount>;

  KeyCombination(int key, const Flags& flags) : key_(key), flags_(flags) {}
  // From a slot's first key event: byte 0 the key, byte 1 the flags as bits
  // (bit i = flag i).
  static KeyCombination fromSlotBytes(std::uint8_t key, std::uint8_t flagBits);
  // Byte 1 of the slot's key event: the flags as bits, except that None
  // alone gives 1 whatever the others hold.
  std::uint8_t flagByte() const;

  int key() const { return key_; }
  // The key's display name ("" for none).
  std::string keyName() const;
  const Flags& flags() const { return flags_; }

  // A key pressed or released, by its Linux input code (X keycode - 8) or,
  // where the physical key is unknown, by its Windows virtual-key code.
  // Keys macros cannot hold are ignored (false).
  bool takeLinuxKey(int keyCode);
  bool takeVirtualKey(int virtualKey);

  // A click on a modifier's check button: its flag takes the new state.
  void setFlag(Flag flag, bool on) { flags_[flag] = on; }
  // What the check buttons show.
  bool shownChecked(Flag flag) const;
  bool enabled(Flag flag) const;

 private:
  bool take(int usage);

  int key_;
  Flags flags_;
};

}  // namespace option
