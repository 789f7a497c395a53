#pragma once

#include <cstdint>

#include "monitor/SoundPlayer.h"
#include "monitor/WindowPort.h"

namespace monitor {

// Feedback sounds are played 500 ms after the event that asked for them, by
// one-shot window timers, so that a burst of button presses announces only
// the last state. The countdown's final seconds and a trophy fanfare hold a
// lock that keeps other feedback quiet.
class FeedbackSounds {
 public:
  FeedbackSounds(WindowPort& window, SoundPlayer& player) : window_(window), player_(player) {}

  bool locked() const { return finalSecondsLock_ || trophyLock_; }
  bool finalSecondsLock() const { return finalSecondsLock_; }
  bool trophyLock() const { return trophyLock_; }
  void setFinalSecondsLock(bool on) { finalSecondsLock_ = on; }

  // Stops every pending sound timer (601..608, 610) and ends the trophy lock.
  void cancelPending();
  // Cancels what is pending and starts the one-shot timer of a sound.
  void schedule(std::uintptr_t soundTimer);
  void setPendingDpi(int levelValue) { pendingDpi_ = levelValue; }
  // Handles timers 601..608 and 610; false for any other id.
  bool onTimer(std::uintptr_t id, int currentProfile, int soundVolume);
  void play(int number, int soundVolume) { player_.play(number, soundVolume); }
  // Trophy fanfare: cancels pending sounds, plays it and holds the lock 4 s.
  void playTrophy(int number, int soundVolume);
  // Shutdown: every sound timer stopped.
  void stopTimers();

  static bool isSoundTimer(std::uintptr_t id);

 private:
  WindowPort& window_;
  SoundPlayer& player_;
  bool finalSecondsLock_ = false;
  bool trophyLock_ = false;
  int pendingDpi_ = 0;
};

}  // namespace monitor
