#pragma once

#include <string>

#include "monitor/LockedBuffer.h"
#include "platform/SoundOutput.h"

namespace monitor {

// Plays a feedback sound by number: loads its wave file from the sound
// folder into the locked buffer, scales it to the feedback volume and hands
// it to the sound output.
class SoundPlayer {
 public:
  SoundPlayer(platform::SoundOutput& output, std::string programFolder)
      : output_(output), programFolder_(std::move(programFolder)) {}

  // False when the number has no file or the file cannot be read.
  bool play(int number, int soundVolume);
  void stop() { output_.stop(); }
  // Stops playback and gives the buffer back.
  void release();

 private:
  platform::SoundOutput& output_;
  std::string programFolder_;
  LockedBuffer buffer_;
};

}  // namespace monitor
