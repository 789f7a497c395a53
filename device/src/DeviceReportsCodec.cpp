// Reports 9 (version / reset), 12 (sensor image), 14 (host active),
// 15 (tracking control), 16 (light commands) and 26 (colour database block).
#include <algorithm>
#include <cstring>

#include "device/ReportCodec.h"

namespace device::codec {
namespace {

std::uint8_t byteOf(int v) { return static_cast<std::uint8_t>(v & 0xFF); }

}  // namespace

int decodeFirmwareVersion(std::span<const std::uint8_t> report) {
  return report.size() > 2 ? report[2] : 0;
}

VersionBytes encodeResetCommand() {
  return {kVersionReport, kVersionLength, kResetCommand, 0, 0, 0};
}

SensorCaptureBytes encodeSensorCapture() { return {kSensorImageReport, 3, 1, 0}; }

SensorImage decodeSensorImage(std::span<const std::uint8_t> report) {
  SensorImage image;
  if (report.size() < kSensorPixelsOffset + kSensorPixels) return image;
  std::copy_n(report.begin() + kSensorPixelsOffset, kSensorPixels, image.pixels.begin());
  int sum = 0;
  for (std::uint8_t px : image.pixels) sum += px;
  image.mean = sum / static_cast<int>(kSensorPixels);
  return image;
}

HostActiveBytes encodeHostActive(bool active) {
  return {kHostActiveReport, kHostActiveLength, static_cast<std::uint8_t>(active ? 1 : 0)};
}

TrackingBytes encodeTrackingControl(const settings::SettingsImage& image,
                                    const Calibration& calibration, int command) {
  TrackingBytes r{kTrackingReport,           kTrackingLength,
                  byteOf(image.LiftOnFlag),  byteOf(image.TrackControlFlag),
                  byteOf(calibration.value), byteOf(calibration.state)};
  if (command == kLiftOffTrialCancelled || command == kLiftOffTrialConfirmed ||
      command == kLiftOffTrialStart) {
    r[3] = 255;
    r[4] = 255;
    r[5] = command == kLiftOffTrialCancelled ? 0 : command == kLiftOffTrialConfirmed ? 1 : 255;
  }
  return r;
}

void decodeTrackingControl(std::span<const std::uint8_t> r, settings::SettingsImage& image,
                           Calibration& calibration) {
  if (r.size() < kTrackingLength) return;
  image.LiftOnFlag = r[2];
  image.TrackControlFlag = r[3];
  calibration.value = r[4];
  calibration.state = r[5];
}

void applyCalibrationCommand(Calibration& calibration, int command) {
  switch (command) {
    case 1:
      calibration.state = 0;
      break;
    case 2:
      calibration.state = 1;
      break;
    case 3:
      calibration.value = 0;
      calibration.state = 0;
      break;
    case 4:
      calibration.value = 0;
      calibration.state = 2;
      break;
    default:
      break;
  }
}

LightCommandBytes encodeLightCommand(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
  LightCommandBytes r{};
  r[0] = kLightCommandReport;
  r[1] = kLightCommandLength;
  r[2] = a;
  r[3] = b;
  r[4] = c;
  r[5] = 255;
  return r;
}

LightCommandBytes encodeAmbientLight(bool ambientOn, std::span<const std::uint8_t, 8> colours) {
  LightCommandBytes r{};
  r[0] = kLightCommandReport;
  r[1] = kLightCommandLength;
  r[2] = r[3] = r[4] = 255;
  r[5] = 1;
  r[6] = ambientOn ? 3 : 4;
  r[7] = 1;
  std::copy(colours.begin(), colours.end(), r.begin() + 8);
  return r;
}

std::size_t colourBlockCount(std::size_t fileSize) {
  return (fileSize + kColourBlockData - 1) / kColourBlockData;
}

ColourBlockBytes encodeColourBlock(std::span<const std::uint8_t> file, std::size_t block) {
  ColourBlockBytes r{};
  r[0] = kColourBlockReport;
  writeU16(r, 1, static_cast<std::uint16_t>(block));
  const std::size_t begin = block * kColourBlockData;
  if (begin < file.size()) {
    const std::size_t n = std::min(kColourBlockData, file.size() - begin);
    std::memcpy(r.data() + kColourBlockDataOffset, file.data() + begin, n);
  }
  sealChecksum(r);
  return r;
}

}  // namespace device::codec
