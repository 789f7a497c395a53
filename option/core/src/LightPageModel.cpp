#include "option/LightPageModel.h"

#include <algorithm>

namespace option {
namespace {

constexpr LightPageModel::Dot kDots[LightPageModel::kZoneCount] = {
    {38, 104, 49, 115}, {122, 259, 133, 270}, {128, 65, 139, 76}, {199, 226, 210, 237}};

int inRange(int value, int first, int last) { return value >= first && value <= last ? value : -1; }

}  // namespace

LightPageModel::LightPageModel(settings::SettingsImage& working, std::function<int()> profile,
                               std::function<void()> lightChanged)
    : working_(working),
      profileIndex_(std::move(profile)),
      lightChanged_(std::move(lightChanged)) {}

settings::Profile& LightPageModel::profile() {
  return working_.Profiles[std::clamp(profileIndex_(), 0, settings::kProfileCount - 1)];
}

void LightPageModel::load() {
  const settings::Profile& p = profile();
  for (int z = 0; z < kZoneCount; ++z)
    view_.preview[static_cast<std::size_t>(z)] = zoneScreenColor(p, z);
  const settings::LightZone& zone = p.LightInfo[view_.zone];
  view_.swatch = inRange(zone.ColorIndex, 0, kPaletteSize - 1);
  view_.switchVisible = p.LightEffectType != 0;
  view_.switchOn = zone.OnFlag == 1;
  view_.forAll = p.UseColorForAll == 1;
  view_.mode = inRange(p.LightEffectMode - 1, 0, 2);
  view_.flow = inRange(p.LightColorFlow, 0, 5);
  view_.effect = inRange(p.LightEffectType, 0, 4);
  view_.speed = std::clamp(p.LightEffectSpeed, 1, 3);
}

void LightPageModel::swatchClicked(int index) {
  if (index < 0 || index >= kPaletteSize) return;
  settings::Profile& p = profile();
  const Rgb device = deviceColor(index);
  auto paint = [&](settings::LightZone& z) {
    z.ColorIndex = static_cast<std::uint8_t>(index);
    z.Red = device.red;
    z.Green = device.green;
    z.Blue = device.blue;
  };
  if (p.UseColorForAll == 1) {
    for (settings::LightZone& z : p.LightInfo) paint(z);
  } else {
    paint(p.LightInfo[view_.zone]);
  }
  load();
  lightChanged_();
}

void LightPageModel::lightSwitchClicked(bool on) {
  // Off is stored as 2: the mouse reads 0 as "never set".
  profile().LightInfo[view_.zone].OnFlag = on ? 1 : 2;
  load();
  lightChanged_();
}

void LightPageModel::forAllClicked(bool on) {
  profile().UseColorForAll = on ? 1 : 0;
  view_.forAll = on;
}

void LightPageModel::modeClicked(int mode) {
  if (mode < 0 || mode > 2) return;
  profile().LightEffectMode = mode + 1;
  view_.mode = mode;
}

void LightPageModel::flowClicked(int flow) {
  if (flow < 0 || flow > 5) return;
  profile().LightColorFlow = flow;
  view_.flow = flow;
  lightChanged_();
}

void LightPageModel::effectClicked(int effect) {
  if (effect < 0 || effect > 4) return;
  profile().LightEffectType = effect;
  load();
  lightChanged_();
}

void LightPageModel::sliderValue(int value, int id) {
  if (id != kSpeedSlider) return;
  view_.speed = std::clamp(value, 1, 3);
  profile().LightEffectSpeed = view_.speed;
}

void LightPageModel::zoneSelected(int zone) {
  if (zone < 0 || zone >= kZoneCount) return;
  view_.zone = zone;
  load();
}

LightPageModel::Dot LightPageModel::zoneDot(int zone) {
  return kDots[std::clamp(zone, 0, kZoneCount - 1)];
}

int LightPageModel::zoneAt(int x, int y) {
  for (int z = 0; z < kZoneCount; ++z) {
    const Dot& d = kDots[z];
    if (x >= d.left - 1 && x < d.right + 1 && y >= d.top - 1 && y < d.bottom + 1) return z;
  }
  return -1;
}

}  // namespace option
