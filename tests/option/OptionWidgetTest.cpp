#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "DpiLevelRow.h"
#include "LightPage.h"
#include "MainDialog.h"
#include "MainPage.h"
#include "platform/FakeDesktopMouse.h"
#include "skin/CclickHSlider.h"
#include "skin/GifPlayer.h"
#include "skin/SkinButton.h"
#include "skin/SkinContext.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"
#include "skin/SpinEdit.h"

#include "WidgetTestSession.h"

namespace option {
namespace {

using testing::drain;

class OptionWidgetTest : public ::testing::Test {
 protected:
  OptionWidgetTest() {
    std::ofstream(folder_ + "help/English_help.ini")
        << "[Strings]\r\n1003=Main settings\r\n1028=How fast the pointer moves\r\n";
    std::ofstream(folder_ + "help/German_help.ini") << "[Strings]\r\n1003=Haupteinstellungen\r\n";
    // Pictures come from the built program folder (missing ones draw nothing).
    skin::SkinContext::instance().setProgramFolder(QStringLiteral(VESK_SUITE_DIR "/"));
    dialog_ = std::make_unique<MainDialog>(folder_, desktop_);
    dialog_->show();
    drain();
  }
  ~OptionWidgetTest() override { dialog_.reset(); }
  MainPage& mainPage() { return *dynamic_cast<MainPage*>(dialog_->page(OptionPage::Main)); }
  settings::SettingsImage& image() { return dialog_->model().working(); }
  static void click(QWidget* w, QPoint at = {}) {
    QTest::mouseClick(w, Qt::LeftButton, {}, at.isNull() ? w->rect().center() : at);
    drain();
  }

