#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <memory>

#include "ButtonPage.h"
#include "MainDialog.h"
#include "NoticeDialog.h"
#include "platform/FakeDesktopMouse.h"
#include "settings/FunctionCodes.h"
#include "skin/ControlMessages.h"
#include "skin/CoolMenu.h"
#include "skin/LayoutEntry.h"
#include "skin/SkinButton.h"
#include "skin/SkinContext.h"
#include "skin/SkinLayout.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"
#include "skin/SmallDialogLayouts.h"

#include "WidgetTestSession.h"

namespace option {
namespace {

using testing::drain;

struct AnsweringDialogs : ButtonAssignDialogs {
  std::optional<KeyShortcut> shortcut;
  int managerOpened = 0;
  std::optional<KeyShortcut> askShortcut(const KeyShortcut&) override { return shortcut; }
  std::optional<std::string> askProgram(const std::string&) override { return std::nullopt; }
  bool selectPlayer(int&) override { return false; }
  bool createTimer(TimerList&) override { return false; }
  bool editTimers(TimerList&) override { return false; }
  void openMacroManager(MacroManagerMode, int, const settings::ButtonSlot&) override {
    ++managerOpened;
  }
  void notice(OptionNotice, const std::string&) override {}
};

QStringList titles(const QMenu& menu) {
  QStringList out;
  for (const QAction* a : menu.actions())
    out << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return out;
}

class ButtonPageWidgetTest : public ::testing::Test {
 protected:
  ButtonPageWidgetTest() {
    skin::SkinContext::instance().setProgramFolder(QStringLiteral(VESK_SUITE_DIR "/"));
    dialog_ = std::make_unique<MainDialog>(session_.folder, desktop_);
    skin::SkinContext::instance().setMainWindow(dialog_.get());
    page_ = std::make_unique<ButtonPage>(PageContext{dialog_->model(), desktop_, dialog_.get()},
                                         &dialogs_);
    page_->setMenuRunner([this](skin::CoolMenu& menu, const QPoint&) {
      ++menusRun_;
      lastMenu_ = titles(menu);
      return answer_;
    });
    dialog_->show();
    page_->show();
    page_->raise();
    drain();
  }
  ~ButtonPageWidgetTest() override {
    page_.reset();
    dialog_.reset();
  }
  settings::SettingsImage& image() { return dialog_->model().working(); }
  int profile() { return dialog_->model().shownProfile(); }
  settings::ButtonSlot& slot(int s) { return image().Profiles[profile()].MacroKeyInfo[s]; }
  // With VESK_PAGE_SHOTS naming a folder, a widget as the test left it.
  static void shot(QWidget* w, const char* name) {
    if (const char* folder = std::getenv("VESK_PAGE_SHOTS"))
      w->grab().save(QString::fromLocal8Bit(folder) + "/" + name + ".png");
  }
  void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    drain();
  }

