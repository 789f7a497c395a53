#pragma once

#include <cstdint>
#include <vector>

#include "macros/MacroRecord.h"

// The key-sequence recorder: keys pressed and released while it records
// become macro events, inserted at one position of the macro being edited.
// Key events come from whatever watches the keyboard (a grab of the X
// keyboard, or the focused window) with a monotonic time in milliseconds, so
// tests feed it keys at chosen times.
namespace macros {

class MacroRecorder {
 public:
  enum class KeyOutcome {
    kIgnored,  // not recording, auto-repeat, or a key macros cannot hold
    kRecorded,
    kFull,  // the macro holds 500 events (this key made the 500th, or found it full): stopped
  };

  void load(const MacroRecord& record);
  void clear();
  // Writes the events and their count; the rest of the record's events are cleared.
  void storeInto(MacroRecord& record) const;
  const std::vector<settings::MacroEvent>& events() const { return events_; }
  std::vector<settings::MacroEvent>& events() { return events_; }

  // Records delays between keys (milliseconds, at most 65535).
  void setRecordDelays(bool on) { recordDelays_ = on; }
  bool recordDelays() const { return recordDelays_; }

  // Clears the macro and records at its end.
  void startNew();
  // Keeps the macro and records before, or after, event `event`; at the end
  // when `event` is not an event of the macro.
  void startBefore(int event);
  void startAfter(int event);
  void stop();
  bool recording() const { return recording_; }

  // One key going down or up. `key` names the physical key (auto-repeat
  // repeats the same key and direction); `usage` is its translation, or
  // kNoUsage for a key macros cannot hold.
  KeyOutcome key(int key, int usage, bool release, std::uint64_t milliseconds);
  // The event the last change touched, to keep it in view; -1 for none.
  int lastTouched() const { return lastTouched_; }

 private:
  void start(int insertAt);

  std::vector<settings::MacroEvent> events_;
  bool recording_ = false;
  bool recordDelays_ = false;
  int insertAt_ = -1;  // -1: append
  bool anyRecorded_ = false;
  std::uint64_t previousTime_ = 0;
  // Kept across recordings, like the keyboard itself: a key still held when
  // a recording starts repeats and is not taken again.
  int previousKey_ = -1;
  bool previousRelease_ = false;
  int lastTouched_ = -1;
};

}  // namespace macros
