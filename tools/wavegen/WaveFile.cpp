#include "WaveFile.h"

#include <cstring>
#include <fstream>

namespace wavegen {
namespace {

void put32(std::uint8_t* at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void put16(std::uint8_t* at, std::uint16_t v) {
  at[0] = static_cast<std::uint8_t>(v);
  at[1] = static_cast<std::uint8_t>(v >> 8);
}

}  // namespace

std::vector<std::uint8_t> WaveFile::encode(std::span<const std::int16_t> samples, int sampleRate) {
  const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::vector<std::uint8_t> out(44 + dataBytes);
  std::uint8_t* h = out.data();
  std::memcpy(h, "RIFF", 4);
  put32(h + 4, 36 + dataBytes);
  std::memcpy(h + 8, "WAVEfmt ", 8);
  put32(h + 16, 16);
  put16(h + 20, 1);  // PCM
  put16(h + 22, 1);  // mono
  put32(h + 24, static_cast<std::uint32_t>(sampleRate));
  put32(h + 28, static_cast<std::uint32_t>(sampleRate * 2));
  put16(h + 32, 2);
  put16(h + 34, 16);
  std::memcpy(h + 36, "data", 4);
  put32(h + 40, dataBytes);
  for (std::size_t i = 0; i < samples.size(); ++i)
    put16(h + 44 + 2 * i, static_cast<std::uint16_t>(samples[i]));
  return out;
}

bool WaveFile::write(const std::string& path, std::span<const std::int16_t> samples,
                     int sampleRate) {
  const auto bytes = encode(samples, sampleRate);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace wavegen
