#include <gtest/gtest.h>

#include <memory>

#include "option/LightPageModel.h"

namespace option {
namespace {

class LightPageModelTest : public ::testing::Test {
 protected:
  LightPageModelTest() {
    for (settings::Profile& p : image_->Profiles) {
      p.LightEffectType = 1;
      p.LightEffectMode = 1;
      p.LightEffectSpeed = 2;
      for (int z = 0; z < 4; ++z) p.LightInfo[z] = {1, 1, 250, 0, 0};
    }
    model_.load();
  }
  settings::Profile& profile(int i = 0) { return image_->Profiles[i]; }

  std::unique_ptr<settings::SettingsImage> image_ = std::make_unique<settings::SettingsImage>();
  int shown_ = 0;
  int announced_ = 0;
  LightPageModel model_{*image_, [this] { return shown_; }, [this] { ++announced_; }};
};

TEST_F(LightPageModelTest, SwatchPaintsTheCurrentZoneOrAllZonesKeepingTheirOnFlags) {
  model_.zoneSelected(2);
  model_.swatchClicked(23);
  EXPECT_EQ(profile().LightInfo[2].ColorIndex, 23);
  EXPECT_EQ(profile().LightInfo[2].Blue, 250);
  EXPECT_EQ(profile().LightInfo[0].ColorIndex, 1) << "only the zone being edited";
  EXPECT_EQ(model_.view().swatch, 23);
  EXPECT_EQ(model_.view().preview[2], screenColor(23));
  EXPECT_EQ(announced_, 1);

  profile().LightInfo[1].OnFlag = 2;
  model_.forAllClicked(true);
  EXPECT_EQ(profile().UseColorForAll, 1);
  model_.swatchClicked(23);
  for (int z = 0; z < 4; ++z) {
    const settings::LightZone& zone = profile().LightInfo[z];
    EXPECT_EQ(zone.ColorIndex, 23);
    EXPECT_EQ((Rgb{zone.Red, zone.Green, zone.Blue}), (Rgb{0, 0, 250}));
  }
  EXPECT_EQ(profile().LightInfo[1].OnFlag, 2) << "on flags stay";
  EXPECT_EQ(profile().LightInfo[0].OnFlag, 1);

  model_.swatchClicked(33);
  model_.swatchClicked(-1);
  EXPECT_EQ(profile().LightInfo[0].ColorIndex, 23) << "no swatch outside the palette";
}

TEST_F(LightPageModelTest, TurningAZoneOffStoresTwoAndDarkensItsDot) {
  model_.zoneSelected(2);
  model_.lightSwitchClicked(false);
  EXPECT_EQ(profile().LightInfo[2].OnFlag, 2);
  EXPECT_EQ(model_.view().preview[2], Rgb{});
  EXPECT_NE(model_.view().preview[0], Rgb{});
  EXPECT_FALSE(model_.view().switchOn);
  model_.lightSwitchClicked(true);
  EXPECT_EQ(profile().LightInfo[2].OnFlag, 1);
  EXPECT_EQ(announced_, 2);
}

TEST_F(LightPageModelTest, EffectOffBlacksThePreviewAndHidesTheSwitch) {
  model_.effectClicked(0);
  EXPECT_EQ(profile().LightEffectType, 0);
  for (const Rgb& c : model_.view().preview) EXPECT_EQ(c, Rgb{});
  EXPECT_FALSE(model_.view().switchVisible);
  model_.effectClicked(3);
  EXPECT_EQ(profile().LightEffectType, 3);
  EXPECT_TRUE(model_.view().switchVisible);
  EXPECT_EQ(model_.view().preview[0], screenColor(1));
  model_.effectClicked(5);
  EXPECT_EQ(profile().LightEffectType, 3);
  EXPECT_EQ(announced_, 2);
}

TEST_F(LightPageModelTest, GroupsAndSpeedWriteTheProfileAndOnlyLightingIsAnnounced) {
  model_.flowClicked(4);
  model_.modeClicked(2);
  model_.sliderValue(3, LightPageModel::kSpeedSlider);
  model_.sliderValue(9, LightPageModel::kSpeedSlider);
  model_.sliderValue(1, 7);  // another control
  EXPECT_EQ(profile().LightColorFlow, 4);
  EXPECT_EQ(profile().LightEffectMode, 3);
  EXPECT_EQ(profile().LightEffectSpeed, 3);
  EXPECT_EQ(announced_, 1) << "the flow shows in the indicators, mode and speed do not";

  profile().LightEffectMode = 0;
  profile().LightColorFlow = 9;
  profile().LightEffectType = -1;
  profile().LightEffectSpeed = 0;
  model_.load();
  EXPECT_EQ(model_.view().mode, -1);
  EXPECT_EQ(model_.view().flow, -1);
  EXPECT_EQ(model_.view().effect, -1);
  EXPECT_EQ(model_.view().speed, 1);
}

TEST_F(LightPageModelTest, TheZoneSurvivesAProfileSwitchAndReloadsFromTheNewProfile) {
  profile(3).LightInfo[1] = {17, 2, 200, 250, 250};
  model_.zoneSelected(1);
  shown_ = 3;
  model_.load();
  EXPECT_EQ(model_.view().zone, 1);
  EXPECT_EQ(model_.view().swatch, 17);
  EXPECT_FALSE(model_.view().switchOn);
  model_.zoneSelected(4);
  model_.zoneSelected(-1);
  EXPECT_EQ(model_.view().zone, 1) << "zones outside 0..3 change nothing";
}

TEST_F(LightPageModelTest, ClicksOnTheDotsGrownByOnePixelPickTheirZone) {
  EXPECT_EQ(LightPageModel::zoneAt(38, 104), 0);
  EXPECT_EQ(LightPageModel::zoneAt(37, 103), 0);
  EXPECT_EQ(LightPageModel::zoneAt(49, 115), 0);
  EXPECT_EQ(LightPageModel::zoneAt(50, 116), -1);
  EXPECT_EQ(LightPageModel::zoneAt(127, 264), 1);
  EXPECT_EQ(LightPageModel::zoneAt(133, 70), 2);
  EXPECT_EQ(LightPageModel::zoneAt(209, 236), 3);
  EXPECT_EQ(LightPageModel::zoneAt(120, 150), -1);
}

}  // namespace
}  // namespace option
