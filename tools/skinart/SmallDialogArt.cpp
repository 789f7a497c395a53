#include "PopupFrame.h"
#include "WindowArt.h"
#include "skin/LayoutEntry.h"
#include "skin/SkinResourceIds.h"
#include "skin/SmallDialogLayouts.h"

// The Configuration program's small dialogs: names, paths, keys, timers and
// the questions asked before something is deleted or kept. Each picture
// carries its dialog's wording.
namespace skinart {

namespace dl = skin::dialogs;
namespace res = skin::res;

namespace {

constexpr int kTitleHeight = 28;

// A question mark, an exclamation mark or a clock in a lit ring at the left.
enum class Sign { Question, Notice, Clock, Key, Folder };

void drawSign(QPainter& p, const QPointF& centre, Sign sign) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF ring(centre.x() - 18, centre.y() - 18, 36, 36);
  p.setPen(QPen(sign == Sign::Notice ? QColor(222, 160, 53) : color::kAccent, 2));
  p.setBrush(QColor(22, 58, 84));
  p.drawEllipse(ring);
  p.setPen(QPen(color::kBright, 2.2, Qt::SolidLine, Qt::RoundCap));
  switch (sign) {
    case Sign::Question:
      p.restore();
      drawText(p, ring.toRect(), QStringLiteral("?"), color::kBright, artFont(22, true));
      return;
    case Sign::Notice:
      p.restore();
      drawText(p, ring.toRect(), QStringLiteral("!"), color::kBright, artFont(22, true));
      return;
    case Sign::Clock:
      p.drawLine(centre, centre + QPointF(0, -11));
      p.drawLine(centre, centre + QPointF(8, 4));
      break;
    case Sign::Key:
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(QRectF(centre.x() - 10, centre.y() - 9, 20, 18), 3, 3);
      p.drawLine(centre + QPointF(-5, 4), centre + QPointF(5, 4));
      break;
    case Sign::Folder:
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(centre.x() - 11, centre.y() - 6, 22, 14));
      p.drawLine(centre + QPointF(-11, -6), centre + QPointF(-4, -10));
      p.drawLine(centre + QPointF(-4, -10), centre + QPointF(2, -6));
      break;
  }
  p.restore();
}

