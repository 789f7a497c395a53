#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "AdvancedPage.h"
#include "ColorLineWindow.h"
#include "LightPage.h"
#include "LoopbackHttpServer.h"
#include "MainDialog.h"
#include "TrophyIcon.h"
#include "TrophyPage.h"
#include "UpdatePage.h"
#include "platform/FakeDesktopMouse.h"
#include "platform/Window.h"
#include "skin/CclickHSlider.h"
#include "skin/GifPlayer.h"
#include "skin/SkinButton.h"
#include "skin/SkinContext.h"
#include "skin/TrophyPageLayout.h"

#include "WidgetTestSession.h"

namespace option {
namespace {

using testing::drain;

class PagesWidgetTest : public ::testing::Test {
 protected:
  PagesWidgetTest() {
    std::ofstream(folder_ + "help/English_help.ini")
        << "[Strings]\r\n1091=Switcher: change profiles often\r\n";
    skin::SkinContext& context = skin::SkinContext::instance();
    context.setProgramFolder(QStringLiteral(VESK_SUITE_DIR "/"));
    context.setShellOpener([this](const QString& target) { opened_.push_back(target); });
    dialog_ = std::make_unique<MainDialog>(folder_, desktop_);
    context.setMainWindow(dialog_.get());
    dialog_->show();
    drain();
  }
  ~PagesWidgetTest() override {
    dialog_.reset();
    skin::SkinContext::instance().setShellOpener({});
  }
  template <class Page>
  Page& page(int kind) {
    dialog_->showPage(kind);
    drain();
    return *dynamic_cast<Page*>(dialog_->page(kind));
  }
  settings::Profile& shown() {
    return dialog_->model().working().Profiles[dialog_->model().shownProfile()];
  }
  // With VESK_PAGE_SHOTS naming a folder, the window as the test left it.
  void shot(const char* name) {
    if (const char* folder = std::getenv("VESK_PAGE_SHOTS"))
      dialog_->grab().save(QString::fromLocal8Bit(folder) + "/" + name + ".png");
  }
  static void click(QWidget* w, QPoint at = {}) {
    QTest::mouseClick(w, Qt::LeftButton, {}, at.isNull() ? w->rect().center() : at);
    drain();
  }

