#include "option/CalibrationWizard.h"

#include <gtest/gtest.h>

#include <vector>

#include "option/CountdownConfirmation.h"
#include "platform/VirtualClock.h"
#include "platform/Window.h"

namespace option {
namespace {

using Wizard = CalibrationWizard;
using Panel = Wizard::Panel;

struct Post {
  std::int64_t at;
  platform::UINT msg;
  platform::LPARAM lParam;
  bool operator==(const Post&) const = default;
};

class CalibrationWizardTest : public ::testing::Test {
 protected:
  CalibrationWizardTest() { EXPECT_TRUE(wizard->open()); }

  // What the Monitor would see posted, as the Monitor would: to the wizard's
  // window found by its title.
  void fromMonitor(platform::UINT msg, platform::LPARAM lParam = 0) {
    const platform::HWND found = platform::FindWindow(Wizard::kTitle);
    ASSERT_NE(found, platform::kNoWindow);
    platform::PostMessage(found, msg, 0, lParam);
    platform::RunMessagesFor(0);
  }
  std::vector<Post> postsOf(platform::UINT msg) const {
    std::vector<Post> out;
    for (const Post& p : posts)
      if (p.msg == msg) out.push_back(p);
    return out;
  }

  platform::ScopedVirtualClock clock{10000};
  std::vector<Post> posts;
  int pictures = 0;
  int changes = 0;
  std::vector<Wizard::Ending> endings;
  std::unique_ptr<Wizard> wizard =
      std::make_unique<Wizard>(Wizard::Ports{[this](platform::UINT m, platform::LPARAM l) {
                                               posts.push_back({platform::now(), m, l});
                                             },
                                             [this] { ++pictures; }, [this] { ++changes; },
                                             [this](Wizard::Ending e) { endings.push_back(e); }});
};

TEST_F(CalibrationWizardTest, StartSamplesFiveTimesTwoSecondsApartThenRunsOnce) {
  EXPECT_EQ(wizard->panel(), Panel::Start);
  wizard->start();
  EXPECT_EQ(wizard->panel(), Panel::Progress);
  EXPECT_EQ(wizard->step(), 1);
  EXPECT_EQ(wizard->countdown(), 4);
  platform::RunMessagesFor(60000);
  const std::vector<Post> expected = {{10000, 1229, 0}, {12000, 1229, 0}, {14000, 1229, 0},
                                      {16000, 1229, 0}, {18000, 1229, 0}, {20000, 1231, 1}};
  EXPECT_EQ(posts, expected);
  EXPECT_FALSE(wizard->sampling());

  wizard->start();  // Start is gone once the wizard left its first panel
  platform::RunMessagesFor(10000);
  EXPECT_EQ(posts.size(), expected.size());
}

TEST_F(CalibrationWizardTest, CancelOrClosingDuringSamplingStopsTheRequests) {
  wizard->start();
  platform::RunMessagesFor(3000);
  EXPECT_EQ(postsOf(1229).size(), 2u);
  wizard->cancel();
  EXPECT_EQ(endings, std::vector<Wizard::Ending>{Wizard::Ending::Cancelled});
  platform::RunMessagesFor(30000);
  EXPECT_EQ(posts.size(), 2u) << "no picture request and no run after Cancel";
  wizard->cancel();
  EXPECT_EQ(endings.size(), 1u);

  // A wizard closed (destroyed) mid-sampling leaves no timer and no window.
  wizard = std::make_unique<Wizard>(Wizard::Ports{[this](platform::UINT m, platform::LPARAM l) {
                                                    posts.push_back({platform::now(), m, l});
                                                  },
                                                  {},
                                                  {},
                                                  {}});
  ASSERT_TRUE(wizard->open());
  wizard->start();
  wizard.reset();
  EXPECT_EQ(platform::FindWindow(Wizard::kTitle), platform::kNoWindow);
  platform::RunMessagesFor(30000);
  EXPECT_EQ(posts.size(), 3u);
}

TEST_F(CalibrationWizardTest, PictureOnTheStartPanelOnlyReloads) {
  fromMonitor(Wizard::kPictureStoredMsg);
  EXPECT_EQ(pictures, 1);
  EXPECT_EQ(wizard->panel(), Panel::Start);
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(posts.empty());
  // An outcome nobody asked for is stray: the wizard stays where it is.
  fromMonitor(Wizard::kOutcomeMsg, 1);
  EXPECT_EQ(wizard->panel(), Panel::Start);
  wizard->finish();
  EXPECT_TRUE(endings.empty());
}

TEST_F(CalibrationWizardTest, FailureOffersRetryWhichRunsAgainWithoutNewPictures) {
  wizard->start();
  platform::RunMessagesFor(10000);
  fromMonitor(Wizard::kPictureStoredMsg);
  EXPECT_EQ(pictures, 1);
  EXPECT_EQ(wizard->panel(), Panel::Progress) << "a picture changes no panel";
  fromMonitor(Wizard::kOutcomeMsg, 2);
  EXPECT_EQ(wizard->panel(), Panel::Retry);
  EXPECT_EQ(wizard->step(), 1);
  EXPECT_EQ(wizard->result(), 2);
  wizard->finish();  // Continue lives on the success panel only
  EXPECT_TRUE(endings.empty());

  posts.clear();
  wizard->retry();
  EXPECT_EQ(wizard->panel(), Panel::Progress);
  EXPECT_EQ(wizard->result(), 0);
  platform::RunMessagesFor(30000);
  EXPECT_EQ(posts, (std::vector<Post>{{platform::now() - 30000, 1231, 1}}));
  wizard->retry();  // not on the retry panel any more
  EXPECT_EQ(posts.size(), 1u);

  fromMonitor(Wizard::kOutcomeMsg, 0x7f);  // anything but 1 is a failure
  EXPECT_EQ(wizard->panel(), Panel::Retry);
  wizard->retry();
  fromMonitor(Wizard::kOutcomeMsg, 1);
  EXPECT_EQ(wizard->panel(), Panel::Success);
  EXPECT_EQ(wizard->step(), 2);
  EXPECT_EQ(wizard->result(), 1);
  wizard->finish();
  EXPECT_EQ(endings, std::vector<Wizard::Ending>{Wizard::Ending::Ok});
  fromMonitor(Wizard::kOutcomeMsg, 2);
  EXPECT_EQ(wizard->panel(), Panel::Success) << "an ended wizard takes no more answers";
}

TEST_F(CalibrationWizardTest, CloseMessageCancels) {
  fromMonitor(platform::WM_CLOSE);
  EXPECT_EQ(endings, std::vector<Wizard::Ending>{Wizard::Ending::Cancelled});
}

TEST(CalibrationConfirmation, FifteenUntouchedSecondsRefuse) {
  CountdownConfirmation c(CountdownConfirmation::kCalibrationSeconds);
  EXPECT_EQ(c.remainingText(), "15 sec");
  for (int i = 0; i < 14; ++i) EXPECT_EQ(c.tick(), CountdownConfirmation::State::Running);
  EXPECT_EQ(c.remainingText(), "1 sec");
  EXPECT_EQ(c.tick(), CountdownConfirmation::State::Refused);
  EXPECT_EQ(c.remaining(), 0);
  c.accept();
  EXPECT_EQ(c.state(), CountdownConfirmation::State::Refused) << "too late";

  CountdownConfirmation kept(CountdownConfirmation::kCalibrationSeconds);
  kept.tick();
  kept.accept();
  kept.refuse();
  EXPECT_EQ(kept.state(), CountdownConfirmation::State::Accepted);
  EXPECT_EQ(kept.tick(), CountdownConfirmation::State::Accepted);
  EXPECT_EQ(kept.remaining(), 14);
}

}  // namespace
}  // namespace option
