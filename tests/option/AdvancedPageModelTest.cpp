#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#include "option/AdvancedPageModel.h"
#include "settings/SettingsFiles.h"

namespace option {
namespace {

using Model = AdvancedPageModel;

// The main window, the Monitor and the dialogs as the page sees them.
struct Window {
  bool monitor = true;
  bool storeOk = true;
  std::vector<bool> liftOffAnswers;  // stage 1, stage 2
  bool wizardOk = true;
  bool secondStageOk = true;
  bool resetOk = true;
  int resets = 0;
  int wizards = 0;
  std::vector<int> storedLiftOff;  // the value each store found
  // Tracking control as each store with tracking handed it over, and the
  // number of posts made before that store.
  std::vector<std::pair<int, std::size_t>> storedTracking;
  std::vector<std::pair<platform::UINT, platform::LPARAM>> posts;
  settings::SettingsImage* image = nullptr;

  Model::Hooks hooks() {
    Model::Hooks h;
    h.monitorPresent = [this] { return monitor; };
    h.storeDeviceSettings = [this](bool withTracking) {
      storedLiftOff.push_back(image->LiftOnFlag);
      if (withTracking) storedTracking.emplace_back(image->TrackControlFlag, posts.size());
      return storeOk;
    };
    h.postToMonitor = [this](platform::UINT m, platform::LPARAM c) { posts.emplace_back(m, c); };
    h.confirmLiftOff = [this](int stage) {
      return static_cast<std::size_t>(stage - 1) < liftOffAnswers.size() &&
             liftOffAnswers[static_cast<std::size_t>(stage - 1)];
    };
    h.calibrate = [this](bool) {
      ++wizards;
      return wizardOk;
    };
    h.confirmCalibration = [this] { return secondStageOk; };
    h.confirmReset = [this] { return resetOk; };
    h.resetDone = [this] { ++resets; };
    return h;
  }
};

class AdvancedPageModelTest : public ::testing::Test {
 protected:
  AdvancedPageModelTest() {
    window.image = image.get();
    image->CurrentProfile = 2;
    model.load();
  }
  settings::Profile& p() { return image->Profiles[2]; }