  testing::WidgetTestSession session_;
  const std::string& folder_ = session_.folder;
  platform::FakeDesktopMouse desktop_;
  std::unique_ptr<MainDialog> dialog_;
  QStringList opened_;
};

TEST_F(PagesWidgetTest, ColorPageClicksReachTheWorkingImage) {
  shown().LightEffectType = 1;
  auto& light = page<LightPage>(OptionPage::Color);
  light.refresh();
  // Zone 3's dot picks zone 3; a swatch paints it.
  click(light.preview(), QPoint(204, 231));
  EXPECT_EQ(light.model().view().zone, 3);
  EXPECT_EQ(light.preview()->zone(), 3);
  click(light.swatch(23));
  EXPECT_EQ(shown().LightInfo[3].ColorIndex, 23);
  EXPECT_EQ(shown().LightInfo[3].Blue, 250);
  EXPECT_TRUE(light.swatch(23)->isSelected());
  EXPECT_FALSE(light.swatch(0)->isSelected());
  click(light.effect(3));
  EXPECT_EQ(shown().LightEffectType, 3);
  EXPECT_TRUE(light.effect(3)->isSelected());
  click(light.effect(0));
  EXPECT_FALSE(light.lightSwitch()->isVisible()) << "effect off hides the zone switch";
  click(light.flow(5));
  EXPECT_EQ(shown().LightColorFlow, 5);
  click(light.forAll());
  EXPECT_EQ(shown().UseColorForAll, 1);
  click(light.speed(), QPoint(light.speed()->width() - 1, 10));
  EXPECT_EQ(shown().LightEffectSpeed, 3);
  click(light.effect(2));
  shot("color");
}

TEST_F(PagesWidgetTest, TrophyPageShowsTheLevelAndResetsOnlyAfterOk) {
  settings::UsageInfo& info = dialog_->model().working().InfoData;
  info.Counters[0] = 1234;
  info.TrophyFlags[0] = info.TrophyFlags[1] = 1;
  auto& trophy = page<TrophyPage>(OptionPage::Trophy);
  trophy.refresh();
  EXPECT_EQ(trophy.model().level(), 2);
  EXPECT_TRUE(trophy.levelPicture(2)->isVisibleTo(&trophy));
  EXPECT_FALSE(trophy.levelPicture(1)->isVisibleTo(&trophy));

  trophy.setConfirmReset([] { return false; });
  click(trophy.button(skin::trophypage::kReset));
  EXPECT_EQ(dialog_->model().working().InfoData.Counters[0], 1234);
  trophy.setConfirmReset([] { return true; });
  click(trophy.button(skin::trophypage::kReset));
  EXPECT_EQ(dialog_->model().working().InfoData.Counters[0], 0);
  EXPECT_EQ(dialog_->model().baseline().InfoData.Counters[0], 0);
  EXPECT_EQ(trophy.model().level(), 2);

  click(trophy.button(skin::trophypage::kNextTrophy));
  EXPECT_EQ(trophy.model().trophy(), 1);
  EXPECT_EQ(trophy.shownTrophy()->helpText(), trophy.icon(1)->helpText());
  shot("trophy");
}

TEST_F(PagesWidgetTest, ShareOpensOnlyASafeAnswerWithoutBlockingTheWindow) {
  for (const auto& [answer, safe] :
       {std::pair<std::string, bool>{"https://share.example/t/30\r\n", true},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"", false}}) {
    LoopbackHttpServer server(answer);
    ::setenv("VESK_TROPHY_SERVICE", server.base().c_str(), 1);
    TrophyPage fresh(PageContext{dialog_->model(), desktop_, dialog_.get()});
    ::unsetenv("VESK_TROPHY_SERVICE");
    QSignalSpy done(&fresh, &TrophyPage::shareFinished);
    opened_.clear();
    click(fresh.button(skin::trophypage::kShare));
    EXPECT_TRUE(fresh.sharing() || done.count() == 1);
    ASSERT_TRUE(done.count() == 1 || done.wait(20000)) << answer;
    EXPECT_EQ(server.paths().size(), 1u);
    if (safe) {
      EXPECT_EQ(opened_, QStringList{QStringLiteral("https://share.example/t/30")});
      EXPECT_TRUE(fresh.notice().isEmpty());
    } else {
      EXPECT_TRUE(opened_.isEmpty()) << answer;
      EXPECT_FALSE(fresh.notice().isEmpty());
    }
    EXPECT_FALSE(fresh.sharing());
  }
}

TEST_F(PagesWidgetTest, APageClosedDuringAShareEndsTheTransfer) {
  SilentHttpServer server;
  ::setenv("VESK_TROPHY_SERVICE", server.base().c_str(), 1);
  auto fresh = std::make_unique<TrophyPage>(PageContext{dialog_->model(), desktop_, dialog_.get()});
  ::unsetenv("VESK_TROPHY_SERVICE");
  QSignalSpy done(fresh.get(), &TrophyPage::shareFinished);
  click(fresh->button(skin::trophypage::kShare));
  EXPECT_TRUE(fresh->sharing());
  EXPECT_FALSE(server.clientHungUpWithin(200)) << "the service is still being asked";
  fresh.reset();
  EXPECT_TRUE(server.clientHungUpWithin(100)) << "the transfer ended with its page";
  drain();
  EXPECT_EQ(done.count(), 0);
  EXPECT_TRUE(opened_.isEmpty());
}

TEST_F(PagesWidgetTest, UpdatePageButtonsOpenTheirAddresses) {
  auto& update = page<UpdatePage>(OptionPage::Update);
  click(update.button(UpdatePageModel::kMailLower));
  click(update.button(UpdatePageModel::kSupportForm));
  ASSERT_EQ(opened_.size(), 2);
  EXPECT_TRUE(opened_[0].startsWith(QStringLiteral("mailto:")));
  EXPECT_TRUE(opened_[1].endsWith(QStringLiteral("Support/Support/Support-Form/")));
  EXPECT_EQ(update.model().softwareLabel(), "V1.06");
  shot("update");
}

TEST_F(PagesWidgetTest, LiftOffTrialEndsAndRestoresWhenTheMonitorClosesTheWindow) {
  // A Monitor that only listens.
  std::vector<std::pair<platform::UINT, platform::LPARAM>> toMonitor;
  const platform::HWND monitor = platform::CreateWindow(
      "NIVARO Vesk ORB Optical Mouse Monitor",
      [&](platform::HWND, platform::UINT m, platform::WPARAM, platform::LPARAM l) {
        if (m >= platform::WM_USER) toMonitor.emplace_back(m, l);
        return platform::LRESULT{0};
      });
  ASSERT_NE(monitor, platform::kNoWindow);
  dialog_->model().working().LiftOnFlag = 3;
  auto& advanced = page<AdvancedPage>(OptionPage::Advanced);
  // The mouse is unplugged while the trial's dialog is open.
  QTimer::singleShot(50, dialog_.get(), [this] {
    ASSERT_NE(QApplication::activeModalWidget(), nullptr);
    dialog_->handleMessage(platform::WM_CLOSE, 0, 0);
  });
  // Should it stay open, the test ends it later rather than hanging.
  QTimer::singleShot(3000, dialog_.get(), [] {
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  QElapsedTimer open;
  open.start();
  click(advanced.liftOffButton(1));
  EXPECT_LT(open.elapsed(), 2000) << "the trial ended with the window";
  platform::PumpMessages();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "no dialog is left open";
  EXPECT_FALSE(dialog_->isVisible());
  EXPECT_EQ(dialog_->model().working().LiftOnFlag, 3) << "the old distance is back";
  EXPECT_EQ(toMonitor, (std::vector<std::pair<platform::UINT, platform::LPARAM>>{{1230, 253}}));
  platform::DestroyWindow(monitor);
}

}  // namespace
}  // namespace option
