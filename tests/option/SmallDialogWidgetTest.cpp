#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <cstring>

#include "ConfirmDialog.h"
#include "CountdownConfirmDialog.h"
#include "EditTimersDialog.h"
#include "KeyCombinationDialog.h"
#include "LiftOffTestDialog.h"
#include "MacroSetNameDialog.h"
#include "NewTimerDialog.h"
#include "PlayerDialog.h"
#include "ProfileDialog.h"
#include "ProgramPathDialog.h"
#include "option/TimerList.h"
#include "skin/BitmapEdit.h"
#include "skin/GifPlayer.h"
#include "skin/SkinButton.h"
#include "skin/SkinContext.h"
#include "skin/SkinProgressBar.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"
#include "skin/SpinEdit.h"

#include "WidgetTestSession.h"

namespace option {
namespace {

using testing::drain;

class SmallDialogWidgetTest : public ::testing::Test {
 protected:
  SmallDialogWidgetTest() {
    // Pictures come from the built program folder.
    skin::SkinContext::instance().setProgramFolder(QStringLiteral(VESK_SUITE_DIR "/"));
  }
  static void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    drain();
  }
  // Opens the dialog window-modal without blocking, as exec() would show it.
  static void open(QDialog& dialog) {
    dialog.open();
    drain();
  }

  testing::WidgetTestSession session_;
};

TEST_F(SmallDialogWidgetTest, QuestionsEndWithOkOrCancelAndNoticesHaveNoCancel) {
  for (auto question :
       {ConfirmDialog::Question::DeleteMacroSet, ConfirmDialog::Question::DeleteMacro,
        ConfirmDialog::Question::DeleteTimer}) {
    ConfirmDialog dialog(question);
    // Sized to its picture, which the skin draws.
    ASSERT_FALSE(dialog.face().isNull());
    EXPECT_EQ(dialog.size(), dialog.face().size());
    open(dialog);
    click(dialog.okButton());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ConfirmDialog refused(question);
    open(refused);
    click(refused.exitButton());
    EXPECT_EQ(refused.result(), QDialog::Rejected);
    ConfirmDialog cancelled(question);
    open(cancelled);
    click(cancelled.cancelButton());
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
  }
  for (auto kind : {ConfirmDialog::Notice::NoMacroSetSelected,
                    ConfirmDialog::Notice::NoMacroSelected, ConfirmDialog::Notice::MacroFull}) {
    ConfirmDialog notice(kind);
    EXPECT_EQ(notice.cancelButton(), nullptr);
    EXPECT_EQ(notice.size(), notice.face().size());
    open(notice);
    QTest::keyClick(&notice, Qt::Key_Return);  // acknowledged as with OK
    EXPECT_FALSE(notice.isVisible());
    EXPECT_EQ(notice.result(), QDialog::Accepted);
  }
  // A question is never answered by Enter alone: deleting takes a click on OK.
  ConfirmDialog question(ConfirmDialog::Question::DeleteMacro);
  open(question);
  QTest::keyClick(&question, Qt::Key_Return);
  EXPECT_TRUE(question.isVisible());
  // The timer question has its own, smaller picture.
  EXPECT_NE(ConfirmDialog(ConfirmDialog::Question::DeleteTimer).size(),
            ConfirmDialog(ConfirmDialog::Question::DeleteMacro).size());
}

TEST_F(SmallDialogWidgetTest, CountdownRefusesWhenTimeRunsOutAndBarFollowsTheSeconds) {
  CountdownConfirmDialog dialog;
  dialog.stopOwnTimer();
  EXPECT_EQ(dialog.size(), dialog.face().size());
  open(dialog);
  EXPECT_EQ(dialog.bar()->maximum(), 30);
  EXPECT_EQ(dialog.bar()->position(), 30);
  for (int second = 0; second < 29; ++second) dialog.tick();
  EXPECT_EQ(dialog.bar()->position(), 1);
  EXPECT_TRUE(dialog.isVisible());
  dialog.tick();
  drain();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(SmallDialogWidgetTest, CountdownAcceptedAtTheLastSecondAndClosedByExitRefuses) {
  CountdownConfirmDialog dialog;
  dialog.stopOwnTimer();
  open(dialog);
  for (int second = 0; second < 29; ++second) dialog.tick();
  click(dialog.okButton());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.countdown().state(), CountdownConfirmation::State::Accepted);

  CountdownConfirmDialog closed;
  closed.stopOwnTimer();
  open(closed);
  click(closed.exitButton());
  EXPECT_EQ(closed.result(), QDialog::Rejected);
  EXPECT_EQ(closed.countdown().state(), CountdownConfirmation::State::Refused);
}

TEST_F(SmallDialogWidgetTest, LiftOffTrialStartsOnOkOnceAndPassesWhenTimeIsUp) {
  int starts = 0;
  LiftOffTestDialog dialog([&] {
    ++starts;
    return true;
  });
  dialog.stopOwnTimer();
  EXPECT_EQ(dialog.size(), dialog.face().size());
  open(dialog);
  EXPECT_FALSE(dialog.animation()->isVisible());
  click(dialog.okButton());
  click(dialog.okButton());
  EXPECT_EQ(starts, 1);
  EXPECT_FALSE(dialog.okButton()->isEnabled());
  EXPECT_TRUE(dialog.animation()->isVisible());
  EXPECT_TRUE(dialog.isVisible());
  dialog.timeUp();
  drain();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(SmallDialogWidgetTest, LiftOffTrialCancelledWhileRunningOrWithoutMonitor) {
  LiftOffTestDialog running([] { return true; });
  running.stopOwnTimer();
  open(running);
  click(running.okButton());
  click(running.cancelButton());
  EXPECT_EQ(running.result(), QDialog::Rejected);
  running.timeUp();
  EXPECT_EQ(running.progress().state(), LiftOffTestProgress::State::Cancelled);

  LiftOffTestDialog alone([] { return false; });
  open(alone);
  click(alone.okButton());
  EXPECT_TRUE(alone.okButton()->isEnabled());
  EXPECT_TRUE(alone.isVisible());
  click(alone.exitButton());
  EXPECT_EQ(alone.result(), QDialog::Rejected);
}

// A window of the same program that counts the keys it is given.
class KeyCounter : public QWidget {
 public:
  int keys = 0;

 protected:
  void keyPressEvent(QKeyEvent*) override { ++keys; }
};

// A key as the window system delivers it: the layout's key and text, and
// the physical key's XKB keycode (input code + 8).
void press(QObject* to, Qt::Key key, quint32 xkbKeycode, const QString& text = {}) {
  QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, xkbKeycode, 0, 0, text);
  QApplication::sendEvent(to, &down);
  QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, xkbKeycode, 0, 0, text);
  QApplication::sendEvent(to, &up);
}

