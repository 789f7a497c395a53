#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "TestFolder.h"
#include "TornSharedImage.h"
#include "apply/ApplySession.h"
#include "settings/SettingsFiles.h"

namespace apply {
namespace {

class ChangeFlagsTest : public ::testing::Test {
 protected:
  ChangeFlagsTest()
      : working(std::make_unique<settings::SettingsImage>()),
        baseline(std::make_unique<settings::SettingsImage>()) {}
  void compute() { ApplySession::computeChangeFlags(*working, *baseline); }
  int flagsSet() const {
    int n = 0;
    for (int p = 0; p < settings::kProfileCount; ++p) n += working->ProfileChanged[p];
    return n + working->CurrentProfileChanged + working->TrackingChanged;
  }
  std::unique_ptr<settings::SettingsImage> working, baseline;
};

TEST_F(ChangeFlagsTest, NoEditsSetNoFlags) {
  compute();
  EXPECT_EQ(flagsSet(), 0);
}

TEST_F(ChangeFlagsTest, DeviceSettingsOfAProfileFlagThatProfileOnly) {
  working->Profiles[3].CpiLevel_X[2] = 18;
  compute();
  EXPECT_EQ(working->ProfileChanged[3], 1);
  EXPECT_EQ(flagsSet(), 1);

  for (auto edit : std::initializer_list<void (*)(settings::Profile&)>{
           [](settings::Profile& p) { p.dpi[5] = 1; },
           [](settings::Profile& p) { p.XYCpiFlag[4] = 1; },
           [](settings::Profile& p) { p.LightInfo[3].Blue = 9; },
           [](settings::Profile& p) { p.SAlignment = 25; },
           [](settings::Profile& p) { p.HDDKeyboard = 1; },
           [](settings::Profile& p) { p.PollingRate = 2; },
       }) {
    std::memcpy(working.get(), baseline.get(), sizeof(settings::SettingsImage));
    edit(working->Profiles[1]);
    compute();
    EXPECT_EQ(working->ProfileChanged[1], 1);
    EXPECT_EQ(flagsSet(), 1);
  }
}

TEST_F(ChangeFlagsTest, DesktopAndSoundSettingsSendNothingToTheMouse) {
  working->Profiles[0].DbleClickSpeed = 700;
  working->Profiles[0].SoundVolume = 4;
  working->Profiles[0].CustomLightInfo[0].Red = 1;
  settings::setFieldText(working->Profiles[0].GameFile0, "game.exe");
  compute();
  EXPECT_EQ(flagsSet(), 0);
}

TEST_F(ChangeFlagsTest, CurrentProfileAndTrackingHaveTheirOwnFlags) {
  working->CurrentProfile = 2;
  working->TrackControlFlag = 1;
  compute();
  EXPECT_EQ(working->CurrentProfileChanged, 1);
  EXPECT_EQ(working->TrackingChanged, 1);
  EXPECT_EQ(flagsSet(), 2);
}

TEST_F(ChangeFlagsTest, SlotFlagsAreLeftToWhoeverEditedTheSlot) {
  working->SlotChanged[2][5] = 1;
  working->Profiles[2].MacroKeyInfo[5].FunctionCode = 48;
  compute();
  EXPECT_EQ(working->SlotChanged[2][5], 1);
  EXPECT_EQ(working->ProfileChanged[2], 0);
}

TEST_F(ChangeFlagsTest, AFlagLeftOverFromAnEarlierSaveIsCleared) {
  working->ProfileChanged[4] = 1;
  working->CurrentProfileChanged = 1;
  compute();
  EXPECT_EQ(flagsSet(), 0);
}

TEST(ApplySessionOpen, ARecordTornByADeadWriterGivesWayToTheSettingsFiles) {
  monitor::testing::TestFolder folder;
  const settings::SettingsFiles files(folder.folder());
  auto saved = std::make_unique<settings::SettingsImage>();
  files.LoadAll(*saved);
  saved->Profiles[1].Cpi_X = 3;
  ASSERT_TRUE(files.SaveAll(*saved));

  // The Monitor's objects, holding an image that differs from the files.
  auto mutex = platform::NamedMutex::create(settings::kImageMutexName);
  auto memory = platform::SharedMemory::create(settings::kSharedImageName, settings::kImageSize);
  ASSERT_TRUE(mutex && memory);
  auto published = std::make_unique<settings::SettingsImage>(*saved);
  published->Profiles[1].Cpi_X = 5;
  ASSERT_TRUE(settings::writeSharedImage(*memory, *mutex, *published));

  ASSERT_TRUE(monitor::testing::tearSharedImage(0xEE));
  {
    ApplySession session(folder.folder());
    session.open();
    EXPECT_EQ(session.baseline().Profiles[1].Cpi_X, 3) << "the torn record was trusted";
    EXPECT_EQ(session.working().Profiles[1].Cpi_X, 3);
  }

  // The files' image took the torn record's place, without change flags, so
  // neither the next editor nor the Monitor reads the torn one.
  auto shared = std::make_unique<settings::SettingsImage>();
  ASSERT_TRUE(settings::readSharedImage(*memory, *mutex, *shared));
  EXPECT_EQ(shared->Profiles[1].Cpi_X, 3);
  EXPECT_FALSE(settings::anyChangeFlag(*shared));

  // A whole record is trusted again.
  ASSERT_TRUE(settings::writeSharedImage(*memory, *mutex, *published));
  ApplySession next(folder.folder());
  next.open();
  EXPECT_EQ(next.baseline().Profiles[1].Cpi_X, 5);
}

}  // namespace
}  // namespace apply
