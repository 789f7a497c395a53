#include "MacroSetNameDialog.h"

#include <QKeyEvent>

#include "skin/BitmapEdit.h"
#include "skin/SkinResourceIds.h"

namespace option {

namespace dl = skin::dialogs;

MacroSetNameDialog::MacroSetNameDialog(QWidget* parent)
    : SmallDialog(
          {skin::res::kMacroSetNameDialog, dl::kMacroSetNameSize, QStringLiteral("New macro set")},
          parent) {
  setObjectName(QStringLiteral("MacroSetNameDialog"));
  name_ = addEdit(dl::kMacroSetNameEdit, kMaxLength);
  name_->installEventFilter(this);
  addClosingButtons(dl::kMacroSetNameOk, dl::kMacroSetNameCancel, dl::kMacroSetNameExit);
  name_->setFocus();
}

std::optional<QString> MacroSetNameDialog::ask(QWidget* parent) {
  MacroSetNameDialog dialog(parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.text();
}

QString MacroSetNameDialog::text() const { return name_->text(); }

void MacroSetNameDialog::onOk() {
  if (!name_->text().trimmed().isEmpty()) accept();
}

bool MacroSetNameDialog::eventFilter(QObject* watched, QEvent* event) {
  // Enter in the entry is OK, never the dialog's default button.
  if (watched == name_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      onOk();
      return true;
    }
  }
  return SmallDialog::eventFilter(watched, event);
}

}  // namespace option