TEST_F(SmallDialogWidgetTest, KeyCombinationTakesKeysByPositionOnAnyLayout) {
  KeyCombinationDialog dialog(KeyCombination(0x0E, {}));
  EXPECT_EQ(dialog.size(), dialog.face().size());
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Mobe Key Shortcut Dialog"));
  open(dialog);
  EXPECT_EQ(dialog.keyNameField()->text(), QStringLiteral("K"));
  EXPECT_FALSE(dialog.keyNameField()->isEnabled());
  // The key right of T: "Y" on a US layout, "Z" on a German one.
  press(&dialog, Qt::Key_Y, 29, QStringLiteral("y"));
  EXPECT_EQ(dialog.combination().key(), 0x1C);
  press(&dialog, Qt::Key_Z, 29, QStringLiteral("z"));
  EXPECT_EQ(dialog.combination().key(), 0x1C);
  EXPECT_EQ(dialog.keyNameField()->text(), QStringLiteral("Y"));
  // The French layout's "A" sits where the US "Q" is.
  press(&dialog, Qt::Key_A, 24, QStringLiteral("a"));
  EXPECT_EQ(dialog.combination().key(), 0x14);
  // Without a physical key (no window system) the layout's key counts.
  press(&dialog, Qt::Key_Z, 0, QStringLiteral("z"));
  EXPECT_EQ(dialog.combination().key(), 0x1D);
  // A key without a row leaves the key as it was.
  press(&dialog, Qt::Key_LaunchMail, 163 + 8);
  EXPECT_EQ(dialog.combination().key(), 0x1D);
}

TEST_F(SmallDialogWidgetTest, KeyCombinationKeepsEveryKeyWhileOpenEvenPrintScreenAndEscape) {
  KeyCounter other;
  other.show();
  KeyCombinationDialog dialog(KeyCombination(0x0E, {}));
  open(dialog);
  press(&other, Qt::Key_Print, 99 + 8);
  EXPECT_EQ(other.keys, 0);
  EXPECT_EQ(dialog.keyNameField()->text(), QStringLiteral("Print Screen"));
  // Escape and Enter are keys to assign, not Cancel and OK.
  press(dialog.okButton(), Qt::Key_Escape, 1 + 8);
  press(&dialog, Qt::Key_Return, 28 + 8);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.keyNameField()->text(), QStringLiteral("Enter"));
  click(dialog.okButton());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  // Closed, the dialog no longer takes the program's keys.
  press(&other, Qt::Key_Print, 99 + 8);
  EXPECT_EQ(other.keys, 1);
}

