#include "WaveFile.h"

#include <array>
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
  // The header is built in a fixed array: GCC 12 at -O3 doubts that a
  // vector sized at run time holds it and warns falsely.
  std::array<std::uint8_t, 44> header{};
  std::uint8_t* h = header.data();
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
  std::vector<std::uint8_t> out(header.begin(), header.end());
  out.reserve(header.size() + dataBytes);
  for (const std::int16_t sample : samples) {
    const auto v = static_cast<std::uint16_t>(sample);
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
  }
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
