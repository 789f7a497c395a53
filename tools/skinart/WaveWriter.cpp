#include "WaveWriter.h"

#include <QtEndian>
#include <cmath>
#include <cstdint>

namespace skinart {
namespace {

void u32(QByteArray& out, std::uint32_t v) {
  char b[4];
  qToLittleEndian(v, b);
  out.append(b, 4);
}
void u16(QByteArray& out, std::uint16_t v) {
  char b[2];
  qToLittleEndian(v, b);
  out.append(b, 2);
}

}  // namespace

QByteArray waveFile(const std::vector<std::int16_t>& samples, int sampleRate) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  QByteArray out("RIFF");
  u32(out, 36 + dataBytes);
  out.append("WAVEfmt ");
  u32(out, 16);
  u16(out, 1);  // PCM
  u16(out, 1);  // mono
  u32(out, static_cast<std::uint32_t>(sampleRate));
  u32(out, static_cast<std::uint32_t>(sampleRate * 2));
  u16(out, 2);
  u16(out, 16);
  out.append("data");
  u32(out, dataBytes);
  for (std::int16_t s : samples) u16(out, static_cast<std::uint16_t>(s));
  return out;
}

std::vector<std::int16_t> doubleClickSound(int sampleRate) {
  const int total = sampleRate * 22 / 100;
  std::vector<std::int16_t> samples(static_cast<std::size_t>(total), 0);
  std::uint32_t noise = 0x12345678u;
  auto click = [&](int start, double pitch) {
    const int length = sampleRate * 25 / 1000;
    for (int i = 0; i < length && start + i < total; ++i) {
      const double t = double(i) / sampleRate;
      noise = noise * 1664525u + 1013904223u;
      const double hiss = (double(noise >> 16) / 32768.0 - 1.0) * std::exp(-t * 900.0);
      const double body = std::sin(2 * M_PI * pitch * t) * std::exp(-t * 260.0);
      const double v = 0.45 * hiss + 0.55 * body;
      samples[static_cast<std::size_t>(start + i)] =
          static_cast<std::int16_t>(std::lround(v * 20000.0));
    }
  };
  click(sampleRate * 2 / 100, 2400.0);
  click(sampleRate * 13 / 100, 2600.0);
  return samples;
}

}  // namespace skinart
