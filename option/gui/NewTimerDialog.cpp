#include "NewTimerDialog.h"

#include <algorithm>

#include "option/TimerList.h"
#include "skin/BitmapEdit.h"
#include "skin/LayoutEntry.h"
#include "skin/SkinResourceIds.h"
#include "skin/SpinEdit.h"

namespace option {

namespace dl = skin::dialogs;

NewTimerDialog::NewTimerDialog(const TimerList& timers, QWidget* parent)
    : SmallDialog({skin::res::kNewTimerDialog, dl::kNewTimerSize, QStringLiteral("Create timer")},
                  parent),
      timers_(timers) {
  setObjectName(QStringLiteral("NewTimerDialog"));
  name_ = addEdit(dl::kNewTimerName, static_cast<int>(TimerList::kMaxNameLength));
  seconds_ = new skin::SpinEdit(skin::parseLayout(dl::kNewTimerSeconds), this, 0);
  seconds_->setSheets(sheets());
  seconds_->setRange(TimerList::kMinSeconds, TimerList::kMaxSeconds);
  seconds_->setStep(1);
  seconds_->setValue(TimerList::kNewSeconds);
  addClosingButtons(dl::kNewTimerOk, dl::kNewTimerCancel, dl::kNewTimerExit);
  name_->setFocus();
}

std::optional<NewTimerDialog::Timer> NewTimerDialog::ask(const TimerList& timers, QWidget* parent) {
  NewTimerDialog dialog(timers, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.timer();
}

NewTimerDialog::Timer NewTimerDialog::timer() const {
  // A value typed below the minimum is kept by the field without Enter.
  const int seconds = std::clamp(seconds_->value(), TimerList::kMinSeconds, TimerList::kMaxSeconds);
  return {TimerList::trimmed(name_->text().toStdString()), seconds};
}

void NewTimerDialog::onOk() {
  const Timer t = timer();
  if (t.name.empty() || timers_.find(t.name)) return;
  accept();
}

}  // namespace option
