#include "KeySequencePanel.h"

#include <QContextMenuEvent>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>
#include <chrono>

#include "macros/KeySequenceList.h"
#include "macros/KeyTranslation.h"
#include "skin/CoolMenu.h"
#include "skin/LayoutEntry.h"
#include "skin/MacroManagerLayout.h"
#include "skin/PageSheets.h"
#include "skin/SkinButton.h"
#include "skin/SkinResources.h"

namespace option {

namespace mm = skin::macromanager;
using Notice = macros::MacroManagerModel::Notice;

namespace {

QRect rectOf(const char* layout) {
  const skin::LayoutEntry e = skin::parseLayout(layout);
  return QRect(e.left, e.top, e.width(), e.height());
}

std::uint64_t monotonicMilliseconds() {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

constexpr int kStartBefore = 1001, kStartAfter = 1002, kInsertDelay = 1003, kEditDelay = 1004,
              kDeleteRow = 1005;

const char* const kListStyle =
    "QListWidget { background: rgb(14,15,18); color: rgb(224,224,224); border: 1px solid "
    "rgb(44,48,56); font: 13px 'Arial'; outline: 0; }"
    "QListWidget::item { height: 17px; padding-left: 2px; }"
    "QListWidget::item:selected { background: rgb(24,62,88); color: rgb(240,240,240); }"
    "QScrollBar:vertical { background: rgb(17,18,22); width: 10px; }"
    "QScrollBar::handle:vertical { background: rgb(60,136,191); min-height: 20px; }"
    "QScrollBar::add-line, QScrollBar::sub-line { height: 0; }";
const char* const kEditStyle =
    "QLineEdit { background: rgb(14,15,18); color: rgb(240,240,240); border: 1px solid "
    "rgb(60,136,191); font: 12px 'Arial'; padding: 0; }";

}  // namespace

KeySequencePanel::KeySequencePanel(macros::MacroManagerModel& model, QWidget* parent)
    : QWidget(parent), model_(model) {
  setObjectName(QStringLiteral("KeySequencePanel"));
  setFocusPolicy(Qt::StrongFocus);
  const skin::PageSheets sheets = skin::PageSheets::fromResources(
      mm::kListPanelFace, mm::kListPanelHover, mm::kListPanelPressed, mm::kListPanelDisabled);
  const auto button = [&](const char* layout, bool check) {
    auto* b = new skin::SkinButton(skin::parseLayout(layout), this);
    b->setSheets(sheets);
    b->setCheckMode(check);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
  };
  record_ = button(mm::kStartRecord, false);
  delay_ = button(mm::kDelaySwitch, true);
  loop_ = button(mm::kPlayCountSwitch, true);
  playCount_ = new QLineEdit(this);
  playCount_->setObjectName(QStringLiteral("Edit_Times"));
  playCount_->setGeometry(rectOf(mm::kPlayCountEdit));
  playCount_->setMaxLength(3);
  playCount_->setStyleSheet(QString::fromLatin1(kEditStyle));
  playCount_->setAlignment(Qt::AlignCenter);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("BUTTON_List_key_sequence"));
  list_->setGeometry(rectOf(mm::kKeySequenceList));
  list_->setStyleSheet(QString::fromLatin1(kListStyle));
  list_->setIconSize(QSize(17, 17));
  list_->setContextMenuPolicy(Qt::CustomContextMenu);
  list_->installEventFilter(this);

