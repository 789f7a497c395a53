#pragma once

#include <atomic>
#include <cstddef>
#include <functional>

#include "device/Transport.h"
#include "device/UpdateMode.h"
#include "platform/Clock.h"
#include "upgrade/FirmwareImage.h"

namespace upgrade {

// Writes a firmware image into the mouse in its update mode: enter, announce
// the image, prepare, then every block (announced with its checksum, then its
// data), then finish. Every command is followed by a status wait; time passes
// only through the given clock.
//
// The stop flag may be set from another thread: every pause then ends at
// once, the command in flight fails and the run stops before the next one.
class UpgradeRun {
 public:
  static constexpr int kStatusAttempts = 20;
  // A mouse that keeps asking for the same command again gets it this often
  // at most; after that the command counts as failed.
  static constexpr int kMaxSends = 20;
  static constexpr int kPauseStep = 100;
  // Commands 0 (enter) and 15 (finish) give the mouse this long before the
  // first status poll.
  static constexpr int kModeChangePauseMs = 500;
  // Between the commands of the start of a run.
  static constexpr int kStartPauseMs = 500;

  // The result of a status wait: the last status read, or kNoStatus when no
  // read succeeded.
  static constexpr int kNoStatus = -1;
  struct Status {
    bool done = false;
    int last = kNoStatus;
    bool sent = false;  // the command went out at least once
  };

  UpgradeRun(device::Transport& transport, platform::Clock& clock, const std::atomic<bool>& stop)
      : transport_(transport), clock_(clock), stop_(stop) {}

  // The pause before poll n (0..19).
  static int statusDelayMs(int attempt);
  // Polls report 28 up to 20 times while the mouse answers busy.
  Status waitStatus();
  // Sends the command and waits for its status; sends it again while the
  // mouse answers "repeat", at most kMaxSends times in all.
  Status sendCommand(const device::update::CommandBytes& command);
  // The whole update; blockWritten(i) after block i was taken. True on
  // success. An image must not be empty.
  bool run(const FirmwareImage& image, const std::function<void(std::size_t)>& blockWritten);

  // Sleeps ms in steps of 100 ms; false when the stop flag ended it early.
  bool pause(int ms);
  bool stopped() const { return stop_.load(); }

 private:
  device::Transport& transport_;
  platform::Clock& clock_;
  const std::atomic<bool>& stop_;
};

}  // namespace upgrade
