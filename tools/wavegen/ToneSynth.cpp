#include "ToneSynth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace wavegen {
namespace {

int samplesFor(int lengthMs) { return ToneSynth::kSampleRate * lengthMs / 1000; }

// Attack of 5 ms, then an exponential decay to about -40 dB at the end.
double envelope(int i, int n) {
  const int attack = std::max(1, samplesFor(5));
  const double rise = i < attack ? static_cast<double>(i) / attack : 1.0;
  const double decay = std::exp(-4.6 * static_cast<double>(i) / n);
  return rise * decay;
}

double chime(double phase) {
  return std::sin(phase) + 0.35 * std::sin(2 * phase) + 0.15 * std::sin(3 * phase);
}

}  // namespace

void ToneSynth::note(double frequencyHz, int lengthMs, double loudness) {
  chord({frequencyHz}, lengthMs, loudness);
}

void ToneSynth::chord(const std::vector<double>& frequenciesHz, int lengthMs, double loudness) {
  const int n = samplesFor(lengthMs);
  std::vector<double> mix(n, 0.0);
  for (double f : frequenciesHz) {
    const double step = 2 * std::numbers::pi * f / kSampleRate;
    for (int i = 0; i < n; ++i) mix[i] += chime(step * i) * envelope(i, n) / 1.5;
  }
  const double voices = static_cast<double>(std::max<std::size_t>(1, frequenciesHz.size()));
  for (double& v : mix) v /= voices;
  append(mix, loudness);
}

void ToneSynth::glide(double fromHz, double toHz, int lengthMs, double loudness) {
  const int n = samplesFor(lengthMs);
  std::vector<double> mix(n, 0.0);
  double phase = 0;
  for (int i = 0; i < n; ++i) {
    const double f = fromHz + (toHz - fromHz) * i / n;
    phase += 2 * std::numbers::pi * f / kSampleRate;
    const double edge = std::min({1.0, i / (0.01 * kSampleRate), (n - i) / (0.02 * kSampleRate)});
    mix[i] = chime(phase) / 1.5 * edge;
  }
  append(mix, loudness);
}

void ToneSynth::rest(int lengthMs) { samples_.insert(samples_.end(), samplesFor(lengthMs), 0); }

void ToneSynth::append(const std::vector<double>& mix, double loudness) {
  for (double v : mix) {
    const double scaled = std::clamp(v * loudness, -1.0, 1.0) * 32767.0;
    samples_.push_back(static_cast<std::int16_t>(std::lround(scaled)));
  }
}

}  // namespace wavegen