  connect(record_, &skin::SkinButton::clicked, this, [this] {
    if (recording())
      stopRecording();
    else
      startRecording(0);
  });
  connect(delay_, &skin::SkinButton::clicked, this, [this] {
    // A check-mode button has already turned itself over.
    model_.recorder().setRecordDelays(delay_->isSelected());
  });
  connect(loop_, &skin::SkinButton::clicked, this,
          [this] { model_.setPlayCountOn(loop_->isSelected()); });
  connect(playCount_, &QLineEdit::editingFinished, this, [this] {
    playCount_->setText(
        QString::fromStdString(model_.commitPlayCount(playCount_->text().toStdString())));
  });
  connect(list_, &QListWidget::customContextMenuRequested, this, &KeySequencePanel::showMenu);
  reload();
}

void KeySequencePanel::reload() {
  delay_->setSelected(model_.recorder().recordDelays());
  loop_->setSelected(model_.playCountOn());
  playCount_->setText(QString::number(model_.playCount()));
  refill();
}

void KeySequencePanel::refill() {
  static const int icons[] = {macros::kIconDelay, macros::kIconKeyRelease, macros::kIconKeyPress,
                              macros::kIconMouse};
  static QHash<int, QIcon> cache;
  if (cache.isEmpty())
    for (int icon : icons)
      cache.insert(icon, QIcon(QPixmap::fromImage(skin::SkinResources::bitmap(icon))));
  const auto rows = macros::keySequenceRows(model_.recorder().events());
  list_->clear();
  int touchedRow = -1;
  for (const macros::KeySequenceRow& row : rows) {
    auto* item = new QListWidgetItem(cache.value(row.icon), QString::fromStdString(row.text));
    item->setData(Qt::UserRole, row.itemData());
    list_->addItem(item);
    if (!row.delay && row.event == model_.recorder().lastTouched()) touchedRow = list_->count() - 1;
  }
  if (touchedRow >= 0) {
    // Keep a little of what follows in view too.
    const int show = std::min(touchedRow + 2, list_->count() - 1);
    list_->scrollToItem(list_->item(show));
    list_->scrollToItem(list_->item(touchedRow));
  }
}

bool KeySequencePanel::macroCheck() {
  const Notice notice = model_.editCheck();
  if (notice == Notice::kNone) return true;
  emit noticeNeeded(static_cast<int>(notice));
  return false;
}

void KeySequencePanel::stored() {
  model_.storeEvents();
  refill();
}

void KeySequencePanel::startRecording(int mode) {
  if (recording() || !macroCheck()) return;
  macros::MacroRecorder& recorder = model_.recorder();
  const int event = macros::KeySequenceEdits(recorder.events()).eventOfRow(list_->currentRow());
  if (mode == 1)
    recorder.startBefore(event);
  else if (mode == 2)
    recorder.startAfter(event);
  else
    recorder.startNew();
  refill();
  record_->setPictures({skin::SkinResources::bitmap(mm::kRecordingNormal),
                        skin::SkinResources::bitmap(mm::kRecordingHover),
                        skin::SkinResources::bitmap(mm::kRecordingHover),
                        skin::SkinResources::bitmap(mm::kRecordingNormal)});
  list_->setEnabled(false);
  setFocus();
  // Without an X server there is nothing to grab: the focused panel takes keys.
  grabKeyboard();
  emit recordingChanged(true);
}

void KeySequencePanel::stopRecording() {
  if (!recording()) return;
  model_.recorder().stop();
  finishRecording();
}

void KeySequencePanel::finishRecording() {
  releaseKeyboard();
  record_->setSheets(skin::PageSheets::fromResources(
      mm::kListPanelFace, mm::kListPanelHover, mm::kListPanelPressed, mm::kListPanelDisabled));
  list_->setEnabled(true);
  stored();
  emit recordingChanged(false);
}

void KeySequencePanel::keyInput(int linuxKeyCode, bool release, std::uint64_t milliseconds) {
  if (!recording()) return;
  const int usage = macros::usageFromLinuxKeyCode(linuxKeyCode);
  const auto outcome = model_.recorder().key(linuxKeyCode, usage, release, milliseconds);
  if (outcome == macros::MacroRecorder::KeyOutcome::kIgnored) return;
  refill();
  // At 500 events the recorder has stopped itself.
  if (outcome == macros::MacroRecorder::KeyOutcome::kFull) finishRecording();
}

void KeySequencePanel::keyPressEvent(QKeyEvent* e) {
  if (recording()) {
    if (!e->isAutoRepeat())
      keyInput(static_cast<int>(e->nativeScanCode()) - 8, false, monotonicMilliseconds());
    e->accept();
    return;
  }
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Escape ||
      e->key() == Qt::Key_Space) {
    e->accept();
    return;
  }
  QWidget::keyPressEvent(e);
}

