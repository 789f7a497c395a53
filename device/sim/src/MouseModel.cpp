#include "mousesim/MouseModel.h"

#include <algorithm>

#include "device/DeviceEvents.h"
#include "device/UpdateMode.h"

namespace mousesim {
namespace {

using namespace device;

constexpr std::uint8_t kStatusFailed = 2;

// Reports the host both writes and reads, with one length either way.
std::size_t twoWayLength(std::uint8_t id) {
  switch (id) {
    case kSelectReport:
      return kSelectLength;
    case kCurrentProfileReport:
      return kCurrentProfileLength;
    case kProfileSettingsReport:
      return kProfileSettingsLength;
    case kButtonsReport:
      return kButtonsLength;
    case kMacroReport:
      return kMacroLength;
    case kVersionReport:
      return kVersionLength;
    case kTrackingReport:
      return kTrackingLength;
    default:
      return 0;
  }
}

std::size_t setLength(std::uint8_t id) {
  switch (id) {
    case kSensorImageReport:
      return kSensorCaptureLength;
    case kHostActiveReport:
      return kHostActiveLength;
    case kLightCommandReport:
      return kLightCommandLength;
    case kColourBlockReport:
      return kColourBlockLength;
    case update::kCommandReport:
      return update::kCommandLength;
    default:
      return twoWayLength(id);
  }
}

std::size_t getLength(std::uint8_t id) {
  switch (id) {
    case kSensorImageReport:
      return kSensorImageLength;
    case update::kStatusReport:
      return update::kStatusLength;
    default:
      return twoWayLength(id);
  }
}

}  // namespace

MouseModel::MouseModel() : MouseModel(factoryMemory(kFactoryFirmwareVersion)) {}

MouseModel::MouseModel(MouseMemory memory) : memory_(std::move(memory)) {
  if (memory_.currentProfile >= settings::kProfileCount) memory_.currentProfile = 0;
}

void MouseModel::restoreFactory() {
  memory_ = factoryMemory(memory_.firmwareVersion);
  liftOffTrial_ = false;
  changed();
}

bool MouseModel::takeFault(std::map<std::uint8_t, int>& faults, std::uint8_t id) {
  auto it = faults.find(id);
  if (it == faults.end() || it->second <= 0) return false;
  if (--it->second == 0) faults.erase(it);
  return true;
}

void MouseModel::countReport() {
  if (unplugCountdown_ > 0 && --unplugCountdown_ == 0) {
    unplugCountdown_ = -1;
    unplug();
  }
}

bool MouseModel::setFeature(std::span<const std::uint8_t> r) {
  if (!plugged_ || r.empty()) return false;
  if (reportObserver_) reportObserver_(true, r);
  bool ok = false;
  if (!takeFault(failSet_, r[0]) && r.size() == setLength(r[0])) {
    if (r[0] == update::kCommandReport) {
      updateStatus_ = update_.command(r, memory_.firmwareVersion);
      changed();
    } else {
      status_ = handleSet(r);
    }
    ok = true;
  }
  countReport();
  return ok;
}

bool MouseModel::getFeature(std::span<std::uint8_t> r) {
  if (!plugged_ || r.empty()) return false;
  bool ok = false;
  if (!takeFault(failGet_, r[0]) && r.size() == getLength(r[0])) ok = handleGet(r);
  if (reportObserver_) reportObserver_(false, r);
  countReport();
  return ok;
}

std::uint8_t MouseModel::handleSet(std::span<const std::uint8_t> r) {
  switch (r[0]) {
    case kSelectReport: {
      const bool slot = r[2] < settings::kSlotCount;
      if (r[1] >= settings::kProfileCount ||
          !(slot || r[2] == kSelectProfileSettings || r[2] == kSelectButtons)) {
        return kStatusFailed;
      }
      selectedProfile_ = r[1];
      selectedWhat_ = r[2];
      return kStatusDone;
    }
    case kCurrentProfileReport:
      if (r[2] >= settings::kProfileCount) return kStatusFailed;
      memory_.currentProfile = r[2];
      changed();
      return kStatusDone;
    case kProfileSettingsReport:
      if (r[2] >= settings::kProfileCount || !checksumMatches(r)) return kStatusFailed;
      std::copy(r.begin(), r.end(), memory_.profiles[r[2]].settings.begin());
      changed();
      return kStatusDone;
    case kButtonsReport:
      if (r[2] >= settings::kProfileCount || !checksumMatches(r)) return kStatusFailed;
      std::copy(r.begin(), r.end(), memory_.profiles[r[2]].buttons.begin());
      changed();
      return kStatusDone;
    case kMacroReport:
      if (r[3] >= settings::kProfileCount || r[4] >= settings::kSlotCount || !checksumMatches(r) ||
          readU16(r, kMacroCountOffset) > settings::kMaxMacroEvents) {
        return kStatusFailed;
      }
      std::copy(r.begin(), r.end(), memory_.profiles[r[3]].macros[r[4]].begin());
      changed();
      return kStatusDone;
    case kVersionReport:
      if (r[2] != kResetCommand) return kStatusFailed;
      restoreFactory();
      return kStatusDone;
    case kSensorImageReport:
      if (r[1] != 3 || r[2] != 1) return kStatusFailed;
      captureSensorImage();
      return kStatusDone;
    case kHostActiveReport:
      memory_.hostActive = r[2] == 1;
      changed();
      return kStatusDone;
    case kTrackingReport:
      return handleTracking(r);
    case kLightCommandReport:
      std::copy(r.begin(), r.end(), memory_.lastLightCommand.begin());
      changed();
      return kStatusDone;
    case kColourBlockReport:
      return handleColourBlock(r);
    default:
      return kStatusFailed;
  }
}

std::uint8_t MouseModel::handleTracking(std::span<const std::uint8_t> r) {
  const bool trial = r[3] == 255 && r[4] == 255 && (r[5] == 0 || r[5] == 1 || r[5] == 255);
  if (trial) {
    // Lift-off trial: try byte 2's lift-off setting, then keep or restore it.
    if (r[5] == 255) {
      if (!liftOffTrial_) liftOnBeforeTrial_ = memory_.liftOn;
      liftOffTrial_ = true;
      memory_.liftOn = r[2];
    } else if (r[5] == 1) {
      memory_.liftOn = r[2];
      liftOffTrial_ = false;
    } else {
      if (liftOffTrial_) memory_.liftOn = liftOnBeforeTrial_;
      liftOffTrial_ = false;
    }
    changed();
    return kStatusDone;
  }
  memory_.liftOn = r[2];
  memory_.trackControl = r[3];
  memory_.calibrationValue = r[4];
  memory_.calibrationState = r[5];
  changed();
  // A run (state 0 with a sampled value) ends with the calibration outcome:
  // the firmware checks the surface it lies on now, so a run retried after
  // the mouse was moved to a better surface succeeds with the earlier value.
  if (r[5] == 0 && r[4] != 0) emitEvent(event::kCalibration, surface_ == Surface::Good ? 1 : 2);
  return kStatusDone;
}

std::uint8_t MouseModel::handleColourBlock(std::span<const std::uint8_t> r) {
  // The mouse's colour memory holds 256 blocks.
  constexpr std::size_t kColourMemoryBlocks = 256;
  const std::size_t block = readU16(r, 1);
  if (!checksumMatches(r) || block >= kColourMemoryBlocks) return kStatusFailed;
  const std::size_t end = (block + 1) * kColourBlockData;
  if (memory_.colourDatabase.size() < end) memory_.colourDatabase.resize(end, 0);
  std::copy_n(r.begin() + kColourBlockDataOffset, kColourBlockData,
              memory_.colourDatabase.begin() + static_cast<long>(block * kColourBlockData));
  changed();
  return kStatusDone;
}

void MouseModel::captureSensorImage() {
  ++captures_;
  // A textured surface gives values around 127 with strong grain; a poor one
  // a dim, nearly flat picture. Either drifts a little per capture, as the
  // mouse never lies perfectly still.
  const bool good = surface_ == Surface::Good;
  const std::size_t drift = static_cast<std::size_t>(captures_) * 5;
  for (std::size_t y = 0; y < kSensorSide; ++y) {
    for (std::size_t x = 0; x < kSensorSide; ++x) {
      const std::size_t grain = (x * 7 + y * 13 + drift) % 64;
      memory_.sensorImage[y * kSensorSide + x] =
          static_cast<std::uint8_t>(good ? 96 + grain : 8 + grain / 8);
    }
  }
  changed();
}

std::uint8_t MouseModel::pollStatus(std::uint8_t statusReport, std::uint8_t status) {
  int& busy = busyPolls_[statusReport];
  if (busy > 0) {
    --busy;
    return kStatusBusy;
  }
  if (statusReport != update::kStatusReport) return status;
  if (repeatUpdateStatus_ > 0) {
    --repeatUpdateStatus_;
    return update::kStatusRepeat;
  }
  if (failUpdateStatus_ > 0) {
    --failUpdateStatus_;
    return update::kStatusFailed;
  }
  return status;
}

void MouseModel::updateStatusFault(UpdateFault fault, int reads) {
  (fault == UpdateFault::Repeat ? repeatUpdateStatus_ : failUpdateStatus_) = reads;
}

bool MouseModel::handleGet(std::span<std::uint8_t> r) {
  std::fill(r.begin() + 1, r.end(), 0);
  switch (r[0]) {
    case kSelectReport:
      r[1] = pollStatus(kSelectReport, status_);
      return true;
    case kCurrentProfileReport:
      r[1] = 3;
      r[2] = memory_.currentProfile;
      return true;
    case kProfileSettingsReport: {
      // Each read returns what report 4 selected last, as for the macros.
      if (selectedWhat_ != kSelectProfileSettings) return false;
      const auto& stored = memory_.profiles[selectedProfile_].settings;
      std::copy(stored.begin(), stored.end(), r.begin());
      r[2] = static_cast<std::uint8_t>(selectedProfile_);
      sealChecksum(r);
      return true;
    }
    case kButtonsReport:
    case kMacroReport: {
      if (r[0] == kMacroReport && selectedWhat_ >= settings::kSlotCount) return false;
      if (r[0] == kButtonsReport && selectedWhat_ != kSelectButtons) return false;
      if (r[0] == kButtonsReport) {
        const auto& stored = memory_.profiles[selectedProfile_].buttons;
        std::copy(stored.begin(), stored.end(), r.begin());
        r[2] = static_cast<std::uint8_t>(selectedProfile_);
      } else {
        const auto& stored = memory_.profiles[selectedProfile_].macros[selectedWhat_];
        std::copy(stored.begin(), stored.end(), r.begin());
        r[3] = static_cast<std::uint8_t>(selectedProfile_);
        r[4] = static_cast<std::uint8_t>(selectedWhat_);
      }
      sealChecksum(r);
      if (corrupt_[r[0]]) {
        corrupt_[r[0]] = false;
        r[r.size() - 1] ^= 0x5A;
      }
      return true;
    }
    case kVersionReport:
      r[1] = kVersionLength;
      // The version is answered in bytes 2 and 3: readers of either find it.
      r[2] = r[3] = memory_.firmwareVersion;
      return true;
    case kSensorImageReport:
      writeU16(r, 1, static_cast<std::uint16_t>(kSensorImageLength));
      std::copy(memory_.sensorImage.begin(), memory_.sensorImage.end(),
                r.begin() + kSensorPixelsOffset);
      return true;
    case kTrackingReport:
      r[1] = kTrackingLength;
      r[2] = memory_.liftOn;
      r[3] = memory_.trackControl;
      r[4] = memory_.calibrationValue;
      r[5] = memory_.calibrationState;
      return true;
    case update::kStatusReport:
      r[1] = pollStatus(update::kStatusReport, updateStatus_);
      return true;
    default:
      return false;
  }
}

bool MouseModel::corruptNext(std::uint8_t id) {
  if (id != kButtonsReport && id != kMacroReport) return false;
  corrupt_[id] = true;
  return true;
}

void MouseModel::unplug() {
  unplugCountdown_ = -1;
  if (!plugged_) return;
  plugged_ = false;
  if (plugSink_) plugSink_(false);
}

void MouseModel::unplugAfter(int reports) {
  if (reports <= 0) {
    unplug();
  } else {
    unplugCountdown_ = reports;
  }
}

void MouseModel::plug() {
  if (plugged_) return;
  plugged_ = true;
  selectedProfile_ = 0;
  selectedWhat_ = kSelectProfileSettings;
  status_ = kStatusDone;
  if (plugSink_) plugSink_(true);
}

void MouseModel::setFirmwareVersion(std::uint8_t version) {
  memory_.firmwareVersion = version;
  changed();
}

bool MouseModel::emitEvent(std::uint16_t type, std::uint16_t value) {
  if (!plugged_) return false;
  if (eventSink_) eventSink_(type, value);
  return true;
}

}  // namespace mousesim
