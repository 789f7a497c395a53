#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

#include "option/CountdownConfirmation.h"
#include "option/KeyCombination.h"
#include "option/LiftOffTestProgress.h"
#include "option/ProgramChoice.h"

namespace option {
namespace {

using Countdown = CountdownConfirmation;

TEST(CountdownConfirmationTest, LeftAloneItRefusesOnTheThirtiethTickAndNotBefore) {
  Countdown countdown;
  EXPECT_EQ(countdown.remaining(), 30);
  EXPECT_EQ(countdown.remainingText(), "30 sec");
  for (int second = 1; second < 30; ++second)
    ASSERT_EQ(countdown.tick(), Countdown::State::Running) << second;
  EXPECT_EQ(countdown.remainingText(), "1 sec");
  EXPECT_EQ(countdown.tick(), Countdown::State::Refused);
  EXPECT_EQ(countdown.remaining(), 0);
  // Late ticks and a late Accept change nothing.
  EXPECT_EQ(countdown.tick(), Countdown::State::Refused);
  countdown.accept();
  EXPECT_EQ(countdown.state(), Countdown::State::Refused);
}

TEST(CountdownConfirmationTest, AcceptWithOneSecondLeftKeepsAndLaterTicksDoNotUndoIt) {
  Countdown countdown;
  for (int second = 0; second < 29; ++second) countdown.tick();
  ASSERT_EQ(countdown.remaining(), 1);
  countdown.accept();
  EXPECT_EQ(countdown.tick(), Countdown::State::Accepted);
  countdown.refuse();
  EXPECT_EQ(countdown.state(), Countdown::State::Accepted);
}

TEST(LiftOffTestProgressTest, StartsOnceAndPassesOnlyWhenTheTimeIsUp) {
  int starts = 0;
  LiftOffTestProgress progress([&] {
    ++starts;
    return true;
  });
  // The timer cannot end a trial that never started.
  EXPECT_EQ(progress.timeUp(), LiftOffTestProgress::State::Waiting);
  EXPECT_TRUE(progress.okEnabled());
  EXPECT_TRUE(progress.start());
  EXPECT_FALSE(progress.okEnabled());
  EXPECT_FALSE(progress.start());
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(progress.timeUp(), LiftOffTestProgress::State::Passed);
  progress.cancel();
  EXPECT_EQ(progress.state(), LiftOffTestProgress::State::Passed);
}

TEST(LiftOffTestProgressTest, WithoutAMonitorNothingStartsAndCancelStillEnds) {
  LiftOffTestProgress progress([] { return false; });
  EXPECT_FALSE(progress.start());
  EXPECT_TRUE(progress.okEnabled());
  EXPECT_EQ(progress.timeUp(), LiftOffTestProgress::State::Waiting);
  progress.cancel();
  EXPECT_EQ(progress.state(), LiftOffTestProgress::State::Cancelled);

  LiftOffTestProgress running([] { return true; });
  running.start();
  running.cancel();
  EXPECT_EQ(running.timeUp(), LiftOffTestProgress::State::Cancelled);
}

using Flags = KeyCombination::Flags;

TEST(KeyCombinationTest, NoneGreysTheOthersOutAndClearingItBringsTheirStatesBack) {
  KeyCombination keys(0x0E, Flags{false, true, true, false, false});
  EXPECT_TRUE(keys.shownChecked(KeyCombination::Shift));
  keys.setFlag(KeyCombination::None, true);
  for (auto flag :
       {KeyCombination::Shift, KeyCombination::Ctrl, KeyCombination::Alt, KeyCombination::Win}) {
    EXPECT_FALSE(keys.enabled(flag)) << flag;
    EXPECT_FALSE(keys.shownChecked(flag)) << flag;
  }
  EXPECT_TRUE(keys.enabled(KeyCombination::None));
  EXPECT_TRUE(keys.shownChecked(KeyCombination::None));
  // None alone goes to the slot as 1, whatever the others hold.
  EXPECT_EQ(keys.flagByte(), 1);
  keys.setFlag(KeyCombination::None, false);
  EXPECT_TRUE(keys.shownChecked(KeyCombination::Shift));
  EXPECT_TRUE(keys.shownChecked(KeyCombination::Ctrl));
  EXPECT_FALSE(keys.shownChecked(KeyCombination::Alt));
  EXPECT_EQ(keys.flagByte(), 0b00110);
}

TEST(KeyCombinationTest, SlotBytesGiveBackTheFlagsInDialogOrder) {
  const KeyCombination keys = KeyCombination::fromSlotBytes(0x0E, 0b10100);
  EXPECT_EQ(keys.key(), 0x0E);
  EXPECT_EQ(keys.keyName(), "K");
  EXPECT_EQ(keys.flags(), (Flags{false, false, true, false, true}));
  EXPECT_EQ(keys.flagByte(), 0b10100);
}

TEST(KeyCombinationTest, KeysAreTakenByPhysicalPositionAndOthersIgnored) {
  KeyCombination keys(0, Flags{});
  // Input code 21 is the key right of T: "Y" on a US board, "Z" on a German.
  EXPECT_TRUE(keys.takeLinuxKey(21));
  EXPECT_EQ(keys.key(), 0x1C);
  EXPECT_EQ(keys.keyName(), "Y");
  // Print Screen is a key like any other here.
  EXPECT_TRUE(keys.takeLinuxKey(99));
  EXPECT_EQ(keys.key(), 0x46);
  EXPECT_EQ(keys.keyName(), "Print Screen");
  // Keys without a row and mouse buttons leave the key as it was.
  EXPECT_FALSE(keys.takeLinuxKey(0));
  EXPECT_FALSE(keys.takeLinuxKey(464));     // KEY_FN
  EXPECT_FALSE(keys.takeVirtualKey(0x01));  // left mouse button
  EXPECT_FALSE(keys.takeVirtualKey(0xFF));
  EXPECT_EQ(keys.key(), 0x46);
  EXPECT_TRUE(keys.takeVirtualKey('Z'));
  EXPECT_EQ(keys.key(), 0x1D);
}

class ProgramChoiceTest : public ::testing::Test {
 protected:
  ProgramChoiceTest() {
    char pattern[] = "/tmp/vesk-program-choice-XXXXXX";
    root_ = ::mkdtemp(pattern);
    std::filesystem::create_directories(root_ + "/bin");
  }
  ~ProgramChoiceTest() override { std::filesystem::remove_all(root_); }
  std::string write(const std::string& name, const std::string& text, bool executable) {
    const std::string path = root_ + "/" + name;
    std::ofstream(path) << text;
    ::chmod(path.c_str(), executable ? 0755 : 0644);
    return path;
  }
  std::string root_;
};

TEST_F(ProgramChoiceTest, ExecutableFilesAndDesktopEntriesAreProgramsOtherFilesNot) {
  const std::string game = write("bin/arena", "#!/bin/sh\n", true);
  EXPECT_EQ(ProgramChoice::fromChosenFile(game, ""), game);
  EXPECT_EQ(ProgramChoice::fromChosenFile(write("notes.txt", "x", false), ""), std::nullopt);
  EXPECT_EQ(ProgramChoice::fromChosenFile(root_ + "/missing", ""), std::nullopt);
  EXPECT_EQ(ProgramChoice::fromChosenFile(root_ + "/bin", ""), std::nullopt);  // a folder

  // A bare Exec name is looked up on the path; field codes are dropped.
  const std::string entry = write("Arena.desktop",
                                  "[Desktop Action New]\nExec=other --new\n"
                                  "[Desktop Entry]\nName=Arena\nExec=arena %U\n",
                                  false);
  EXPECT_EQ(ProgramChoice::fromChosenFile(entry, "/nonexistent:" + root_ + "/bin"), game);
  // Not on the path: the name as the entry gives it.
  EXPECT_EQ(ProgramChoice::fromChosenFile(entry, "/nonexistent"), "arena");
  EXPECT_EQ(
      ProgramChoice::fromChosenFile(write("Empty.desktop", "[Desktop Entry]\nName=x\n", false), ""),
      std::nullopt);
}

TEST(DesktopEntryExecTest, QuotedProgramsKeepTheirBlanksAndEscapes) {
  EXPECT_EQ(ProgramChoice::execProgram("[Desktop Entry]\nExec=\"/opt/My Game/run\" --x\n"),
            "/opt/My Game/run");
  EXPECT_EQ(ProgramChoice::execProgram("[Desktop Entry]\r\n Exec = /usr/bin/a %f\r\n"),
            "/usr/bin/a");
  EXPECT_EQ(ProgramChoice::execProgram("[Desktop Entry]\nExec=\"/a\\\\b\\\"c\"\n"), "/a\\b\"c");
  // Exec outside the entry group does not count.
  EXPECT_EQ(ProgramChoice::execProgram("Exec=/bin/x\n[Desktop Entry]\nName=y\n"), std::nullopt);
}

}  // namespace
}  // namespace option
