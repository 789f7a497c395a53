#include "macros/MacroRecorder.h"

#include <algorithm>
#include <cstring>

#include "macros/KeyTranslation.h"

namespace macros {

void MacroRecorder::load(const MacroRecord& record) {
  events_.assign(record.Events, record.Events + record.eventCount());
  lastTouched_ = -1;
}

void MacroRecorder::clear() {
  events_.clear();
  lastTouched_ = -1;
}

void MacroRecorder::storeInto(MacroRecord& record) const {
  std::memset(record.Events, 0, sizeof record.Events);
  const int count = std::min<int>(static_cast<int>(events_.size()), kMaxEvents);
  std::copy_n(events_.begin(), count, record.Events);
  record.EventCount = count;
}

void MacroRecorder::startNew() {
  clear();
  start(-1);
}

void MacroRecorder::startBefore(int event) {
  start(event >= 0 && event < static_cast<int>(events_.size()) ? event : -1);
}

void MacroRecorder::startAfter(int event) {
  start(event >= 0 && event + 1 < static_cast<int>(events_.size()) ? event + 1 : -1);
}

void MacroRecorder::start(int insertAt) {
  insertAt_ = insertAt;
  anyRecorded_ = false;
  recording_ = true;
}

void MacroRecorder::stop() {
  recording_ = false;
  previousTime_ = 0;
}

MacroRecorder::KeyOutcome MacroRecorder::key(int key, int usage, bool release,
                                             std::uint64_t milliseconds) {
  if (!recording_) return KeyOutcome::kIgnored;
  if (key == previousKey_ && release == previousRelease_) return KeyOutcome::kIgnored;
  if (usage == kNoUsage) return KeyOutcome::kIgnored;

  const int count = static_cast<int>(events_.size());
  if (count >= kMaxEvents) {
    stop();
    return KeyOutcome::kFull;
  }
  const int at = insertAt_ < 0 ? count : insertAt_;
  if (recordDelays_ && anyRecorded_ && at > 0) {
    const std::uint64_t elapsed = milliseconds >= previousTime_ ? milliseconds - previousTime_ : 0;
    events_[at - 1].setDelay(static_cast<std::uint16_t>(std::min<std::uint64_t>(elapsed, 65535)));
  }
  settings::MacroEvent event{};
  event.Key = static_cast<std::uint8_t>(usage);
  event.Action = release ? settings::kMacroActionRelease : settings::kMacroActionPress;
  events_.insert(events_.begin() + at, event);
  if (insertAt_ >= 0) ++insertAt_;
  lastTouched_ = at;

  previousTime_ = milliseconds;
  previousKey_ = key;
  previousRelease_ = release;
  anyRecorded_ = true;
  if (static_cast<int>(events_.size()) >= kMaxEvents) {
    stop();
    return KeyOutcome::kFull;
  }
  return KeyOutcome::kRecorded;
}

}  // namespace macros
