#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "option/TimerRecord.h"

// The user's timers: named countdown lengths kept in "config/Timer.ini" of the
// program folder and offered on the mouse buttons. The rules are those of the
// new-timer and edit-timers dialogs, so the dialogs and veskctl share them.
namespace option {

class TimerList {
 public:
  static constexpr int kMinSeconds = 15;
  static constexpr int kMaxSeconds = 999;
  static constexpr int kNewSeconds = 30;      // a new timer starts with this
  static constexpr int kNoTimerSeconds = 10;  // shown while none is selected
  static constexpr std::size_t kMaxNameLength = 24;
  // The new-timer dialog opens only while 50 or fewer exist.
  static constexpr std::size_t kMaxTimers = 51;

  // "<programFolder>config/Timer.ini"; `programFolder` ends in '/'.
  static std::string filePath(const std::string& programFolder);

  // Replaces the list with the file's timers; a missing file gives none.
  void load(const std::string& path);
  // Writes the whole list as the only content of the file, in one step: a
  // reader sees the old or the new list, never a half-written one.
  bool save(const std::string& path) const;

  std::size_t size() const { return timers_.size(); }
  bool empty() const { return timers_.empty(); }
  const std::vector<TimerRecord>& timers() const { return timers_; }
  // Nothing for a position out of range.
  const TimerRecord* at(int position) const;
  // Position of the first timer of that name, trimmed and in any letter case.
  std::optional<int> find(std::string_view name) const;

  enum class Refusal { None, EmptyName, NameTooLong, DuplicateName, SecondsOutOfRange, ListFull };
  static const char* describe(Refusal refusal);

  // The new-timer dialog's OK: appends the timer unless refused.
  Refusal add(std::string_view name, int seconds);
  // The edit dialog's Save: the selected timer takes the name and seconds
  // unless another timer already has that name.
  Refusal edit(int position, std::string_view name, int seconds);
  // Removes the timer; returns the position to select afterwards (the same
  // one, else the new last one, else none).
  std::optional<int> remove(int position);

  static std::string trimmed(std::string_view text);
  static std::string nameOf(const TimerRecord& record);

 private:
  Refusal check(std::string_view trimmedName, int seconds) const;
  static TimerRecord makeRecord(const std::string& name, int seconds);

  std::vector<TimerRecord> timers_;
};

}  // namespace option