  testing::WidgetTestSession session_;
  platform::FakeDesktopMouse desktop_;
  std::unique_ptr<MainDialog> dialog_;
  AnsweringDialogs dialogs_;
  std::unique_ptr<ButtonPage> page_;
  int answer_ = 0;
  int menusRun_ = 0;
  QStringList lastMenu_;
};

TEST_F(ButtonPageWidgetTest, BarsShowTheSlotsAndAChoiceReachesTheImageAndTheBar) {
  for (int s = 0; s < 24; ++s)
    EXPECT_EQ(page_->bar(s)->caption().toStdString(), page_->model().displayName(s)) << s;
  // Slots 1 and 2 and code-0 slots carry the fixed bar pictures.
  const QImage fixed = skin::SkinResources::bitmap(skin::res::kFixedBarNormal);
  const QImage assignable = skin::SkinResources::bitmap(skin::res::kAssignableBarNormal);
  ASSERT_FALSE(fixed.isNull());
  EXPECT_EQ(page_->bar(0)->pictures().normal, fixed);
  EXPECT_EQ(page_->bar(5)->pictures().normal, assignable);

  // Fixed bars open no menu.
  click(page_->bar(0));
  click(page_->bar(1));
  EXPECT_EQ(menusRun_, 0);

  dialogs_.shortcut = KeyShortcut{0x0E, {false, true, true, false, false}};
  answer_ = 1005;
  click(page_->bar(5));
  ASSERT_EQ(menusRun_, 1);
  EXPECT_EQ(lastMenu_.front(), QStringLiteral("Macro + Preset Compilation"));
  EXPECT_EQ(lastMenu_.back(), QStringLiteral("Open Driver"));
  EXPECT_EQ(slot(5).FunctionCode, settings::code(settings::FunctionCode::Key));
  EXPECT_EQ(image().SlotChanged[profile()][5], 1);
  EXPECT_EQ(page_->bar(5)->caption(), QStringLiteral("Ctrl+Shift+K"));
  shot(page_.get(), "button-page");
}

TEST_F(ButtonPageWidgetTest, DualShiftOnButton4TurnsItsPartnerBarFixed) {
  slot(3).FunctionCode = settings::code(settings::FunctionCode::Click);
  slot(15).FunctionCode = settings::code(settings::FunctionCode::WindowsMute);
  page_->refresh();
  answer_ = 1024;
  click(page_->bar(3));
  EXPECT_EQ(lastMenu_.mid(0, 2), (QStringList{QStringLiteral("Dual-Shift[+] Vesk ORB Optical"),
                                              QStringLiteral("NIVARO Chorus")}));
  EXPECT_EQ(slot(15).FunctionCode, 0);
  EXPECT_EQ(page_->bar(15)->caption(), QStringLiteral("Disabled"));
  EXPECT_EQ(page_->bar(15)->pictures().normal,
            skin::SkinResources::bitmap(skin::res::kFixedBarNormal));
  const int before = menusRun_;
  click(page_->bar(15));
  EXPECT_EQ(menusRun_, before);
}

TEST_F(ButtonPageWidgetTest, MenusAreSkinnedWithTheirWidths) {
  const std::unique_ptr<skin::CoolMenu> menu = page_->buildMenu(3);
  EXPECT_EQ(menu->itemWidth(), 140);
  auto* chorus = qobject_cast<skin::CoolMenu*>(menu->actions().at(1)->menu());
  ASSERT_NE(chorus, nullptr);
  EXPECT_EQ(chorus->itemWidth(), 170);
  EXPECT_EQ(skin::CoolMenu::command(chorus->actions().at(0)), 11200);
  menu->popup(QPoint(0, 0));
  drain();
  shot(menu.get(), "button-menu");
  chorus->popup(QPoint(0, 0));
  drain();
  shot(chorus, "button-menu-chorus");
}

TEST_F(ButtonPageWidgetTest, HoverShowsTheHighlightPictureOverItsLayer) {
  slot(3).FunctionCode = settings::code(settings::FunctionCode::DualShift);
  slot(4).FunctionCode = settings::code(settings::FunctionCode::Click);
  page_->handleControlMessage(skin::ButtonHoverMsg, 1, 213);
  EXPECT_EQ(page_->shownPicture(), 13);
  QLabel* right = page_->pictureLabel(13);
  EXPECT_TRUE(right->isVisible());
  EXPECT_EQ(right->pos(), QPoint(582, 32));
  EXPECT_EQ(right->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
            skin::SkinResources::bitmap(skin::res::buttonHighlight(13, false))
                .convertToFormat(QImage::Format_RGB32));
  shot(page_.get(), "button-page-hover");
  page_->handleControlMessage(skin::ButtonHoverMsg, 0, 213);
  EXPECT_FALSE(right->isVisible());

  page_->handleControlMessage(skin::ButtonHoverMsg, 1, 202);
  EXPECT_TRUE(page_->pictureLabel(2)->isVisible());
  page_->refresh();  // a load hides it
  EXPECT_FALSE(page_->pictureLabel(2)->isVisible());
  EXPECT_EQ(page_->shownPicture(), -1);
}

TEST_F(ButtonPageWidgetTest, OrientationButtonsSwitchTheProfileAndTheDrawing) {
  const QImage right = page_->face();
  page_->orientationButton(1)->click();
  drain();
  EXPECT_EQ(image().Profiles[profile()].Orientation, 1);
  EXPECT_NE(page_->face(), right);
  EXPECT_TRUE(page_->orientationButton(1)->isSelected());
  page_->orientationButton(0)->click();
  drain();
  EXPECT_EQ(image().Profiles[profile()].Orientation, 0);
  EXPECT_EQ(page_->face(), right);

  click(page_->macroManagerButton());
  EXPECT_EQ(dialogs_.managerOpened, 1);
}

TEST_F(ButtonPageWidgetTest, RefusalsShowTheSkinnedNoticeOverThePage) {
  // The page with the program's own dialogs; no timers exist, so "Edit/Delete
  // Timer" is refused with the notice.
  ButtonPage page(PageContext{dialog_->model(), desktop_, dialog_.get()});
  page.setMenuRunner([](skin::CoolMenu&, const QPoint&) { return ButtonPageModel::kEditTimers; });
  page.show();
  drain();
  bool seen = false;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    ASSERT_NE(modal, nullptr);
    EXPECT_EQ(qobject_cast<QMessageBox*>(modal), nullptr);
    auto* notice = qobject_cast<NoticeDialog*>(modal);
    ASSERT_NE(notice, nullptr);
    seen = true;
    EXPECT_EQ(notice->notice(), OptionNotice::NoTimers);
    EXPECT_TRUE(notice->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(notice->size(), notice->face().size());
    EXPECT_EQ(notice->face(), skin::SkinResources::bitmap(skin::res::kNoTimersNoticeDialog));
    EXPECT_EQ(notice->cancelButton(), nullptr);
    shot(notice, "notice-no-timers");
    QTest::keyClick(notice, Qt::Key_Return);  // as OK
  });
  click(page.bar(8));
  EXPECT_TRUE(seen);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(ButtonPageWidgetTest, NoticeWritesItsDetailOnThePanelItsPictureLeaves) {
  const QString path = QStringLiteral("/home/player/games/with a long folder name/Arena.nmp");
  NoticeDialog withDetail(OptionNotice::ProfileNotSaved, path);
  NoticeDialog plain(OptionNotice::ProfileNotSaved, QString());
  withDetail.show();
  plain.show();
  drain();
  const QImage a = withDetail.grab().toImage();
  const QImage b = plain.grab().toImage();
  const QRect panel = skin::layoutRect(skin::parseLayout(skin::dialogs::kNoticeDetail));
  // The text lands inside the panel and nowhere else.
  EXPECT_NE(a.copy(panel), b.copy(panel));
  QImage outside = a;
  QImage outsidePlain = b;
  for (QImage* image : {&outside, &outsidePlain}) {
    QPainter painter(image);
    painter.fillRect(panel, Qt::black);
  }
  EXPECT_EQ(outside, outsidePlain);
  shot(&withDetail, "notice-profile-not-saved");
}

}  // namespace
}  // namespace option
