#include "upgrade/UpgradeRun.h"

#include <algorithm>
#include <array>

namespace upgrade {
namespace upd = device::update;

int UpgradeRun::statusDelayMs(int attempt) {
  static constexpr int kDelays[8] = {100, 100, 200, 400, 600, 1500, 500, 1500};
  return kDelays[std::clamp(attempt, 0, 7)];
}

bool UpgradeRun::pause(int ms) {
  // Steps end at fixed deadlines, so a late wake-up does not lengthen the
  // pause step by step.
  const std::int64_t end = clock_.now() + ms;
  for (std::int64_t left = ms; left > 0; left = end - clock_.now()) {
    if (stopped()) return false;
    clock_.sleep(std::min<std::int64_t>(kPauseStep, left));
  }
  return !stopped();
}

UpgradeRun::Status UpgradeRun::waitStatus() {
  Status status;
  status.sent = true;
  for (int attempt = 0; attempt < kStatusAttempts; ++attempt) {
    if (!pause(statusDelayMs(attempt))) return {false, status.last, true};
    std::array<std::uint8_t, upd::kStatusLength> report{upd::kStatusReport};
    // A failed read keeps the last status: after a busy answer the mouse is
    // asked again, before any answer the wait has failed.
    if (transport_.getFeature(report)) status.last = report[1];
    if (status.last == upd::kStatusDone) {
      status.done = true;
      return status;
    }
    if (status.last != upd::kStatusBusy) break;
  }
  return status;
}

UpgradeRun::Status UpgradeRun::sendCommand(const upd::CommandBytes& command) {
  Status status;
  for (int send = 0; send < kMaxSends; ++send) {
    if (stopped() || !transport_.setFeature(command)) return {false, kNoStatus, status.sent};
    const std::uint8_t id = command[1];
    if ((id == upd::kEnterUpdateMode || id == upd::kFinish) && !pause(kModeChangePauseMs))
      return {false, kNoStatus, true};
    status = waitStatus();
    if (status.last != upd::kStatusRepeat) return status;
  }
  // Still asked to repeat after the last send.
  status.done = false;
  return status;
}

bool UpgradeRun::run(const FirmwareImage& image,
                     const std::function<void(std::size_t)>& blockWritten) {
  if (image.empty()) return false;
  if (!sendCommand(upd::enterUpdateMode()).done || !pause(kStartPauseMs)) return false;
  if (!sendCommand(upd::announceImage(static_cast<std::uint32_t>(image.size()))).done ||
      !pause(kStartPauseMs))
    return false;
  if (!sendCommand(upd::prepare()).done || !pause(kStartPauseMs)) return false;
  for (std::size_t block = 0; block < image.blockCount(); ++block) {
    const auto index = static_cast<std::uint16_t>(block);
    if (!sendCommand(upd::announceBlock(index, image.checksum(block))).done) return false;
    if (!sendCommand(upd::blockData(image.bytes(), block)).done) return false;
    if (blockWritten) blockWritten(block);
  }
  // The mouse may restart into the new firmware before it answers the
  // finish, so a missing answer is no failure; a finish that never went out,
  // or that the mouse refused, is.
  const Status finish = sendCommand(upd::finish());
  if (finish.done) return true;
  return finish.sent && finish.last == kNoStatus && !stopped();
}

}  // namespace upgrade
