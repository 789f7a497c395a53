#include "mousesim/UpdateEngine.h"

#include <algorithm>

#include "device/UpdateMode.h"

namespace mousesim {
namespace upd = device::update;
namespace {

bool matches(std::span<const std::uint8_t> report, std::size_t at,
             std::span<const std::uint8_t> expected) {
  return std::equal(expected.begin(), expected.end(), report.begin() + static_cast<long>(at));
}

}  // namespace

std::uint8_t UpdateEngine::command(std::span<const std::uint8_t> r, std::uint8_t& firmwareVersion) {
  if (r.size() != upd::kCommandLength) return upd::kStatusFailed;
  switch (r[1]) {
    case upd::kEnterUpdateMode:
      if (!matches(r, 4, upd::kModeEntryCode)) return upd::kStatusFailed;
      mode_ = Mode::Entered;
      pendingBlock_.reset();
      return upd::kStatusDone;
    case upd::kAnnounceImage: {
      if (mode_ == Mode::Idle || !matches(r, 8, upd::kUpdateSignature)) return upd::kStatusFailed;
      const std::uint32_t size = static_cast<std::uint32_t>(r[4] | (r[5] << 8) | (r[6] << 16)) |
                                 (static_cast<std::uint32_t>(r[7]) << 24);
      if (size == 0 || size > upd::kMaxImageSize) return upd::kStatusFailed;
      image_.assign(size, 0);
      blockCount_ = upd::blockCount(size);
      received_.assign(blockCount_, false);
      blocksReceived_ = 0;
      mode_ = Mode::Announced;
      return upd::kStatusDone;
    }
    case upd::kPrepare:
      if (mode_ != Mode::Announced || r[4] != upd::kPrepareValue) return upd::kStatusFailed;
      mode_ = Mode::Prepared;
      return upd::kStatusDone;
    case upd::kAnnounceBlock: {
      const auto index = static_cast<std::uint16_t>(r[4] | (r[5] << 8));
      if (mode_ != Mode::Prepared || index >= blockCount_ ||
          !matches(r, 8, upd::kUpdateSignature)) {
        return upd::kStatusFailed;
      }
      pendingBlock_ = index;
      pendingChecksum_ = static_cast<std::uint16_t>(r[6] | (r[7] << 8));
      return upd::kStatusDone;
    }
    case upd::kBlockData: {
      if (mode_ != Mode::Prepared || !pendingBlock_) return upd::kStatusFailed;
      const std::size_t block = *pendingBlock_;
      pendingBlock_.reset();
      const auto data = r.subspan(upd::kCommandDataOffset, upd::kBlockSize);
      std::uint16_t sum = 0;
      for (std::uint8_t b : data) sum = static_cast<std::uint16_t>(sum + b);
      if (sum != pendingChecksum_) return upd::kStatusFailed;
      const std::size_t begin = block * upd::kBlockSize;
      const std::size_t n = std::min(upd::kBlockSize, image_.size() - begin);
      std::copy_n(data.begin(), n, image_.begin() + static_cast<long>(begin));
      if (!received_[block]) ++blocksReceived_;
      received_[block] = true;
      return upd::kStatusDone;
    }
    case upd::kFinish:
      return install(firmwareVersion);
    default:
      return upd::kStatusFailed;
  }
}

std::uint8_t UpdateEngine::install(std::uint8_t& firmwareVersion) {
  const bool complete =
      mode_ == Mode::Prepared && blockCount_ > 0 && blocksReceived_ == blockCount_;
  mode_ = Mode::Idle;
  pendingBlock_.reset();
  if (!complete) return upd::kStatusFailed;
  const bool named = image_.size() > upd::kImageVersionOffset &&
                     std::equal(upd::kImageMagic.begin(), upd::kImageMagic.end(), image_.begin());
  firmwareVersion =
      named ? image_[upd::kImageVersionOffset] : static_cast<std::uint8_t>(firmwareVersion + 1);
  image_.clear();
  received_.clear();
  blockCount_ = blocksReceived_ = 0;
  return upd::kStatusDone;
}

}  // namespace mousesim