TEST_F(SmallDialogWidgetTest, KeyCombinationNoneDisablesTheOtherModifiersUntilCleared) {
  KeyCombinationDialog dialog(KeyCombination(0x0E, {false, true, false, true, false}));
  open(dialog);
  auto* none = dialog.flagButton(KeyCombination::None);
  auto* shift = dialog.flagButton(KeyCombination::Shift);
  auto* alt = dialog.flagButton(KeyCombination::Alt);
  EXPECT_TRUE(shift->isSelected());
  click(none);
  EXPECT_TRUE(none->isSelected());
  for (auto flag :
       {KeyCombination::Shift, KeyCombination::Ctrl, KeyCombination::Alt, KeyCombination::Win})
    EXPECT_FALSE(dialog.flagButton(flag)->isEnabled()) << flag;
  click(none);
  EXPECT_TRUE(shift->isEnabled());
  EXPECT_TRUE(shift->isSelected());
  EXPECT_TRUE(alt->isSelected());
  click(alt);
  EXPECT_EQ(dialog.combination().flags(),
            (KeyCombination::Flags{false, true, false, false, false}));
  click(dialog.exitButton());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(SmallDialogWidgetTest, MacroSetNameNeedsMoreThanBlanksAndComesBackAsTyped) {
  MacroSetNameDialog dialog;
  EXPECT_EQ(dialog.size(), dialog.face().size());
  open(dialog);
  EXPECT_EQ(dialog.nameField()->maxLength(), 24);
  dialog.nameField()->setText(QStringLiteral("   "));
  QTest::keyClick(dialog.nameField(), Qt::Key_Return);
  drain();
  click(dialog.okButton());
  EXPECT_TRUE(dialog.isVisible());
  dialog.nameField()->setText(QStringLiteral(" Raid "));
  QTest::keyClick(dialog.nameField(), Qt::Key_Return);
  drain();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.text(), QStringLiteral(" Raid "));
}

TEST_F(SmallDialogWidgetTest, NewTimerRefusesBlankAndTakenNamesInAnyCase) {
  TimerList timers;
  ASSERT_EQ(timers.add("Tea", 60), TimerList::Refusal::None);
  NewTimerDialog dialog(timers);
  EXPECT_EQ(dialog.size(), dialog.face().size());
  open(dialog);
  EXPECT_EQ(dialog.secondsField()->value(), 30);
  EXPECT_EQ(dialog.secondsField()->minimum(), 15);
  EXPECT_EQ(dialog.secondsField()->maximum(), 999);
  for (const char* name : {"  ", " TEA "}) {
    dialog.nameField()->setText(QString::fromLatin1(name));
    click(dialog.okButton());
    EXPECT_TRUE(dialog.isVisible()) << name;
  }
  dialog.nameField()->setText(QStringLiteral("  Pizza "));
  dialog.secondsField()->setValue(720);
  click(dialog.okButton());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.timer().name, "Pizza");
  EXPECT_EQ(dialog.timer().seconds, 720);
}

TEST_F(SmallDialogWidgetTest, EditTimersRenamesOnlyToFreeNamesAndDeletesAfterConfirmation) {
  TimerList timers;
  timers.add("Tea", 60);
  timers.add("Pizza", 720);
  timers.add("Eggs", 300);
  EditTimersDialog dialog(timers);
  open(dialog);
  ASSERT_EQ(dialog.selected(), 0);
  EXPECT_EQ(dialog.nameField()->text(), QStringLiteral("Tea"));
  EXPECT_EQ(dialog.secondsField()->value(), 60);
  // Another timer's name in other letters: nothing changes.
  dialog.nameField()->setText(QStringLiteral("pIZZA"));
  click(dialog.saveButton());
  EXPECT_EQ(TimerList::nameOf(*timers.at(0)), "Tea");
  EXPECT_EQ(TimerList::nameOf(*timers.at(1)), "Pizza");
  // Its own name in other letters: only the seconds change.
  dialog.nameField()->setText(QStringLiteral(" TEA"));
  dialog.secondsField()->setValue(90);
  click(dialog.saveButton());
  EXPECT_EQ(TimerList::nameOf(*timers.at(0)), "Tea");
  EXPECT_EQ(timers.at(0)->seconds, 90);

  int asked = 0;
  bool answer = false;
  dialog.confirmDelete = [&] {
    ++asked;
    return answer;
  };
  dialog.select(2);
  click(dialog.deleteButton());
  EXPECT_EQ(timers.size(), 3u);
  answer = true;
  click(dialog.deleteButton());
  EXPECT_EQ(asked, 2);
  ASSERT_EQ(timers.size(), 2u);
  // The last one went: the new last one is selected.
  EXPECT_EQ(dialog.selected(), 1);
  EXPECT_EQ(dialog.nameField()->text(), QStringLiteral("Pizza"));
  // OK applies the entries before closing.
  dialog.nameField()->setText(QStringLiteral("Pasta"));
  click(dialog.okButton());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(TimerList::nameOf(*timers.at(1)), "Pasta");
}

