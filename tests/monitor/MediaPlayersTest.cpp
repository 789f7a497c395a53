#include <gtest/gtest.h>

#include <map>

#include "MonitorFakes.h"
#include "monitor/MediaPlayers.h"

namespace monitor {
namespace {

using namespace monitor::testing;

class FakeBus : public MediaPlayerBus {
 public:
  std::vector<std::string> players() override { return running; }
  std::string playbackStatus(const std::string& player) override { return status[player]; }
  bool control(const std::string& player, std::string_view method) override {
    calls.push_back(player + " " + std::string(method));
    return true;
  }
  bool raise(const std::string& player) override {
    calls.push_back(player + " Raise");
    return true;
  }
  std::vector<std::string> running;
  std::map<std::string, std::string> status;
  std::vector<std::string> calls;
};

class MediaPlayersTest : public ::testing::Test {
 protected:
  void press(unsigned function, int option, unsigned pressFlag = 0) {
    profile.MediaOption = option;
    players.onMediaFunction(function, pressFlag, profile);
  }
  FakeBus bus;
  FakeShell shell;
  MediaPlayers players{&bus, shell};
  settings::Profile profile{};
};

const std::string kVlc = "org.mpris.MediaPlayer2.vlc";
const std::string kRhythmbox = "org.mpris.MediaPlayer2.rhythmbox";
const std::string kAudacious = "org.mpris.MediaPlayer2.audacious";

TEST_F(MediaPlayersTest, ChosenPlayerGetsTheCommandsOthersDoNot) {
  bus.running = {kRhythmbox, kVlc + ".instance4711"};
  press(33, 2);
  press(34, 2);
  press(35, 2);
  press(36, 2);
  press(34, 1);
  EXPECT_EQ(bus.calls,
            (std::vector<std::string>{kVlc + ".instance4711 Previous", kVlc + ".instance4711 Next",
                                      kVlc + ".instance4711 PlayPause", kVlc + ".instance4711 Stop",
                                      kRhythmbox + " Next"}));
}

TEST_F(MediaPlayersTest, ReleasedButtonsAndOtherCodesDoNothing) {
  bus.running = {kVlc};
  press(35, 2, 1);
  press(37, 2);
  press(31, 2);
  press(35, 7);
  press(35, -1);
  EXPECT_TRUE(bus.calls.empty());
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(MediaPlayersTest, APlayerThatIsNotRunningIsNotStartedByACommand) {
  bus.running = {"org.mpris.MediaPlayer2.vlcx"};  // a different player
  press(35, 2);
  EXPECT_TRUE(bus.calls.empty());
  EXPECT_TRUE(shell.calls.empty());
  // Opening starts it, or raises it once it runs.
  press(32, 2);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].target, "vlc");
  bus.running.push_back(kVlc);
  press(32, 2);
  EXPECT_EQ(bus.calls, std::vector<std::string>{kVlc + " Raise"});
  EXPECT_EQ(shell.calls.size(), 1u);
}

TEST_F(MediaPlayersTest, AudaciousAlternatesPlayAndPause) {
  bus.running = {kAudacious};
  press(35, 3);
  press(35, 3);
  press(35, 3);
  EXPECT_EQ(bus.calls, (std::vector<std::string>{kAudacious + " Play", kAudacious + " Pause",
                                                 kAudacious + " Play"}));
}

TEST_F(MediaPlayersTest, SystemCommandsGoToThePlayingThenTheLastActivePlayer) {
  bus.running = {kRhythmbox, kVlc};
  bus.status[kVlc] = "Playing";
  press(34, 0);
  bus.status[kVlc] = "Paused";
  press(35, 0);  // nothing plays now: the one last seen playing
  bus.status[kRhythmbox] = "Playing";
  press(36, 0);
  bus.running = {kAudacious};
  press(33, 0);  // the last active one has gone: any running player
  EXPECT_EQ(bus.calls, (std::vector<std::string>{kVlc + " Next", kVlc + " PlayPause",
                                                 kRhythmbox + " Stop", kAudacious + " Previous"}));
  bus.running.clear();
  press(35, 0);
  press(32, 0);
  EXPECT_EQ(bus.calls.size(), 4u);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].target, "rhythmbox");
}

TEST(MediaPlayersWithoutBus, OnlyOpeningStartsAPlayer) {
  FakeShell shell;
  MediaPlayers players(nullptr, shell);
  settings::Profile profile{};
  profile.MediaOption = 3;
  players.onMediaFunction(35, 0, profile);
  players.onMediaFunction(32, 0, profile);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].target, "audacious");
}

}  // namespace
}  // namespace monitor
