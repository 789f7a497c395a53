#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "device/Reports.h"
#include "settings/SettingsImage.h"

// Encoders and decoders of the feature reports: pure functions between report
// bytes and the settings image. Decoders that can refuse a report return
// false and then leave the image untouched.
namespace device::codec {

using SelectBytes = std::array<std::uint8_t, kSelectLength>;
using CurrentProfileBytes = std::array<std::uint8_t, kCurrentProfileLength>;
using ProfileSettingsBytes = std::array<std::uint8_t, kProfileSettingsLength>;
using ButtonsBytes = std::array<std::uint8_t, kButtonsLength>;
using MacroBytes = std::array<std::uint8_t, kMacroLength>;
using VersionBytes = std::array<std::uint8_t, kVersionLength>;
using SensorCaptureBytes = std::array<std::uint8_t, kSensorCaptureLength>;
using HostActiveBytes = std::array<std::uint8_t, kHostActiveLength>;
using TrackingBytes = std::array<std::uint8_t, kTrackingLength>;
using LightCommandBytes = std::array<std::uint8_t, kLightCommandLength>;
using ColourBlockBytes = std::array<std::uint8_t, kColourBlockLength>;

// Report 4 sent: what the next read of profile p returns.
SelectBytes encodeSelect(int profile, std::uint8_t what);

// Report 5.
CurrentProfileBytes encodeCurrentProfile(int profile);
// A profile above 4 is ignored (false, CurrentProfile kept).
bool decodeCurrentProfile(std::span<const std::uint8_t> report, settings::SettingsImage& image);

// Report 6 of profile p.
ProfileSettingsBytes encodeProfileSettings(const settings::Profile& profile, int p);
// Its checksum is not checked on read.
void decodeProfileSettings(std::span<const std::uint8_t> report, settings::Profile& profile);

// Report 7 of profile p.
ButtonsBytes encodeButtons(const settings::Profile& profile, int p);
// False on a checksum mismatch (nothing changed).
bool decodeButtons(std::span<const std::uint8_t> report, settings::Profile& profile);

// Report 8 of profile p, slot b.
MacroBytes encodeMacro(const settings::ButtonSlot& slot, int p, int b);
// False on a checksum mismatch or more than 500 events (nothing changed).
bool decodeMacro(std::span<const std::uint8_t> report, settings::ButtonSlot& slot);

// Report 9: firmware version on read, reset command when sent.
int decodeFirmwareVersion(std::span<const std::uint8_t> report);
VersionBytes encodeResetCommand();

// Report 12: capture command, then the image read back.
SensorCaptureBytes encodeSensorCapture();
struct SensorImage {
  std::array<std::uint8_t, kSensorPixels> pixels{};
  int mean = 0;  // sum / 900, the calibration value
};
SensorImage decodeSensorImage(std::span<const std::uint8_t> report);

// Report 14.
HostActiveBytes encodeHostActive(bool active);

// Report 15. The calibration value and state are the Monitor's, outside the
// image.
struct Calibration {
  int value = 0;
  int state = 0;
};
inline constexpr int kLiftOffTrialCancelled = 253;
inline constexpr int kLiftOffTrialConfirmed = 254;
inline constexpr int kLiftOffTrialStart = 255;
TrackingBytes encodeTrackingControl(const settings::SettingsImage& image,
                                    const Calibration& calibration, int command);
void decodeTrackingControl(std::span<const std::uint8_t> report, settings::SettingsImage& image,
                           Calibration& calibration);
// Calibration commands 1 (run), 2 (accepted), 3 (refused), 4 (switched off).
void applyCalibrationCommand(Calibration& calibration, int command);

// Report 16.
LightCommandBytes encodeLightCommand(std::uint8_t a, std::uint8_t b, std::uint8_t c);
LightCommandBytes encodeAmbientLight(bool ambientOn, std::span<const std::uint8_t, 8> colours);

// Report 26: block k of the colour database file.
std::size_t colourBlockCount(std::size_t fileSize);
ColourBlockBytes encodeColourBlock(std::span<const std::uint8_t> file, std::size_t block);

}  // namespace device::codec