TEST_F(SmallDialogWidgetTest, EditTimersWithoutTimersShowsTheDefaults) {
  TimerList timers;
  EditTimersDialog dialog(timers);
  EXPECT_EQ(dialog.selected(), std::nullopt);
  EXPECT_EQ(dialog.secondsField()->value(), 10);
  dialog.nameField()->setText(QStringLiteral("Tea"));
  click(dialog.saveButton());
  click(dialog.deleteButton());
  EXPECT_TRUE(timers.empty());
}

TEST_F(SmallDialogWidgetTest, ProfileDialogWritesNameAndGamesAndNothingElse) {
  settings::Profile profile{};
  std::memset(&profile, 0x5A, sizeof profile);
  std::strcpy(profile.ProFileName, "Arena");
  std::strcpy(profile.GameFile0, "/usr/games/arena");
  std::strcpy(profile.GameFile1, "");
  std::strcpy(profile.GameFile2, "");
  const settings::Profile before = profile;
  {
    ProfileDialog edit(profile, ProfileDialog::Mode::Edit);
    EXPECT_EQ(edit.size(), edit.face().size());
    EXPECT_EQ(edit.nameField()->text(), QStringLiteral("Arena"));
    EXPECT_EQ(edit.gameField(0)->text(), QStringLiteral("/usr/games/arena"));
    EXPECT_EQ(edit.nameField()->maxLength(), 20);
    open(edit);
    edit.nameField()->setText(QStringLiteral("Changed"));
    click(edit.cancelButton());
  }
  EXPECT_EQ(std::memcmp(&profile, &before, sizeof profile), 0);

  ProfileDialog create(profile, ProfileDialog::Mode::Create);
  EXPECT_TRUE(create.nameField()->text().isEmpty());
  EXPECT_TRUE(create.gameField(0)->text().isEmpty());
  open(create);
  create.gameField(2)->setText(QStringLiteral("/opt/Race/race"));
  click(create.okButton());
  EXPECT_EQ(create.result(), QDialog::Accepted);
  EXPECT_STREQ(profile.ProFileName, "");
  EXPECT_STREQ(profile.GameFile0, "");
  EXPECT_STREQ(profile.GameFile2, "/opt/Race/race");
  settings::Profile rest = profile;
  std::memcpy(rest.ProFileName, before.ProFileName, sizeof rest.ProFileName);
  std::memcpy(rest.GameFile0, before.GameFile0, sizeof rest.GameFile0);
  std::memcpy(rest.GameFile1, before.GameFile1, sizeof rest.GameFile1);
  std::memcpy(rest.GameFile2, before.GameFile2, sizeof rest.GameFile2);
  EXPECT_EQ(std::memcmp(&rest, &before, sizeof rest), 0);
}

TEST_F(SmallDialogWidgetTest, ProgramPathAndPlayerHandBackTheirChoice) {
  ProgramPathDialog path(QStringLiteral("/usr/bin/arena"));
  EXPECT_EQ(path.size(), path.face().size());
  open(path);
  EXPECT_EQ(path.path(), QStringLiteral("/usr/bin/arena"));
  path.pathField()->setText(QStringLiteral("/usr/bin/race"));
  click(path.okButton());
  EXPECT_EQ(path.result(), QDialog::Accepted);
  EXPECT_EQ(path.path(), QStringLiteral("/usr/bin/race"));

  EXPECT_EQ(PlayerDialog::playerOf(-1), 0);
  EXPECT_EQ(PlayerDialog::playerOf(4), 0);
  PlayerDialog player(3);
  EXPECT_EQ(player.size(), player.face().size());
  EXPECT_TRUE(player.playerButton(3)->isSelected());
  open(player);
  click(player.playerButton(2));
  EXPECT_TRUE(player.playerButton(2)->isSelected());
  EXPECT_FALSE(player.playerButton(3)->isSelected());
  click(player.okButton());
  EXPECT_EQ(player.choice(), 2);
}

}  // namespace
}  // namespace option
