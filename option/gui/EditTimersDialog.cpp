#include "EditTimersDialog.h"

#include <algorithm>

#include "ConfirmDialog.h"
#include "option/TimerList.h"
#include "skin/BitmapEdit.h"
#include "skin/CoolMenu.h"
#include "skin/LayoutEntry.h"
#include "skin/SkinButton.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"
#include "skin/SpinEdit.h"

namespace option {

namespace dl = skin::dialogs;

EditTimersDialog::EditTimersDialog(TimerList& timers, QWidget* parent)
    : SmallDialog(
          {skin::res::kEditTimersDialog, dl::kEditTimersSize, QStringLiteral("Edit timers")},
          parent),
      timers_(timers) {
  setObjectName(QStringLiteral("EditTimersDialog"));
  selector_ = addButton(dl::kEditTimersList);
  selector_->setFont(skin::SkinResources::arialFont(13));
  connect(selector_, &skin::SkinButton::clicked, this, &EditTimersDialog::openMenu);
  name_ = addEdit(dl::kEditTimersName, static_cast<int>(TimerList::kMaxNameLength));
  seconds_ = new skin::SpinEdit(skin::parseLayout(dl::kEditTimersSeconds), this, 0);
  seconds_->setSheets(sheets());
  seconds_->setRange(TimerList::kMinSeconds, TimerList::kMaxSeconds);
  seconds_->setStep(1);
  save_ = addButton(dl::kEditTimersSave, QStringLiteral("Save"));
  connect(save_, &skin::SkinButton::clicked, this, &EditTimersDialog::apply);
  delete_ = addButton(dl::kEditTimersDelete, QStringLiteral("Delete"));
  connect(delete_, &skin::SkinButton::clicked, this, &EditTimersDialog::remove);
  addClosingButtons(dl::kEditTimersOk, dl::kEditTimersCancel, dl::kEditTimersExit);
  confirmDelete = [this] { return ConfirmDialog::ask(ConfirmDialog::Question::DeleteTimer, this); };
  select(timers_.empty() ? std::nullopt : std::optional<int>(0));
}

bool EditTimersDialog::edit(TimerList& timers, QWidget* parent) {
  EditTimersDialog dialog(timers, parent);
  return dialog.exec() == QDialog::Accepted;
}

void EditTimersDialog::select(std::optional<int> position) {
  const TimerRecord* record = position ? timers_.at(*position) : nullptr;
  selected_ = record ? position : std::nullopt;
  const QString name = record ? QString::fromStdString(TimerList::nameOf(*record)) : QString();
  selector_->setCaption(name);
  name_->setText(name);
  seconds_->setValue(record ? record->seconds : TimerList::kNoTimerSeconds);
}

void EditTimersDialog::openMenu() {
  if (timers_.empty()) return;
  skin::CoolMenu menu(this);
  menu.setFont(skin::SkinResources::arialFont(15));
  menu.setItemWidth(165);
  for (int i = 0; i < static_cast<int>(timers_.size()); ++i)
    menu.addItem(QString::fromStdString(TimerList::nameOf(*timers_.at(i))), kFirstCommand + i);
  const int command = menu.execCommand(selector_->mapToGlobal(QPoint(0, selector_->height())));
  if (command >= kFirstCommand) select(command - kFirstCommand);
}

void EditTimersDialog::apply() {
  if (!selected_) return;
  // A value typed below the minimum is kept by the field without Enter.
  const int seconds = std::clamp(seconds_->value(), TimerList::kMinSeconds, TimerList::kMaxSeconds);
  timers_.edit(*selected_, name_->text().toStdString(), seconds);
  select(selected_);
}

void EditTimersDialog::remove() {
  if (!selected_ || !confirmDelete || !confirmDelete()) return;
  select(timers_.remove(*selected_));
}

void EditTimersDialog::onOk() {
  apply();
  accept();
}

}  // namespace option
