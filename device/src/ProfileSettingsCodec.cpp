// Reports 4 (select), 5 (current profile) and 6 (profile settings).
#include <algorithm>

#include "device/ReportCodec.h"

namespace device::codec {
namespace {

std::uint8_t byteOf(int v) { return static_cast<std::uint8_t>(v & 0xFF); }

// Fields with a range of their own go out within it, whatever the image
// holds: a damaged image never sends the mouse a level it cannot take.
std::uint8_t byteIn(int v, int lowest, int highest) {
  return static_cast<std::uint8_t>(std::clamp(v, lowest, highest));
}

constexpr int kLowestSensitivity = 1, kHighestSensitivity = 11;
constexpr int kLowestCpiLevel = 1, kHighestCpiLevel = 64;
// SAlignment travels as a signed byte after taking 30 off.
constexpr int kLowestSAlignment = -128 + 30, kHighestSAlignment = 127 + 30;

// Byte 18: 0 neither, 1 angle snapping only, 2 sensor alignment only, 3 both.
std::uint8_t snapAlignCode(const settings::Profile& p) {
  return static_cast<std::uint8_t>((p.ASnapFlag == 1 ? 1 : 0) | (p.SAlignmentFlag == 1 ? 2 : 0));
}

}  // namespace

SelectBytes encodeSelect(int profile, std::uint8_t what) {
  return {kSelectReport, byteOf(profile), what};
}

CurrentProfileBytes encodeCurrentProfile(int profile) {
  return {kCurrentProfileReport, 3, byteOf(profile)};
}

bool decodeCurrentProfile(std::span<const std::uint8_t> report, settings::SettingsImage& image) {
  if (report.size() < kCurrentProfileLength || report[2] >= settings::kProfileCount) return false;
  image.CurrentProfile = report[2];
  return true;
}

ProfileSettingsBytes encodeProfileSettings(const settings::Profile& profile, int p) {
  ProfileSettingsBytes r{};
  r[0] = kProfileSettingsReport;
  r[1] = kProfileSettingsLength;
  r[2] = byteOf(p);
  r[3] = byteOf(profile.XYSynchronous);
  const bool split = profile.XYSynchronous == 1;
  r[4] = byteIn(split ? profile.Sensitivity_X : profile.Sensitivity, kLowestSensitivity,
                kHighestSensitivity);
  r[5] = byteIn(split ? profile.Sensitivity_Y : profile.Sensitivity, kLowestSensitivity,
                kHighestSensitivity);
  for (int i = 0; i < settings::kCpiLevelCount; ++i) {
    if (profile.dpi[i] == 1) r[6] |= static_cast<std::uint8_t>(1u << i);
    r[7 + i] = static_cast<std::uint8_t>(
        byteIn(profile.CpiLevel_X[i], kLowestCpiLevel, kHighestCpiLevel) * 2);
    r[13 + i] = static_cast<std::uint8_t>(
        byteIn(profile.CpiLevel_Y[i], kLowestCpiLevel, kHighestCpiLevel) * 2);
  }
  r[12] = byteIn(profile.Cpi_X, 0, settings::kCpiLevelCount - 1);
  r[18] = snapAlignCode(profile);
  r[19] = byteOf(profile.PollingRate);
  for (int i = 0; i < settings::kLightZoneCount; ++i) {
    const settings::LightZone& zone = profile.LightInfo[i];
    if (zone.OnFlag == 1) r[20] |= static_cast<std::uint8_t>(1u << i);
    r[25 + 4 * i] = zone.ColorIndex;
    r[26 + 4 * i] = zone.Red;
    r[27 + 4 * i] = zone.Green;
    r[28 + 4 * i] = zone.Blue;
  }
  r[21] = byteOf(profile.LightEffectMode);
  r[22] = byteOf(profile.LightColorFlow);
  r[23] = byteOf(profile.LightEffectType);
  r[24] = byteOf(profile.LightEffectSpeed);
  r[41] = snapAlignCode(profile);
  r[42] = profile.ASnap == 0 ? 1 : byteOf(profile.ASnap);
  r[43] = static_cast<std::uint8_t>(static_cast<std::int8_t>(
      std::clamp(profile.SAlignment, kLowestSAlignment, kHighestSAlignment) - 30));
  sealChecksum(r);
  return r;
}

void decodeProfileSettings(std::span<const std::uint8_t> r, settings::Profile& profile) {
  if (r.size() < kProfileSettingsLength) return;
  profile.XYSynchronous = r[3];
  if (profile.XYSynchronous == 1) {
    profile.Sensitivity_X = r[4];
    profile.Sensitivity_Y = r[5];
  } else {
    profile.Sensitivity = r[5];
  }
  for (int i = 0; i < settings::kCpiLevelCount; ++i) {
    profile.dpi[i] = (r[6] >> i) & 1;
    // The device keeps one level table; Y levels follow X.
    profile.CpiLevel_X[i] = r[7 + i] / 2;
    profile.CpiLevel_Y[i] = r[7 + i] / 2;
  }
  profile.Cpi_X = r[12];
  profile.Cpi_Y = r[12];
  profile.PollingRate = r[19];
  for (int i = 0; i < settings::kLightZoneCount; ++i) {
    settings::LightZone& zone = profile.LightInfo[i];
    zone.OnFlag = (r[20] >> i) & 1;
    zone.ColorIndex = r[25 + 4 * i];
    zone.Red = r[26 + 4 * i];
    zone.Green = r[27 + 4 * i];
    zone.Blue = r[28 + 4 * i];
  }
  profile.LightEffectMode = r[21];
  profile.LightColorFlow = r[22];
  profile.LightEffectType = r[23];
  profile.LightEffectSpeed = r[24];
  // Byte 18 carries the same two flags as byte 41; byte 41 has the last word.
  profile.ASnapFlag = (r[18] == 1 || r[18] == 3) ? 1 : 0;
  profile.SAlignmentFlag = (r[18] == 2 || r[18] == 3) ? 1 : 0;
  profile.ASnapFlag = r[41] & 1;
  profile.SAlignmentFlag = (r[41] >> 1) & 1;
  profile.ASnap = r[42];
  profile.SAlignment = static_cast<std::int8_t>(r[43]) + 30;
}

}  // namespace device::codec