  testing::WidgetTestSession session_;
  const std::string& folder_ = session_.folder;
  platform::FakeDesktopMouse desktop_;
  std::unique_ptr<MainDialog> dialog_;
};

TEST_F(OptionWidgetTest, ExactlyOnePageIsVisibleAndItsTabMarked) {
  EXPECT_EQ(dialog_->visiblePage(), OptionPage::Main);
  click(dialog_->tab(OptionPage::Color));
  for (int k = 0; k < OptionPage::kCount; ++k) {
    EXPECT_EQ(dialog_->page(k)->widget()->isVisible(), k == OptionPage::Color) << k;
    EXPECT_EQ(dialog_->tab(k)->isSelected(), k == OptionPage::Color) << k;
  }
  EXPECT_EQ(dialog_->page(OptionPage::Main)->widget()->geometry(), QRect(12, 124, 774, 312));
}

TEST_F(OptionWidgetTest, PagesAreBuiltWhenFirstShownWithTheImageOfThatMoment) {
  for (int k = 0; k < OptionPage::kCount; ++k)
    EXPECT_EQ(dialog_->builtPage(k) != nullptr, k == OptionPage::Main) << k;
  image().Profiles[2].LightEffectSpeed = 3;
  click(dialog_->profileTab(2));

  click(dialog_->tab(OptionPage::Color));
  auto* light = dynamic_cast<LightPage*>(dialog_->builtPage(OptionPage::Color));
  ASSERT_NE(light, nullptr);
  EXPECT_TRUE(light->isVisible());
  EXPECT_FALSE(mainPage().isVisible());
  EXPECT_EQ(light->speed()->value(), 3);
  EXPECT_EQ(dialog_->builtPage(OptionPage::Trophy), nullptr);
  // Built once: showing it again is the same page.
  click(dialog_->tab(OptionPage::Main));
  click(dialog_->tab(OptionPage::Color));
  EXPECT_EQ(dialog_->builtPage(OptionPage::Color), light);
}

TEST_F(OptionWidgetTest, MainPageSlidersShowTheirFilledPart) {
  skin::CclickHSlider* slider = mainPage().slider(MainPageModel::kTiltSlider);
  const QPoint middle(slider->width() / 2, slider->height() / 2);
  slider->setPosition(1);
  const QRgb empty = slider->grab().toImage().pixel(middle);
  slider->setPosition(10);
  EXPECT_NE(slider->grab().toImage().pixel(middle), empty);
}

TEST_F(OptionWidgetTest, HoverAndDisabledPicturesFollowTheFirstPaintOrTheFirstMove) {
  using skin::SkinResources::bitmap;
  const QImage hoverSheet = bitmap(skin::res::kMainHover);
  const QImage disabledSheet = bitmap(skin::res::kMainDisabled);
  ASSERT_FALSE(hoverSheet.isNull());
  // Shown and painted: the sheets were completed right after the paint.
  EXPECT_TRUE(dialog_->sheetsComplete());
  EXPECT_TRUE(mainPage().sheetsComplete());
  skin::SkinButton* color = dialog_->tab(OptionPage::Color);
  EXPECT_EQ(color->pictures().hover, hoverSheet.copy(color->geometry()));
  EXPECT_EQ(color->pictures().disabled, disabledSheet.copy(color->geometry()));
  EXPECT_FALSE(mainPage().row(1)->bar()->pictures().hover.isNull());

  // Never painted: the first paint's pictures only, until the pointer moves.
  dialog_.reset();
  MainDialog quiet(folder_, desktop_);
  ASSERT_FALSE(quiet.sheetsComplete());
  auto& page = *dynamic_cast<MainPage*>(quiet.page(OptionPage::Main));
  EXPECT_FALSE(page.sheetsComplete());
  skin::SkinButton* tab = quiet.tab(OptionPage::Color);
  EXPECT_FALSE(tab->pictures().normal.isNull());
  EXPECT_FALSE(tab->pictures().pressed.isNull()) << "a selected tab is drawn pressed at once";
  EXPECT_TRUE(tab->pictures().hover.isNull());

  QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&quiet, &move);
  QApplication::sendEvent(&page, &move);
  EXPECT_FALSE(quiet.sheetsComplete()) << "the pointer over the background needs no hover pictures";
  QApplication::sendEvent(page.row(1)->bar(), &move);
  EXPECT_TRUE(page.sheetsComplete());
  EXPECT_FALSE(quiet.sheetsComplete()) << "a page's button needs only the page's hover sheet";
  QApplication::sendEvent(tab, &move);
  EXPECT_TRUE(quiet.sheetsComplete());
  EXPECT_TRUE(tab->isHover());
  EXPECT_EQ(tab->currentPicture(), skin::SkinButton::Picture::Hover);
  EXPECT_EQ(tab->pictures().hover, hoverSheet.copy(tab->geometry()));
  const QRect bar = page.row(1)->bar()->geometry().translated(page.row(1)->pos());
  EXPECT_EQ(page.row(1)->bar()->pictures().hover, bitmap(skin::res::kMainPageHover).copy(bar));
}

TEST_F(OptionWidgetTest, HeaderBadgeShowsOnlyForMouseTypeOne) {
  for (int type : {-1, 0, 2, 99}) {
    image().MouseType = type;
    dialog_->refresh();
    EXPECT_FALSE(dialog_->mouseTypeBadge()->isVisible()) << type;
  }
  image().MouseType = 1;
  dialog_->refresh();
  EXPECT_TRUE(dialog_->mouseTypeBadge()->isVisible());
}

TEST_F(OptionWidgetTest, ProfileTabsSelectTheirSlotAndThePageShowsIt) {
  image().Profiles[3].TiltSpeed = 8;
  click(dialog_->profileTab(3));
  EXPECT_EQ(image().CurrentProfile, 3);
  EXPECT_TRUE(dialog_->profileTab(3)->isSelected());
  EXPECT_FALSE(dialog_->profileTab(0)->isSelected());
  EXPECT_EQ(mainPage().slider(MainPageModel::kTiltSlider)->value(), 8);
}

TEST_F(OptionWidgetTest, WindowsProfileMarkerAsksAndTogglesBack) {
  image().WindowsProfile = -1;
  dialog_->refresh();
  dialog_->answerNextWindowsProfileDialog(false);
  click(dialog_->windowsMarker(2, false));
  EXPECT_EQ(image().WindowsProfile, -1);
  dialog_->answerNextWindowsProfileDialog(true);
  click(dialog_->windowsMarker(2, false));
  EXPECT_EQ(image().WindowsProfile, 2);
  EXPECT_TRUE(dialog_->windowsMarker(2, true)->isVisible());
  EXPECT_FALSE(dialog_->windowsMarker(2, false)->isVisible());
  click(dialog_->windowsMarker(2, true));  // no question to take it away
  EXPECT_EQ(image().WindowsProfile, -1);
}

TEST_F(OptionWidgetTest, LanguageChoiceReloadsTheHelpTexts) {
  EXPECT_EQ(dialog_->tab(OptionPage::Main)->helpText(), QStringLiteral("Main settings"));
  EXPECT_EQ(mainPage().slider(MainPageModel::kSensitivitySlider)->helpText(),
            QStringLiteral("How fast the pointer moves"));
  // Ids without a text keep their layout string's help.
  EXPECT_EQ(dialog_->tab(OptionPage::Update)->helpText(),
            QStringLiteral("Check for the lastest driver update"));
  dialog_->answerNextLanguageChoice(4);
  dialog_->chooseLanguage();
  EXPECT_EQ(image().QuickHelpLan, 4);
  EXPECT_EQ(dialog_->tab(OptionPage::Main)->helpText(), QStringLiteral("Haupteinstellungen"));
  EXPECT_EQ(mainPage().slider(MainPageModel::kSensitivitySlider)->helpText(),
            QStringLiteral("How fast the pointer moves"));
  dialog_->answerNextLanguageChoice(-1);  // clicked outside the list
  dialog_->chooseLanguage();
  EXPECT_EQ(image().QuickHelpLan, 4);
}

TEST_F(OptionWidgetTest, HoveredControlsHelpTextShowsInTheQuickHelpStrip) {
  skin::SkinContext::instance().announceHelpText(QStringLiteral("Apply the setting"));
  drain();
  EXPECT_EQ(dialog_->quickHelp(), QStringLiteral("Apply the setting"));
}

TEST_F(OptionWidgetTest, DpiRowBarMakesItsLevelCurrentAndLocksItsEnableBox) {
  const int p = dialog_->model().shownProfile();
  click(mainPage().row(3)->bar());
  EXPECT_EQ(image().Profiles[p].Cpi_X, 3);
  EXPECT_TRUE(mainPage().row(3)->bar()->isSelected());
  EXPECT_FALSE(mainPage().row(3)->enableBox()->isEnabled());
  EXPECT_TRUE(mainPage().row(0)->enableBox()->isEnabled());
  // The X slider's right end is 6400 DPI; the spin follows.
  skin::CclickHSlider* x = mainPage().row(1)->xSlider();
  click(x, QPoint(x->width() - 1, x->height() / 2));
  EXPECT_EQ(image().Profiles[p].CpiLevel_X[1], 64);
  EXPECT_EQ(mainPage().row(1)->xSpin()->value(), 6400);
}

TEST_F(OptionWidgetTest, DoubleClickSliderSetsTheDesktopAtOnce) {
  const int p = dialog_->model().shownProfile();
  skin::CclickHSlider* slider = mainPage().slider(MainPageModel::kDoubleClickSlider);
  click(slider, QPoint(0, slider->height() / 2));
  EXPECT_EQ(image().Profiles[p].DbleClickSpeed, 900);
  EXPECT_EQ(desktop_.values.doubleClickTime, 900);
}

TEST_F(OptionWidgetTest, ColorFlowAnimationsShowOnlyForFlowsOneToFive) {
  settings::Profile& p = image().Profiles[1];
  p.LightEffectType = 2;
  p.LightColorFlow = 3;
  image().Profiles[2].LightEffectType = 2;
  image().Profiles[2].LightColorFlow = 200;
  dialog_->refresh();
  for (int flow = 1; flow <= 5; ++flow) {
    EXPECT_EQ(dialog_->colorFlow(1, flow)->isVisible(), flow == 3);
    EXPECT_FALSE(dialog_->colorFlow(2, flow)->isVisible());
  }
  p.LightColorFlow = 0;
  dialog_->refresh();
  EXPECT_FALSE(dialog_->colorFlow(1, 3)->isVisible());
}

// Whatever a broken shared image or settings file holds, showing it never
// crashes and never changes it: the controls' echoes are not edits.
TEST_F(OptionWidgetTest, RandomImagesShowWithoutWritingAnythingBack) {
  std::mt19937 random(20261209);
  for (int k = 0; k < OptionPage::kCount; ++k) dialog_->page(k);  // every page refreshes
  auto before = std::make_unique<settings::SettingsImage>();
  auto* bytes = reinterpret_cast<unsigned char*>(&image());
  for (int round = 0; round < 60; ++round) {
    for (std::size_t i = 0; i < settings::kFirstProfileOffset + settings::kFirstSlotOffsetInProfile;
         ++i)
      bytes[i] = static_cast<unsigned char>(random());
    for (int p = 1; p < settings::kProfileCount; ++p)
      std::memcpy(&image().Profiles[p], &image().Profiles[0], settings::kFirstSlotOffsetInProfile);
    // Small values are the interesting ones: near the edges of every range.
    if (round % 2) {
      auto* words = reinterpret_cast<std::int32_t*>(bytes);
      for (std::size_t i = 0; i < 33; ++i) words[i] = static_cast<int>(random() % 23) - 6;
      for (int p = 0; p < settings::kProfileCount; ++p) {
        settings::Profile& profile = image().Profiles[p];
        profile.Sensitivity = static_cast<int>(random() % 20) - 4;
        profile.Cpi_X = static_cast<int>(random() % 12) - 2;
        for (int i = 0; i < 5; ++i) profile.CpiLevel_X[i] = static_cast<int>(random() % 70) - 2;
      }
    }
    std::memcpy(before.get(), &image(), sizeof *before);
    dialog_->refresh();
    drain();
    ASSERT_EQ(std::memcmp(before.get(), &image(), sizeof *before), 0) << "round " << round;
  }
  EXPECT_EQ(desktop_.changes, 0);
}

}  // namespace
}  // namespace option