// Frame, sign, headline and explanation: the layout of every question.
void drawMessage(QPainter& p, const QSize& size, const QString& title, Sign sign,
                 const QString& headline, const QString& body, int bottom) {
  drawPopupFrame(p, size, kTitleHeight, title, 8);
  drawSign(p, QPointF(44, 74), sign);
  drawText(p, QRect(76, 48, size.width() - 92, 52), headline, color::kBright, artFont(15, true),
           Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap);
  drawText(p, QRect(22, 104, size.width() - 44, bottom - 110), body, color::kText, artFont(12),
           Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
  p.fillRect(QRect(12, bottom - 6, size.width() - 24, 1), color::kLineSoft);
}

// A label right-aligned before a field.
void labelBefore(QPainter& p, const char* layout, const QString& text, int gap = 8) {
  const QRect r = layoutRect(layout);
  drawText(p, QRect(8, r.top() - 3, r.left() - gap - 8, r.height() + 6), text, color::kText,
           artFont(12), Qt::AlignRight | Qt::AlignVCenter);
}

// A drop-down selector: a field with an arrow at its right.
void drawSelector(QPainter& p, const QRect& r, State s) {
  drawField(p, r, s);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(s == State::Disabled ? color::kFaint : color::kAccent);
  const QPointF c(r.right() - 9, r.center().y() + 1);
  p.drawPolygon(QPolygonF({c + QPointF(-4, -2), c + QPointF(4, -2), c + QPointF(0, 3)}));
  p.restore();
}

WindowArt dialog(const QString& name, int sheets, dl::DialogSize size) {
  WindowArt art;
  art.name = name;
  art.size = QSize(size.width, size.height);
  art.face = sheets;
  art.hover = sheets + res::kDialogHoverOffset;
  art.pressed = sheets + res::kDialogPressedOffset;
  art.disabled = sheets + res::kDialogDisabledOffset;
  return art;
}

void closingButtons(WindowArt& art, const char* ok, const char* cancel, const char* exit,
                    const QString& okCaption = QStringLiteral("OK")) {
  if (ok) art.controls.push_back({ok, ArtKind::PushButton, okCaption});
  if (cancel) art.controls.push_back({cancel, ArtKind::PushButton, QStringLiteral("Cancel")});
  if (exit) art.controls.push_back({exit, ArtKind::Close, {}});
}

WindowArt question(const QString& name, int sheets, const QString& title, Sign sign,
                   const QString& headline, const QString& body, bool withCancel) {
  WindowArt art = dialog(name, sheets, dl::kConfirmSize);
  art.background = [=](QPainter& p, const QSize& size) {
    drawMessage(p, size, title, sign, headline, body, 166);
  };
  closingButtons(art, dl::kConfirmOk, withCancel ? dl::kConfirmCancel : nullptr, dl::kConfirmExit);
  return art;
}

// A notice that names a file or a reason: a shorter explanation above the
// sunken panel in which the dialog writes that detail.
WindowArt detailNotice(const QString& name, int sheets, const QString& title,
                       const QString& headline, const QString& body) {
  WindowArt art = dialog(name, sheets, dl::kConfirmSize);
  art.background = [=](QPainter& p, const QSize& size) {
    drawPopupFrame(p, size, kTitleHeight, title, 8);
    drawSign(p, QPointF(44, 60), Sign::Notice);
    drawText(p, QRect(76, 38, size.width() - 92, 44), headline, color::kBright, artFont(15, true),
             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap);
    const QRect detail = layoutRect(dl::kNoticeDetail);
    drawText(p, QRect(22, 82, size.width() - 44, detail.top() - 84), body, color::kText,
             artFont(12), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap);
    p.fillRect(detail.adjusted(-1, -1, 1, 1), color::kLine);
    p.fillRect(detail, color::kDeep);
    p.fillRect(QRect(12, 160, size.width() - 24, 1), color::kLineSoft);
  };
  closingButtons(art, dl::kConfirmOk, nullptr, dl::kConfirmExit);
  return art;
}

// The notices of the Button Assign page, the timers and the profile files.
void addProgramNotices(std::vector<WindowArt>& all) {
  const QString quicklaunch = QStringLiteral("Quicklaunch");
  all.push_back(question(QStringLiteral("no program notice"), res::kNoProgramNoticeDialog,
                         quicklaunch, Sign::Notice, QStringLiteral("No program chosen"),
                         QStringLiteral("Type the path of the program this button starts, or "
                                        "choose it with the button beside the path."),
                         false));
  all.push_back(question(QStringLiteral("program path too long notice"),
                         res::kProgramPathTooLongNoticeDialog, quicklaunch, Sign::Notice,
                         QStringLiteral("The program's path is too long"),
                         QStringLiteral("A button keeps a path of at most 259 characters. "
                                        "Choose the program from a shorter folder, or a desktop "
                                        "entry that starts it."),
                         false));
  all.push_back(question(QStringLiteral("timers full notice"), res::kTimersFullNoticeDialog,
                         QStringLiteral("Create Timer"), Sign::Notice,
                         QStringLiteral("No room for another timer"),
                         QStringLiteral("There are 51 timers already. Delete one with "
                                        "\"Edit/Delete Timer\" before you create another."),
                         false));
  all.push_back(question(QStringLiteral("no timers notice"), res::kNoTimersNoticeDialog,
                         QStringLiteral("Edit/Delete Timer"), Sign::Notice,
                         QStringLiteral("There is no timer yet"),
                         QStringLiteral("Create one first with \"Create Timer\" in the same "
                                        "menu."),
                         false));
  all.push_back(detailNotice(QStringLiteral("timers not saved notice"),
                             res::kTimersNotSavedNoticeDialog, QStringLiteral("Timers"),
                             QStringLiteral("The timers were not saved"),
                             QStringLiteral("This file could not be written, so the change "
                                            "is not kept:")));
  all.push_back(detailNotice(QStringLiteral("timer refused notice"), res::kTimerRefusedNoticeDialog,
                             QStringLiteral("Create Timer"),
                             QStringLiteral("The timer was not created"),
                             QStringLiteral("It breaks a rule of the timer list:")));
  all.push_back(detailNotice(QStringLiteral("profile not saved notice"),
                             res::kProfileNotSavedNoticeDialog, QStringLiteral("Save profile"),
                             QStringLiteral("The profile was not saved"),
                             QStringLiteral("This file could not be written; any file of "
                                            "that name is as it was:")));
  all.push_back(detailNotice(QStringLiteral("profile not loaded notice"),
                             res::kProfileNotLoadedNoticeDialog, QStringLiteral("Load profile"),
                             QStringLiteral("The profile was not loaded"),
                             QStringLiteral("This file could not be read; the profile is "
                                            "unchanged:")));
  all.push_back(detailNotice(QStringLiteral("profile file reserved notice"),
                             res::kProfileFileReservedNoticeDialog, QStringLiteral("Save profile"),
                             QStringLiteral("This file holds one of your profiles"),
                             QStringLiteral("The program keeps a profile in it, so it was left "
                                            "as it is. Save under another name:")));
}

WindowArt macroSetNameArt() {
  WindowArt art =
      dialog(QStringLiteral("macro set name"), res::kMacroSetNameDialog, dl::kMacroSetNameSize);
  art.background = [](QPainter& p, const QSize& size) {
    drawPopupFrame(p, size, kTitleHeight, QStringLiteral("New macro set"), 8);
    drawText(p, QRect(58, 46, 200, 20), QStringLiteral("Name of the new macro set"), color::kBright,
             artFont(14, true), Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRect(58, 68, 200, 24), QStringLiteral("Up to 24 characters; no two sets alike."),
             color::kDim, artFont(11), Qt::AlignLeft | Qt::AlignVCenter);
    p.fillRect(QRect(12, 160, size.width() - 24, 1), color::kLineSoft);
  };
  art.controls.push_back({dl::kMacroSetNameEdit, ArtKind::Field, {}});
  closingButtons(art, dl::kMacroSetNameOk, dl::kMacroSetNameCancel, dl::kMacroSetNameExit);
  return art;
}

WindowArt deleteTimerArt() {
  WindowArt art =
      dialog(QStringLiteral("delete timer"), res::kDeleteTimerDialog, dl::kDeleteTimerSize);
  art.background = [](QPainter& p, const QSize& size) {
    drawMessage(p, size, QStringLiteral("Delete timer"), Sign::Question,
                QStringLiteral("Delete this timer?"),
                QStringLiteral("Buttons that already count down with it keep their "
                               "countdown until you assign them anew."),
                154);
  };
  closingButtons(art, dl::kDeleteTimerOk, dl::kDeleteTimerCancel, dl::kDeleteTimerExit);
  return art;
}

WindowArt countdownArt() {
  WindowArt art =
      dialog(QStringLiteral("countdown confirmation"), res::kCountdownDialog, dl::kCountdownSize);
  art.background = [](QPainter& p, const QSize& size) {
    drawPopupFrame(p, size, kTitleHeight, QStringLiteral("Lift-off distance"), 8);
    drawSign(p, QPointF(44, 70), Sign::Clock);
    drawText(p, QRect(76, 46, size.width() - 92, 48),
             QStringLiteral("Keep the new lift-off distance?"), color::kBright, artFont(15, true),
             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap);
    const int* t = dl::kCountdownText;
    drawText(p, QRect(54, t[1], t[0] - 60, t[3] - t[1]), QStringLiteral("Time left:"), color::kDim,
             artFont(12), Qt::AlignRight | Qt::AlignVCenter);
    drawText(p, QRect(22, 164, size.width() - 44, 66),
             QStringLiteral("Press Accept if the mouse tracked well. Without an answer the "
                            "previous distance comes back when the time runs out."),
             color::kText, artFont(12), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    p.fillRect(QRect(12, 232, size.width() - 24, 1), color::kLineSoft);
  };
  closingButtons(art, dl::kCountdownAccept, dl::kCountdownCancel, dl::kCountdownExit,
                 QStringLiteral("Accept"));
  return art;
}

WindowArt liftOffTestArt() {
  WindowArt art =
      dialog(QStringLiteral("lift-off trial"), res::kLiftOffTestDialog, dl::kLiftOffTestSize);
  art.background = [](QPainter& p, const QSize& size) {
    drawPopupFrame(p, size, kTitleHeight, QStringLiteral("Lift-off distance trial"), 8);
    drawText(p, QRect(22, 40, size.width() - 44, 60),
             QStringLiteral("Press Start, then lift the mouse off the pad and put it down "
                            "again a few times while the bar runs (ten seconds)."),
             color::kText, artFont(12), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap);
    const QRect bar = layoutRect(dl::kLiftOffTestProgress);
    p.fillRect(bar.adjusted(-2, -2, 2, 2), color::kLine);
    p.fillRect(bar, color::kDeep);
    drawText(p, QRect(bar.right() + 14, bar.top() - 6, size.width() - bar.right() - 30, 64),
             QStringLiteral("The mouse should stop tracking as soon as it is lifted."), color::kDim,
             artFont(11), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    p.fillRect(QRect(12, 226, size.width() - 24, 1), color::kLineSoft);
  };
  closingButtons(art, dl::kLiftOffTestOk, dl::kLiftOffTestCancel, dl::kLiftOffTestExit,
                 QStringLiteral("Start"));
  return art;
}

// The frame and headline shared by the larger entry dialogs.
void drawEntryFrame(QPainter& p, const QSize& size, const QString& title, const QString& headline,
                    int footer) {
  drawPopupFrame(p, size, kTitleHeight, title, 8);
  drawText(p, QRect(20, 38, size.width() - 40, 26), headline, color::kBright, artFont(14, true),
           Qt::AlignLeft | Qt::AlignVCenter);
  p.fillRect(QRect(12, footer, size.width() - 24, 1), color::kLineSoft);
}

WindowArt profileArt() {
  WindowArt art = dialog(QStringLiteral("profile"), res::kProfileDialog, dl::kProfileSize);
  art.background = [](QPainter& p, const QSize& size) {
    drawEntryFrame(p, size, QStringLiteral("Profile"),
                   QStringLiteral("Name this profile and link it to your games"), 300);
    labelBefore(p, dl::kProfileName, QStringLiteral("Profile name"));
    drawText(p, QRect(35, 112, 400, 20),
             QStringLiteral("The mouse switches to this profile when one of these programs "
                            "comes to the front:"),
             color::kDim, artFont(11), Qt::AlignLeft | Qt::AlignVCenter);
    for (int row = 0; row < 3; ++row) {
      const QRect r = layoutRect(dl::kProfileGames[row]);
      drawText(p, QRect(12, r.top(), 20, r.height()), QString::number(row + 1), color::kAccent,
               artFont(11, true));
    }
    drawText(p, QRect(35, 204, size.width() - 70, 60),
             QStringLiteral("Up to 20 characters for the name. Choose a program with the "
                            "button beside its line: a program file or a desktop entry."),
             color::kDim, artFont(11), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
  };
  art.controls.push_back({dl::kProfileName, ArtKind::Field, {}});
  for (int row = 0; row < 3; ++row) {
    art.controls.push_back({dl::kProfileGames[row], ArtKind::Field, {}});
    art.controls.push_back({dl::kProfileBrowse[row], ArtKind::PushButton, QStringLiteral("...")});
  }
  closingButtons(art, dl::kProfileOk, dl::kProfileCancel, dl::kProfileExit);
  return art;
}

WindowArt programPathArt() {
  WindowArt art =
      dialog(QStringLiteral("program path"), res::kProgramPathDialog, dl::kProgramPathSize);
  art.background = [](QPainter& p, const QSize& size) {
    drawPopupFrame(p, size, kTitleHeight, QStringLiteral("Quicklaunch"), 8);
    drawSign(p, QPointF(44, 60), Sign::Folder);
    drawText(p, QRect(76, 40, size.width() - 92, 40), QStringLiteral("Program this button starts"),
             color::kBright, artFont(14, true), Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRect(27, 112, size.width() - 54, 70),
             QStringLiteral("Type its path or choose it with the button: a program file or "
                            "a desktop entry of your menu or desktop."),
             color::kDim, artFont(11), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
    p.fillRect(QRect(12, 190, size.width() - 24, 1), color::kLineSoft);
  };
  art.controls.push_back({dl::kProgramPathEntry, ArtKind::Field, {}});
  art.controls.push_back({dl::kProgramPathBrowse, ArtKind::PushButton, QStringLiteral("...")});
  closingButtons(art, dl::kProgramPathOk, dl::kProgramPathCancel, dl::kProgramPathExit);
  return art;
}

WindowArt playerArt() {
  WindowArt art = dialog(QStringLiteral("select player"), res::kPlayerDialog, dl::kPlayerSize);
  art.background = [](QPainter& p, const QSize& size) {
    drawPopupFrame(p, size, kTitleHeight, QStringLiteral("Select Player"), 8);
    drawText(p, QRect(22, 34, size.width() - 44, 24),
             QStringLiteral("The media buttons of this profile control:"), color::kBright,
             artFont(13, true), Qt::AlignLeft | Qt::AlignVCenter);
    p.fillRect(QRect(12, 190, size.width() - 24, 1), color::kLineSoft);
  };
  const char* names[4] = {"Windows Media Player", "iTunes", "VLC", "Winamp"};
  for (int player = 0; player < 4; ++player)
    art.controls.push_back(
        {dl::kPlayerChoices[player], ArtKind::Radio, QString::fromLatin1(names[player])});
  closingButtons(art, dl::kPlayerOk, dl::kPlayerCancel, dl::kPlayerExit);
  return art;
}

WindowArt newTimerArt() {
  WindowArt art = dialog(QStringLiteral("new timer"), res::kNewTimerDialog, dl::kNewTimerSize);
  art.background = [](QPainter& p, const QSize& size) {
    drawEntryFrame(p, size, QStringLiteral("Create timer"),
                   QStringLiteral("A countdown you can put on a mouse button"), 300);
    labelBefore(p, dl::kNewTimerName, QStringLiteral("Timer name"));
    labelBefore(p, dl::kNewTimerSeconds, QStringLiteral("Countdown"));
    const QRect spin = layoutRect(dl::kNewTimerSeconds);
    drawText(p, QRect(spin.right() + 14, spin.top(), 220, spin.height()),
             QStringLiteral("seconds (15 to 999)"), color::kText, artFont(12),
             Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRect(116, 112, 380, 36),
             QStringLiteral("Up to 24 characters; each timer needs a name of its own."),
             color::kDim, artFont(11), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
  };
  art.controls.push_back({dl::kNewTimerName, ArtKind::Field, {}});
  art.controls.push_back({dl::kNewTimerSeconds, ArtKind::Spin, {}});
  closingButtons(art, dl::kNewTimerOk, dl::kNewTimerCancel, dl::kNewTimerExit);
  return art;
}

WindowArt editTimersArt() {
  WindowArt art =
      dialog(QStringLiteral("edit timers"), res::kEditTimersDialog, dl::kEditTimersSize);
  art.background = [](QPainter& p, const QSize& size) {
    drawEntryFrame(p, size, QStringLiteral("Edit timers"),
                   QStringLiteral("Rename, change or delete a timer"), 300);
    labelBefore(p, dl::kEditTimersList, QStringLiteral("Timer"));
    labelBefore(p, dl::kEditTimersName, QStringLiteral("Name"));
    labelBefore(p, dl::kEditTimersSeconds, QStringLiteral("Seconds"));
    drawText(p, QRect(116, 226, 380, 40),
             QStringLiteral("Save changes the chosen timer. Buttons that count down with a "
                            "timer keep their countdown until you assign them anew."),
             color::kDim, artFont(11), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
  };
  art.controls.push_back({dl::kEditTimersList, ArtKind::Custom, {}, drawSelector});
  art.controls.push_back({dl::kEditTimersName, ArtKind::Field, {}});
  art.controls.push_back({dl::kEditTimersSeconds, ArtKind::Spin, {}});
  art.controls.push_back({dl::kEditTimersSave, ArtKind::PushButton, QStringLiteral("Save")});
  art.controls.push_back(
      {dl::kEditTimersDelete, ArtKind::PushButton, QStringLiteral("Delete timer")});
  closingButtons(art, dl::kEditTimersOk, dl::kEditTimersCancel, dl::kEditTimersExit);
  return art;
}

}  // namespace

WindowArt keyCombinationDialogArt() {
  WindowArt art = dialog(QStringLiteral("key combination"), res::kKeyCombinationDialog,
                         dl::kKeyCombinationSize);
  art.background = [](QPainter& p, const QSize& size) {
    drawPopupFrame(p, size, kTitleHeight, QStringLiteral("Key shortcut"), 8);
    drawSign(p, QPointF(38, 60), Sign::Key);
    drawText(p, QRect(70, 38, size.width() - 90, 40),
             QStringLiteral("Press the key on the keyboard, then tick its modifiers."),
             color::kBright, artFont(13, true), Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRect(20, 80, 260, 18), QStringLiteral("MODIFIERS"), color::kDim,
             artFont(10, true, 1.4), Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRect(295, 80, 140, 18), QStringLiteral("KEY"), color::kDim, artFont(10, true, 1.4),
             Qt::AlignLeft | Qt::AlignVCenter);
    drawText(p, QRect(274, 102, 20, 18), QStringLiteral("+"), color::kAccent, artFont(14, true));
    drawText(p, QRect(20, 128, size.width() - 40, 24),
             QStringLiteral("Every key goes to this window while it is open."), color::kDim,
             artFont(11), Qt::AlignLeft | Qt::AlignVCenter);
    p.fillRect(QRect(12, 154, size.width() - 24, 1), color::kLineSoft);
  };
  art.controls.push_back({dl::kKeyCombinationName, ArtKind::Field, {}});
  const char* captions[5] = {"None", "Shift", "Ctrl", "Alt", "Win"};
  for (int i = 0; i < 5; ++i)
    art.controls.push_back(
        {dl::kKeyCombinationFlags[i], ArtKind::CheckBox, QString::fromLatin1(captions[i])});
  closingButtons(art, dl::kKeyCombinationOk, dl::kKeyCombinationCancel, dl::kKeyCombinationExit);
  return art;
}

std::vector<WindowArt> smallDialogArt() {
  std::vector<WindowArt> all;
  all.push_back(macroSetNameArt());
  all.push_back(question(QStringLiteral("delete macro set"), res::kDeleteMacroSetDialog,
                         QStringLiteral("Delete macro set"), Sign::Question,
                         QStringLiteral("Delete this macro set?"),
                         QStringLiteral("The set and every macro in it leave the library when "
                                        "you press OK in the macro manager."),
                         true));
  all.push_back(question(QStringLiteral("delete macro"), res::kDeleteMacroDialog,
                         QStringLiteral("Delete macro"), Sign::Question,
                         QStringLiteral("Delete this macro?"),
                         QStringLiteral("The macro leaves its set when you press OK in the "
                                        "macro manager."),
                         true));
  all.push_back(deleteTimerArt());
  all.push_back(question(QStringLiteral("no macro set notice"), res::kNoMacroSetNoticeDialog,
                         QStringLiteral("Macro manager"), Sign::Notice,
                         QStringLiteral("No macro set selected"),
                         QStringLiteral("Choose a macro set first, or make one with "
                                        "\"[+]Add Macro Set\"."),
                         false));
  all.push_back(question(QStringLiteral("no macro notice"), res::kNoMacroNoticeDialog,
                         QStringLiteral("Macro manager"), Sign::Notice,
                         QStringLiteral("No macro selected"),
                         QStringLiteral("Choose a macro in the list first, or make one with "
                                        "New."),
                         false));
  all.push_back(question(QStringLiteral("macro full notice"), res::kMacroFullNoticeDialog,
                         QStringLiteral("Macro manager"), Sign::Notice,
                         QStringLiteral("The macro is full"),
                         QStringLiteral("It holds as many key events as a macro can. "
                                        "Recording has stopped."),
                         false));
  addProgramNotices(all);
  all.push_back(countdownArt());
  all.push_back(liftOffTestArt());
  all.push_back(keyCombinationDialogArt());
  for (WindowArt (*make)() : {profileArt, programPathArt, playerArt, newTimerArt, editTimersArt})
    all.push_back(make());
  return all;
}

}  // namespace skinart
