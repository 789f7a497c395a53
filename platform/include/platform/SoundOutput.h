#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string_view>

// Sound output: plays a 16-bit PCM wave held in memory, asynchronously.
namespace platform {

class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // Starts playing the wave (a whole RIFF/WAVE file in memory) and returns at
  // once; a sound still playing stops. The output keeps its own copy of what
  // it needs, so the caller may reuse the buffer. name is the file the wave
  // came from (for logs).
  virtual void play(std::string_view name, std::span<const std::byte> wave) = 0;
  // Stops what is playing.
  virtual void stop() = 0;
};

// The output chosen by VESK_SOUND: "log:FILE" logs instead of playing
// (LogSoundOutput), "none" stays silent, anything else (or unset) plays
// through the sound server when there is one (PulseSoundOutput).
std::unique_ptr<SoundOutput> makeSoundOutput();

}  // namespace platform
