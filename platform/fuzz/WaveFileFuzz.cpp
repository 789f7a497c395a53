// libFuzzer target for the wave parser: any bytes parse or fail cleanly, and
// a parsed wave's samples all lie inside the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/WaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
  const auto wave = platform::WaveFile::parse(bytes);
  if (!wave) return 0;
  const auto samples = wave->data();
  if (samples.data() < bytes.data() || samples.data() + samples.size() > bytes.data() + size) {
    std::abort();
  }
  if (wave->channels() < 1 ||
      samples.size() % (2u * static_cast<unsigned>(wave->channels())) != 0) {
    std::abort();
  }
  volatile int peak = wave->peak();
  (void)peak;
  return 0;
}
