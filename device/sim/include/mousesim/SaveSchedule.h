#pragma once

#include <cstdint>

namespace mousesim {

// When the simulator writes its state file: a change is written at most
// once per interval while reports keep changing the memory, and whatever is
// left is written at exit. Times are milliseconds of one clock.
class SaveSchedule {
 public:
  static constexpr std::int64_t kIntervalMs = 250;

  explicit SaveSchedule(std::uint64_t savedRevision, std::int64_t intervalMs = kIntervalMs)
      : savedRevision_(savedRevision), intervalMs_(intervalMs) {}

  bool pending(std::uint64_t revision) const { return revision != savedRevision_; }
  // A change is waiting and the last save is at least one interval old.
  bool due(std::uint64_t revision, std::int64_t nowMs) const {
    return pending(revision) && (!savedOnce_ || nowMs - lastSaveMs_ >= intervalMs_);
  }
  // How long the loop may sleep before a save falls due; -1: nothing waits.
  int waitMs(std::uint64_t revision, std::int64_t nowMs) const {
    if (!pending(revision)) return -1;
    if (!savedOnce_) return 0;
    const std::int64_t left = lastSaveMs_ + intervalMs_ - nowMs;
    return left > 0 ? static_cast<int>(left) : 0;
  }
  void saved(std::uint64_t revision, std::int64_t nowMs) {
    savedRevision_ = revision;
    lastSaveMs_ = nowMs;
    savedOnce_ = true;
  }

 private:
  std::uint64_t savedRevision_;
  std::int64_t intervalMs_;
  std::int64_t lastSaveMs_ = 0;
  bool savedOnce_ = false;
};

}  // namespace mousesim
