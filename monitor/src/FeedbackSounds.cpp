#include "monitor/FeedbackSounds.h"

#include "monitor/MonitorNames.h"
#include "monitor/SoundTable.h"

namespace monitor {
namespace {
constexpr std::uintptr_t kSoundTimers[] = {
    timer::kSoundProfile,  timer::kSoundWindowsProfile, timer::kSoundDpi,       timer::kSoundSensUp,
    timer::kSoundSensDown, timer::kSoundVolumeUp,       timer::kSoundVolumeDown};
}  // namespace

bool FeedbackSounds::isSoundTimer(std::uintptr_t id) {
  for (auto t : kSoundTimers)
    if (t == id) return true;
  return id == timer::kTrophyLock;
}

void FeedbackSounds::cancelPending() {
  for (auto t : kSoundTimers) window_.killTimer(t);
  window_.killTimer(timer::kTrophyLock);
  trophyLock_ = false;
}

void FeedbackSounds::schedule(std::uintptr_t soundTimer) {
  cancelPending();
  window_.setTimer(soundTimer, timer::kSoundDelayMs);
}

void FeedbackSounds::stopTimers() { cancelPending(); }

bool FeedbackSounds::onTimer(std::uintptr_t id, int currentProfile, int soundVolume) {
  if (!isSoundTimer(id)) return false;
  window_.killTimer(id);
  int number = -1;
  switch (id) {
    case timer::kSoundProfile:
      number = sound::kFirstProfile + currentProfile;
      break;
    case timer::kSoundWindowsProfile:
      number = sound::kWindowsProfile;
      break;
    case timer::kSoundDpi:
      number = pendingDpi_ * 100;
      break;
    case timer::kSoundSensUp:
      number = sound::kSensUp;
      break;
    case timer::kSoundSensDown:
      number = sound::kSensDown;
      break;
    case timer::kSoundVolumeUp:
      number = sound::kVolumeUp;
      break;
    case timer::kSoundVolumeDown:
      number = sound::kVolumeDown;
      break;
    case timer::kTrophyLock:
      trophyLock_ = false;
      return true;
    default:
      break;
  }
  player_.play(number, soundVolume);
  return true;
}

void FeedbackSounds::playTrophy(int number, int soundVolume) {
  cancelPending();
  window_.setTimer(timer::kTrophyLock, timer::kTrophyLockMs);
  player_.play(number, soundVolume);
  trophyLock_ = true;
}

}  // namespace monitor