  std::unique_ptr<settings::SettingsImage> image = std::make_unique<settings::SettingsImage>();
  Window window;
  Model model{*image, [this] { return image->CurrentProfile; }, window.hooks()};
};

TEST(PointerSpeedTable, BothWaysWithTheMiddleForUnexpectedValues) {
  const int speeds[] = {1, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20};
  for (int pos = 1; pos <= 11; ++pos) {
    EXPECT_EQ(pointerSpeedFromPosition(pos), speeds[pos - 1]) << pos;
    EXPECT_EQ(positionFromPointerSpeed(speeds[pos - 1]), pos) << pos;
  }
  EXPECT_EQ(pointerSpeedFromPosition(0), 10);
  EXPECT_EQ(pointerSpeedFromPosition(12), 10);
  const std::pair<int, int> back[] = {{0, 1},  {3, 3},  {5, 4},   {7, 5},   {9, 6},  {11, 7},
                                      {13, 8}, {15, 9}, {17, 10}, {19, 11}, {21, 6}, {-1, 6}};
  for (auto [speed, pos] : back) EXPECT_EQ(positionFromPointerSpeed(speed), pos) << speed;
}

TEST_F(AdvancedPageModelTest, LoadShowsTheProfileAndClampsWhatItCannotShow) {
  p().MouseSpeed = 9;
  p().Sensitivity_X = 3;
  p().Sensitivity_Y = 40;
  p().SAlignment = 0;
  p().SoundVolume = 9;
  p().MouseTrails = 5;
  image->TrackControlFlag = 0;
  image->LiftOnFlag = 2;
  model.load();
  const Model::View& v = model.view();
  EXPECT_EQ(v.pointerSpeed, 6);
  EXPECT_EQ(v.axisX, 3);
  EXPECT_EQ(v.spinX, -3);
  EXPECT_EQ(v.axisY, 11);
  EXPECT_EQ(v.alignmentSpin, -30);
  EXPECT_EQ(v.volume, 4);
  EXPECT_TRUE(v.check[Model::kTrails]);
  EXPECT_EQ(v.liftOff, 2);
  EXPECT_FALSE(v.recalibrate);
  image->TrackControlFlag = 1;
  model.load();
  EXPECT_TRUE(model.view().recalibrate);
  EXPECT_EQ(p().SoundVolume, 9) << "loading writes nothing";
}

TEST_F(AdvancedPageModelTest, ControlsWriteTheShownProfileOnly) {
  model.sliderValue(6, Model::kPointerSpeedSlider);
  EXPECT_EQ(p().MouseSpeed, 10);
  model.checkBoxClicked(Model::kAcceleration, true);
  EXPECT_EQ(p().AccelerationFlag, 1);
  EXPECT_EQ(p().Acceleration, 8);
  model.checkBoxClicked(Model::kAcceleration, false);
  EXPECT_EQ(p().AccelerationFlag, 0);
  EXPECT_EQ(p().Acceleration, 0);
  model.checkBoxClicked(Model::kTrails, true);
  EXPECT_EQ(p().MouseTrails, 5);
  model.checkBoxClicked(Model::kSoundTrophy, true);
  model.checkBoxClicked(Model::kSeparateAxes, true);
  EXPECT_EQ(p().SoundTrophy, 1);
  EXPECT_EQ(p().XYSynchronous, 1);
  model.pollingRateClicked(3);
  model.pollingRateClicked(7);
  EXPECT_EQ(p().PollingRate, 3);
  model.snapClicked(true);
  model.sliderValue(4, Model::kSnapSlider);
  model.alignmentClicked(true);
  EXPECT_EQ(p().ASnapFlag, 1);
  EXPECT_EQ(p().ASnap, 4);
  EXPECT_EQ(p().SAlignmentFlag, 1);
  model.sliderValue(3, Model::kVolumeSlider);
  EXPECT_EQ(p().SoundVolume, 3);
  for (int i = 0; i < settings::kProfileCount; ++i) {
    if (i != 2) {
      EXPECT_EQ(image->Profiles[i].PollingRate, 0) << i;
    }
  }
}

TEST_F(AdvancedPageModelTest, SlidersAndSpinsFollowEachOther) {
  model.sliderValue(0, Model::kAlignmentSlider);
  EXPECT_EQ(model.view().alignmentSpin, -30);
  model.spinValue(30, Model::kAlignmentSpin);
  EXPECT_EQ(p().SAlignment, 60);
  EXPECT_EQ(model.view().alignment, 60);
  model.spinValue(99, Model::kAlignmentSpin);
  EXPECT_EQ(p().SAlignment, 60);
  model.sliderValue(9, Model::kAxisXSlider);
  EXPECT_EQ(model.view().spinX, 3);
  model.spinValue(-5, Model::kSensitivityXSpin);
  EXPECT_EQ(p().Sensitivity_X, 1);
  EXPECT_EQ(model.view().axisX, 1);
  const int y = p().Sensitivity_Y;
  model.spinValue(4, Model::kSensitivityYSpin);
  EXPECT_EQ(p().Sensitivity_Y, y);
}

TEST_F(AdvancedPageModelTest, LiftOffTrialKeepsTheNewValueOnlyAfterTwoOks) {
  window.liftOffAnswers = {true, true};
  model.liftOffClicked(3);
  EXPECT_EQ(image->LiftOnFlag, 3);
  EXPECT_EQ(window.storedLiftOff, std::vector<int>{3});
  ASSERT_EQ(window.posts.size(), 1u);
  EXPECT_EQ(window.posts[0], std::make_pair(Model::kLiftOffMsg, Model::kLiftOffConfirmed));

  // The selected button again does nothing.
  model.liftOffClicked(3);
  EXPECT_EQ(window.posts.size(), 1u);

  for (const std::vector<bool>& answers :
       {std::vector<bool>{false}, std::vector<bool>{true, false}}) {
    window.posts.clear();
    window.storedLiftOff.clear();
    window.liftOffAnswers = answers;
    model.liftOffClicked(1);
    EXPECT_EQ(image->LiftOnFlag, 3);
    EXPECT_EQ(model.view().liftOff, 3);
    EXPECT_EQ(window.storedLiftOff, (std::vector<int>{1, 3})) << "tried, then handed back";
    ASSERT_EQ(window.posts.size(), 1u);
    EXPECT_EQ(window.posts[0].second, Model::kLiftOffRestored);
  }
}

TEST_F(AdvancedPageModelTest, LiftOffThatNeverReachedTheMonitorIsNotOfferedForTrial) {
  window.storeOk = false;
  window.liftOffAnswers = {true, true};
  model.liftOffClicked(2);
  EXPECT_EQ(image->LiftOnFlag, 0);
  ASSERT_EQ(window.posts.size(), 1u);
  EXPECT_EQ(window.posts[0].second, Model::kLiftOffRestored);
}

TEST_F(AdvancedPageModelTest, WithoutMonitorOnlyTheValueIsStored) {
  window.monitor = false;
  model.liftOffClicked(2);
  model.sfcClicked(true);
  EXPECT_EQ(image->LiftOnFlag, 2);
  EXPECT_EQ(image->TrackControlFlag, 1);
  EXPECT_TRUE(model.view().recalibrate);
  model.sfcClicked(false);
  EXPECT_EQ(image->TrackControlFlag, 0);
  EXPECT_TRUE(window.posts.empty());
  EXPECT_TRUE(window.storedLiftOff.empty());
}

TEST_F(AdvancedPageModelTest, TrackingControlAndCalibration) {
  model.sfcClicked(true);
  EXPECT_EQ(image->TrackControlFlag, 1);
  EXPECT_EQ(window.posts.back(),
            std::make_pair(Model::kCalibrationMsg, Model::kCalibrationAccepted));

  // A recalibration that fails keeps tracking control on.
  window.wizardOk = false;
  model.recalibrateClicked();
  EXPECT_EQ(image->TrackControlFlag, 1);
  EXPECT_EQ(window.posts.back().second, Model::kCalibrationFailed);

  model.sfcClicked(false);
  EXPECT_EQ(image->TrackControlFlag, 0);
  EXPECT_FALSE(model.view().recalibrate);
  EXPECT_EQ(window.posts.back().second, Model::kTrackingOff);
  const std::size_t posts = window.posts.size();
  model.recalibrateClicked();
  EXPECT_EQ(window.posts.size(), posts) << "disabled while tracking control is off";

  // Switched on, the wizard cancelled: off again, handed to the Monitor
  // (on for the run, then off) before the refusal is posted.
  window.storedTracking.clear();
  const std::size_t before = window.posts.size();
  model.sfcClicked(true);
  EXPECT_EQ(image->TrackControlFlag, 0);
  EXPECT_EQ(model.view().trackControl, 0);
  EXPECT_EQ(window.posts.back().second, Model::kCalibrationFailed);
  EXPECT_EQ(window.storedTracking,
            (std::vector<std::pair<int, std::size_t>>{{1, before}, {0, before}}));

  // Switched on, the wizard succeeded but its result was refused: off again
  // as well, handed over before the refusal.
  window.wizardOk = true;
  window.secondStageOk = false;
  window.storedTracking.clear();
  const std::size_t refusedAt = window.posts.size();
  model.sfcClicked(true);
  EXPECT_EQ(image->TrackControlFlag, 0);
  EXPECT_FALSE(model.view().recalibrate);
  EXPECT_EQ(window.posts.back().second, Model::kCalibrationFailed);
  EXPECT_EQ(window.storedTracking,
            (std::vector<std::pair<int, std::size_t>>{{1, refusedAt}, {0, refusedAt}}));

  // A recalibration whose result is refused keeps tracking control on: it
  // was on before the user asked.
  window.secondStageOk = true;
  model.sfcClicked(true);
  ASSERT_EQ(image->TrackControlFlag, 1);
  window.secondStageOk = false;
  model.recalibrateClicked();
  EXPECT_EQ(image->TrackControlFlag, 1);
  EXPECT_EQ(window.posts.back().second, Model::kCalibrationFailed);
}

TEST_F(AdvancedPageModelTest, NoCalibrationRunsWhenTrackingControlDidNotReachTheMonitor) {
  window.storeOk = false;
  model.sfcClicked(true);
  EXPECT_EQ(window.wizards, 0);
  EXPECT_TRUE(window.posts.empty()) << "nothing was started, nothing is refused";
  EXPECT_EQ(image->TrackControlFlag, 0);
  EXPECT_EQ(model.view().trackControl, 0);

  image->TrackControlFlag = 1;
  model.load();
  model.recalibrateClicked();
  EXPECT_EQ(window.wizards, 0);
  EXPECT_EQ(image->TrackControlFlag, 1) << "it was on before";
}

TEST_F(AdvancedPageModelTest, ResetRestoresTheFactorySettingsOnlyAfterConfirmation) {
  image->LiftOnFlag = 3;
  image->TrackControlFlag = 1;
  image->WindowsProfile = 4;
  image->DisControl = 1;
  p().PollingRate = 1;
  window.resetOk = false;
  model.resetClicked();
  EXPECT_EQ(image->LiftOnFlag, 3);
  EXPECT_EQ(window.resets, 0);

  window.resetOk = true;
  model.resetClicked();
  EXPECT_EQ(window.resets, 1);
  EXPECT_EQ(image->CurrentProfile, 0);
  EXPECT_EQ(image->WindowsProfile, -1);
  EXPECT_EQ(image->LiftOnFlag, 0);
  EXPECT_EQ(image->TrackControlFlag, 0);
  EXPECT_EQ(image->DisControl, 0);
  EXPECT_EQ(image->QuickHelpLan, settings::LanguageIndexFromSystem());
  auto factory = std::make_unique<settings::Profile>();
  for (int i = 0; i < settings::kProfileCount; ++i) {
    ASSERT_TRUE(settings::ResetProfile(*factory, i));
    EXPECT_EQ(std::memcmp(factory.get(), &image->Profiles[i], sizeof(settings::Profile)), 0) << i;
  }
}

}  // namespace
}  // namespace option
