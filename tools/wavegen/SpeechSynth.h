#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wavegen {

// Speaks a few words through the espeak-ng program when it is installed.
// Only used while generating the sound files; the suite never needs it.
class SpeechSynth {
 public:
  explicit SpeechSynth(std::string program) : program_(std::move(program)) {}
  // Mono 16-bit samples at ToneSynth::kSampleRate, or nothing when the
  // synthesizer failed or produced something else.
  std::optional<std::vector<std::int16_t>> speak(const std::string& words,
                                                 const std::string& scratchFile) const;

 private:
  std::string program_;
};

}  // namespace wavegen
