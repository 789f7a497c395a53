#include "platform/WaveFile.h"

#include <cstring>

namespace platform {
namespace {

constexpr std::size_t kChunkHeader = 8;
constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr int kMaxChannels = 8;
constexpr std::uint32_t kMaxSampleRate = 768000;

std::uint16_t read16(std::span<const std::byte> b, std::size_t at) {
  return static_cast<std::uint16_t>(std::to_integer<unsigned>(b[at]) |
                                    (std::to_integer<unsigned>(b[at + 1]) << 8));
}

std::uint32_t read32(std::span<const std::byte> b, std::size_t at) {
  return static_cast<std::uint32_t>(read16(b, at)) |
         (static_cast<std::uint32_t>(read16(b, at + 2)) << 16);
}

bool tagIs(std::span<const std::byte> b, std::size_t at, const char (&tag)[5]) {
  return std::memcmp(b.data() + at, tag, 4) == 0;
}

std::nullopt_t fail(std::string* error, const char* reason) {
  if (error) *error = reason;
  return std::nullopt;
}

}  // namespace

std::optional<WaveFile> WaveFile::parse(std::span<const std::byte> bytes, std::string* error) {
  if (bytes.size() < 12 || !tagIs(bytes, 0, "RIFF") || !tagIs(bytes, 8, "WAVE")) {
    return fail(error, "not a RIFF/WAVE file");
  }
  // The RIFF size may overstate (a file cut short) or understate (trailing
  // bytes); only what both allow is read.
  const std::uint64_t riffEnd = std::uint64_t{read32(bytes, 4)} + 8;
  const std::size_t end = riffEnd < bytes.size() ? static_cast<std::size_t>(riffEnd) : bytes.size();

  bool haveFormat = false;
  WaveFile result;
  std::size_t pos = 12;
  while (pos + kChunkHeader <= end) {
    const std::uint64_t size = read32(bytes, pos + 4);
    const std::size_t body = pos + kChunkHeader;
    const std::size_t available = end - body;
    if (tagIs(bytes, pos, "fmt ")) {
      if (size < 16 || size > available) return fail(error, "format chunk too short");
      const std::uint16_t format = read16(bytes, body);
      const int channels = read16(bytes, body + 2);
      const std::uint32_t rate = read32(bytes, body + 4);
      const std::uint16_t blockAlign = read16(bytes, body + 12);
      const std::uint16_t bits = read16(bytes, body + 14);
      bool pcm = format == kFormatPcm;
      if (format == kFormatExtensible && size >= 40) {
        pcm = read16(bytes, body + 24) == kFormatPcm;  // first bytes of the sub-format GUID
      }
      if (!pcm) return fail(error, "not PCM");
      if (bits != 16) return fail(error, "not 16-bit samples");
      if (channels < 1 || channels > kMaxChannels) return fail(error, "bad channel count");
      if (rate == 0 || rate > kMaxSampleRate) return fail(error, "bad sample rate");
      if (blockAlign != channels * 2) return fail(error, "bad block alignment");
      result.channels_ = channels;
      result.sampleRate_ = rate;
      haveFormat = true;
    } else if (tagIs(bytes, pos, "data")) {
      if (!haveFormat) return fail(error, "data before format");
      std::size_t length = static_cast<std::size_t>(size < available ? size : available);
      result.truncated_ = size > available;
      const std::size_t frameBytes = 2u * static_cast<unsigned>(result.channels_);
      length -= length % frameBytes;
      result.data_ = bytes.subspan(body, length);
      return result;
    }
    if (size > available) break;
    pos = body + static_cast<std::size_t>(size) + (size & 1);  // chunks are padded to even size
  }
  return fail(error, haveFormat ? "no data chunk" : "no format chunk");
}

std::int16_t WaveFile::sample(std::size_t index) const {
  return static_cast<std::int16_t>(read16(data_, index * 2));
}

int WaveFile::peak() const {
  int loudest = 0;
  for (std::size_t i = 0; i < sampleCount(); ++i) {
    const int value = sample(i);
    const int magnitude = value < 0 ? -value : value;
    if (magnitude > loudest) loudest = magnitude;
  }
  return loudest;
}

}  // namespace platform
