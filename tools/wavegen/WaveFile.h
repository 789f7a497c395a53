#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace wavegen {

// A canonical RIFF wave file: 44-byte header, mono 16-bit PCM, data from
// byte 44 with its length at byte 40. The Monitor relies on exactly this
// form when it scales the samples in place.
class WaveFile {
 public:
  static std::vector<std::uint8_t> encode(std::span<const std::int16_t> samples, int sampleRate);
  static bool write(const std::string& path, std::span<const std::int16_t> samples, int sampleRate);
};

}  // namespace wavegen
