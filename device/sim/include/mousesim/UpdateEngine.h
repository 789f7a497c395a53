#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace mousesim {

// The mouse's firmware update mode (report 27 commands, report 28 status):
// entry code, image announcement, prepare, blocks checked by their
// checksums, finish installing the image.
class UpdateEngine {
 public:
  // Handles one command; the status for the next report 28 read.
  std::uint8_t command(std::span<const std::uint8_t> report, std::uint8_t& firmwareVersion);
  bool inUpdateMode() const { return mode_ != Mode::Idle; }
  std::size_t blocksReceived() const { return blocksReceived_; }
  std::size_t blocksExpected() const { return blockCount_; }

 private:
  enum class Mode { Idle, Entered, Announced, Prepared };
  std::uint8_t install(std::uint8_t& firmwareVersion);

  Mode mode_ = Mode::Idle;
  std::vector<std::uint8_t> image_;
  std::vector<bool> received_;
  std::size_t blockCount_ = 0;
  std::size_t blocksReceived_ = 0;
  std::optional<std::uint16_t> pendingBlock_;
  std::uint16_t pendingChecksum_ = 0;
};

}  // namespace mousesim
