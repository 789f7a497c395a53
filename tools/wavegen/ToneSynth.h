#pragma once

#include <cstdint>
#include <vector>

namespace wavegen {

// Builds short feedback sounds out of enveloped sine notes, glides and rests.
// Everything is deterministic so that the generated files are reproducible.
class ToneSynth {
 public:
  static constexpr int kSampleRate = 22050;

  // A note with a soft attack and an exponential decay, mixed from the
  // fundamental and two quieter harmonics so it sounds like a small chime.
  void note(double frequencyHz, int lengthMs, double loudness = 0.8);
  // A pitch sweep from one frequency to another.
  void glide(double fromHz, double toHz, int lengthMs, double loudness = 0.7);
  // Several notes sounding at once.
  void chord(const std::vector<double>& frequenciesHz, int lengthMs, double loudness = 0.8);
  void rest(int lengthMs);

  const std::vector<std::int16_t>& samples() const { return samples_; }

 private:
  void append(const std::vector<double>& mix, double loudness);
  std::vector<std::int16_t> samples_;
};

}  // namespace wavegen