void KeySequencePanel::keyReleaseEvent(QKeyEvent* e) {
  if (recording()) {
    if (!e->isAutoRepeat())
      keyInput(static_cast<int>(e->nativeScanCode()) - 8, true, monotonicMilliseconds());
    e->accept();
    return;
  }
  QWidget::keyReleaseEvent(e);
}

bool KeySequencePanel::eventFilter(QObject* watched, QEvent* e) {
  if (watched == list_ && e->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape ||
        key == Qt::Key_Space)
      return true;
  }
  return QWidget::eventFilter(watched, e);
}

void KeySequencePanel::showMenu(const QPoint& at) {
  skin::CoolMenu menu(this);
  menu.setFont(skin::SkinResources::arialFont(14));
  menu.setItemWidth(140);
  menu.addItem(QStringLiteral("Start Record before"), kStartBefore);
  menu.addItem(QStringLiteral("Start Record after"), kStartAfter);
  menu.addItem(QStringLiteral("Insert Delay"), kInsertDelay);
  skin::CoolMenu* mouse = menu.addSubmenu(QStringLiteral("Insert Mouse Event"));
  mouse->setItemWidth(140);
  const char* const buttons[] = {"Left Button", "Right Button", "Wheel"};
  for (int b = 0; b < 3; ++b) {
    skin::CoolMenu* sub = mouse->addSubmenu(QString::fromLatin1(buttons[b]));
    sub->setItemWidth(100);
    sub->addItem(QStringLiteral("Down"), 1020 + 3 * b);
    sub->addItem(QStringLiteral("Up"), 1021 + 3 * b);
    sub->addItem(QStringLiteral("Click"), 1022 + 3 * b);
  }
  menu.addItem(QStringLiteral("Edit Delay"), kEditDelay);
  menu.addItem(QStringLiteral("Delete"), kDeleteRow);
  const int row = list_->currentRow();
  if (const int command = menu.execCommand(list_->viewport()->mapToGlobal(at)); command != 0)
    menuCommand(command, row);
}

void KeySequencePanel::menuCommand(int command, int row) {
  if (!macroCheck()) return;
  macros::KeySequenceEdits edits(model_.recorder().events());
  int button = 0;
  macros::MouseClick click{};
  bool changed = false;
  if (command == kStartBefore || command == kStartAfter) {
    list_->setCurrentRow(row);
    startRecording(command == kStartBefore ? 1 : 2);
    return;
  }
  if (command == kEditDelay) {
    if (edits.isDelayRow(row)) editDelay(row);
    return;
  }
  if (command == kInsertDelay)
    changed = edits.insertDelay(row);
  else if (command == kDeleteRow)
    changed = edits.remove(row);
  else if (macros::KeySequenceEdits::mouseCommand(command, button, click))
    changed = edits.insertMouseEvent(row, button, click);
  if (changed) stored();
}

void KeySequencePanel::editDelay(int row) {
  QListWidgetItem* item = list_->item(row);
  if (!item) return;
  delete delayEdit_;
  delayEdit_ = new QLineEdit(list_->viewport());
  delayEdit_->setObjectName(QStringLiteral("DelayEdit"));
  delayEdit_->setStyleSheet(QString::fromLatin1(kEditStyle));
  delayEdit_->setMaxLength(20);
  delayEdit_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), delayEdit_));
  delayEdit_->setGeometry(list_->visualItemRect(item).adjusted(19, 0, 0, 0));
  delayEdit_->setText(item->text().section(QLatin1Char(' '), 0, 0));
  delayEdit_->selectAll();
  delayEdit_->show();
  delayEdit_->setFocus();
  QLineEdit* edit = delayEdit_;
  connect(edit, &QLineEdit::editingFinished, this, [this, edit, row] {
    if (edit != delayEdit_) return;
    delayEdit_ = nullptr;
    edit->deleteLater();
    macros::KeySequenceEdits edits(model_.recorder().events());
    if (edits.setDelay(row, edit->text().toStdString())) stored();
  });
}

}  // namespace option
