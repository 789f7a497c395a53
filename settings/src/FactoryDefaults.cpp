#include <cstring>
#include <string>

#include "settings/OsdSetting.h"
#include "settings/SettingsFiles.h"

namespace settings {

namespace {

constexpr std::uint8_t kFactoryFunctionCodes[kSlotCount] = {
    1, 2, 3, 7, 65, 9, 10, 13, 14, 21, 22, 26, 8, 7, 37, 6, 0, 33, 34, 38, 39, 17, 18, 27};

constexpr LightZone kFactoryLights[kProfileCount][kLightZoneCount] = {
    {{6, 1, 250, 80, 0}, {1, 1, 250, 0, 0}, {6, 1, 250, 80, 0}, {1, 1, 250, 0, 0}},
    {{19, 1, 0, 100, 250}, {19, 1, 0, 100, 250}, {19, 1, 0, 100, 250}, {19, 1, 0, 100, 250}},
    {{1, 1, 250, 0, 0}, {1, 1, 250, 0, 0}, {1, 1, 250, 0, 0}, {1, 1, 250, 0, 0}},
    {{12, 1, 0, 250, 0}, {12, 1, 0, 250, 0}, {12, 1, 0, 250, 0}, {12, 1, 0, 250, 0}},
    {{23, 1, 0, 0, 250}, {23, 1, 0, 0, 250}, {23, 1, 0, 0, 250}, {23, 1, 0, 0, 250}},
};

constexpr std::int32_t kFactoryCpiLevels[kCpiLevelCount] = {4, 8, 16, 32, 50};

}  // namespace

bool ResetProfile(Profile& p, int index) {
  if (!isValidProfile(index)) return false;
  setFieldText(p.ProFileName, "Default" + std::to_string(index + 1));
  setFieldText(p.GameFile0, "");
  setFieldText(p.GameFile1, "");
  setFieldText(p.GameFile2, "");
  p.DbleClickSpeed = 480;
  p.ScrollWheelSpeed = 3;
  p.ScrollWheelFlag = 0;
  p.MouseSpeed = 10;
  p.Acceleration = 10;
  p.AccelerationFlag = 0;
  p.MouseTrails = 0;
  p.TiltSpeed = 3;
  p.MediaOption = 0;
  p.HDDKeyboard = 1;
  p.Orientation = 0;
  p.XYSynchronous = 0;
  p.Sensitivity_X = p.Sensitivity_Y = p.Sensitivity = 6;
  for (int i = 0; i < kCpiLevelCount; ++i) p.dpi[i] = 1;  // dpi5 keeps its value
  p.Cpi_X = p.Cpi_Y = 1;
  for (int i = 0; i < kCpiLevelCount; ++i) {
    p.XYCpiFlag[i] = 1;
    p.CpiLevel_X[i] = p.CpiLevel_Y[i] = kFactoryCpiLevels[i];
  }
  p.PollingRate = 3;
  p.LightOnFlag = 1;
  p.LightEffectMode = 0;
  p.LightColorFlow = index == 0 ? 1 : 0;
  p.LightEffectType = index == 0 ? 3 : 1;
  p.LightEffectSpeed = 2;
  p.SoundProfile = p.SoundDpi = p.SoundSens = p.VolumeUpDown = p.SoundTrophy = 1;
  p.SoundVolume = 2;
  p.UseColorForAll = 0;
  p.LtChoseType = 0;
  p.ASnapFlag = 0;
  p.ASnap = 2;
  p.SAlignmentFlag = 0;
  p.SAlignment = 30;
  std::memcpy(p.LightInfo, kFactoryLights[index], sizeof p.LightInfo);
  std::memset(p.CustomLightInfo, 0, sizeof p.CustomLightInfo);
  for (int b = 0; b < kSlotCount; ++b) p.MacroKeyInfo[b] = FactoryButtonSlot(b);
  return true;
}

ButtonSlot FactoryButtonSlot(int button) {
  ButtonSlot slot{};
  if (button < 0 || button >= kSlotCount) return slot;
  slot.ButtonNumber = static_cast<std::uint8_t>(button);
  slot.FunctionCode = kFactoryFunctionCodes[button];
  return slot;
}

OsdSetting defaultOsdSetting() {
  OsdSetting osd{};
  osd.Value136 = 110;
  osd.Value340 = 5;
  return osd;
}

}  // namespace settings
