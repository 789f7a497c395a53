#include "DialogScenes.h"

#include <QCoreApplication>
#include <cstring>
#include <tuple>

#include "ConfirmDialog.h"
#include "CountdownConfirmDialog.h"
#include "EditTimersDialog.h"
#include "KeyCombinationDialog.h"
#include "LiftOffTestDialog.h"
#include "MacroManagerDialog.h"
#include "MacroManagerPrompts.h"
#include "MacroSetNameDialog.h"
#include "NewTimerDialog.h"
#include "NoticeDialog.h"
#include "PlayerDialog.h"
#include "ProfileDialog.h"
#include "ProgramPathDialog.h"
#include "WindowScenes.h"
#include "macros/MacroLibrary.h"
#include "option/TimerList.h"
#include "skin/BitmapEdit.h"
#include "skin/MacroManagerLayout.h"
#include "skin/SkinButton.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace gallery {

namespace res = skin::res;

namespace {

// Shaped by the PNG face, which the JPEG face of the key dialog cannot give
// exactly.
QImage grab(QWidget* dialog, int sheets) {
  QImage image = shapedGrab(dialog, skin::SkinResources::bitmap(sheets));
  dialog->hide();
  return image;
}

}  // namespace

std::vector<std::pair<QImage, QString>> smallDialogs() {
  using option::ConfirmDialog;
  std::vector<std::pair<QImage, QString>> all;
  auto add = [&all](QWidget* dialog, int sheets, const char* name) {
    all.emplace_back(grab(dialog, sheets), QString::fromLatin1(name));
  };
  {
    option::MacroSetNameDialog dialog;
    dialog.nameField()->setText(QStringLiteral("Raid"));
    dialog.okButton()->setHover(true);
    add(&dialog, res::kMacroSetNameDialog, "dialog-macro-set-name.png");
  }
  const std::pair<ConfirmDialog::Question, std::pair<int, const char*>> questions[] = {
      {ConfirmDialog::Question::DeleteMacroSet,
       {res::kDeleteMacroSetDialog, "dialog-delete-macro-set.png"}},
      {ConfirmDialog::Question::DeleteMacro, {res::kDeleteMacroDialog, "dialog-delete-macro.png"}},
      {ConfirmDialog::Question::DeleteTimer, {res::kDeleteTimerDialog, "dialog-delete-timer.png"}}};
  for (const auto& [question, file] : questions) {
    ConfirmDialog dialog(question);
    add(&dialog, file.first, file.second);
  }
  const std::pair<ConfirmDialog::Notice, std::pair<int, const char*>> notices[] = {
      {ConfirmDialog::Notice::NoMacroSetSelected,
       {res::kNoMacroSetNoticeDialog, "dialog-notice-no-macro-set.png"}},
      {ConfirmDialog::Notice::NoMacroSelected,
       {res::kNoMacroNoticeDialog, "dialog-notice-no-macro.png"}},
      {ConfirmDialog::Notice::MacroFull,
       {res::kMacroFullNoticeDialog, "dialog-notice-macro-full.png"}}};
  for (const auto& [notice, file] : notices) {
    ConfirmDialog dialog(notice);
    add(&dialog, file.first, file.second);
  }
  const std::tuple<option::OptionNotice, const char*, int, const char*> programNotices[] = {
      {option::OptionNotice::NoProgramChosen, "", res::kNoProgramNoticeDialog,
       "dialog-notice-no-program.png"},
      {option::OptionNotice::ProgramPathTooLong, "", res::kProgramPathTooLongNoticeDialog,
       "dialog-notice-program-path-too-long.png"},
      {option::OptionNotice::TimersFull, "", res::kTimersFullNoticeDialog,
       "dialog-notice-timers-full.png"},
      {option::OptionNotice::NoTimers, "", res::kNoTimersNoticeDialog,
       "dialog-notice-no-timers.png"},
      {option::OptionNotice::TimersNotSaved, "/home/player/.config/vesk-orb/config/Timer.ini",
       res::kTimersNotSavedNoticeDialog, "dialog-notice-timers-not-saved.png"},
      {option::OptionNotice::TimerRefused, "A timer name has at most 24 characters.",
       res::kTimerRefusedNoticeDialog, "dialog-notice-timer-refused.png"},
      {option::OptionNotice::ProfileNotSaved,
       "/media/player/USB STICK/profiles for the tournament/Arena.nmp",
       res::kProfileNotSavedNoticeDialog, "dialog-notice-profile-not-saved.png"},
      {option::OptionNotice::ProfileNotLoaded, "/home/player/Downloads/Arena.nmp",
       res::kProfileNotLoadedNoticeDialog, "dialog-notice-profile-not-loaded.png"},
      {option::OptionNotice::ProfileFileReserved,
       "/home/player/.config/vesk-orb/config/Default2.nmp", res::kProfileFileReservedNoticeDialog,
       "dialog-notice-profile-file-reserved.png"}};
  for (const auto& [notice, detail, sheets, file] : programNotices) {
    option::NoticeDialog dialog(notice, QString::fromUtf8(detail));
    add(&dialog, sheets, file);
  }
  {
    option::CountdownConfirmDialog dialog;
    dialog.stopOwnTimer();
    for (int second = 0; second < 12; ++second) dialog.tick();
    add(&dialog, res::kCountdownDialog, "dialog-countdown.png");
  }
  {
    option::LiftOffTestDialog dialog([] { return true; });
    dialog.stopOwnTimer();
    dialog.okButton()->click();
    QCoreApplication::processEvents();
    add(&dialog, res::kLiftOffTestDialog, "dialog-lift-off-trial.png");
  }
  {
    option::KeyCombinationDialog dialog(
        option::KeyCombination(0x0E, {false, true, true, false, false}));
    add(&dialog, res::kKeyCombinationDialog, "dialog-key-combination.png");
  }
  {
    option::KeyCombinationDialog dialog(
        option::KeyCombination(0x46, {true, true, false, false, false}));
    add(&dialog, res::kKeyCombinationDialog, "dialog-key-combination-none.png");
  }
  {
    settings::Profile profile{};
    std::strcpy(profile.ProFileName, "FPS Arena");
    std::strcpy(profile.GameFile0, "/usr/games/arena");
    std::strcpy(profile.GameFile1, "/home/player/.local/bin/quake-like");
    option::ProfileDialog dialog(profile, option::ProfileDialog::Mode::Edit);
    add(&dialog, res::kProfileDialog, "dialog-profile.png");
  }
  {
    option::ProgramPathDialog dialog(QStringLiteral("/usr/bin/firefox"));
    dialog.browseButton()->setHover(true);
    add(&dialog, res::kProgramPathDialog, "dialog-program-path.png");
  }
  {
    option::PlayerDialog dialog(2);
    add(&dialog, res::kPlayerDialog, "dialog-select-player.png");
  }
  option::TimerList timers;
  timers.add("Tea", 180);
  timers.add("Pizza", 720);
  {
    option::NewTimerDialog dialog(timers);
    dialog.nameField()->setText(QStringLiteral("Eggs"));
    add(&dialog, res::kNewTimerDialog, "dialog-new-timer.png");
  }
  {
    option::EditTimersDialog dialog(timers);
    add(&dialog, res::kEditTimersDialog, "dialog-edit-timers.png");
  }
  // The macro manager with a recorded macro, in the list and timeline editors.
  macros::MacroLibrary library;
  library.addSet("Office");
  library.addMacro(0, "Copy");
  library.addMacro(0, "Paste");
  macros::MacroRecord& copy = *library.macro(0, 0);
  copy.EventCount = 4;
  copy.Events[0] = {0xE0, 1, {40, 0}};
  copy.Events[1] = {0x06, 1, {120, 0}};
  copy.Events[2] = {0x06, 2, {10, 0}};
  copy.Events[3] = {0xE0, 2, {0, 0}};
  const auto prompts = option::makeSkinnedMacroPrompts();
  for (const bool timeline : {false, true}) {
    option::MacroManagerDialog dialog(library, settings::ButtonSlot{}, 0, *prompts);
    dialog.show();
    QCoreApplication::processEvents();
    dialog.selectMacro(0);
    if (timeline) dialog.switchEditor();
    QCoreApplication::processEvents();
    add(&dialog, skin::macromanager::kWindowFace,
        timeline ? "dialog-macro-manager-timeline.png" : "dialog-macro-manager.png");
  }
  return all;
}

}  // namespace gallery
