#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

// A RIFF/WAVE file of 16-bit PCM samples held in memory.
namespace platform {

class WaveFile {
 public:
  // Reads the format and finds the sample data that follows it. Unknown
  // chunks are skipped; a data chunk longer than the file is cut to
  // the whole frames present. The result views `bytes`, which must outlive
  // it. nullopt, with the reason in *error, for
  // anything that is not a well-formed 16-bit PCM wave.
  static std::optional<WaveFile> parse(std::span<const std::byte> bytes,
                                       std::string* error = nullptr);

  int channels() const { return channels_; }
  std::uint32_t sampleRate() const { return sampleRate_; }
  // Interleaved little-endian 16-bit samples: frames() x channels() of them.
  std::span<const std::byte> data() const { return data_; }
  std::size_t frames() const { return data_.size() / (2u * static_cast<unsigned>(channels_)); }
  std::size_t sampleCount() const { return data_.size() / 2; }
  std::int16_t sample(std::size_t index) const;
  // Largest absolute sample value (0..32768).
  int peak() const;
  // The data chunk said it held more than the file has.
  bool truncated() const { return truncated_; }

 private:
  WaveFile() = default;
  int channels_ = 0;
  std::uint32_t sampleRate_ = 0;
  std::span<const std::byte> data_;
  bool truncated_ = false;
};

}  // namespace platform
