#include "MacroManagerPrompts.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "macros/MacroLibrary.h"

namespace option {

namespace {

const QString kTitle = QStringLiteral("Vesk Slim Macro Manager");

class StandardPrompts : public MacroManagerPrompts {
 public:
  std::optional<std::string> askSetName(QWidget* parent) override {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(kTitle);
    dialog.setLabelText(QStringLiteral("Name of the new macro set:"));
    dialog.setTextEchoMode(QLineEdit::Normal);
    if (auto* edit = dialog.findChild<QLineEdit*>())
      edit->setMaxLength(static_cast<int>(macros::MacroLibrary::kMaxEditedNameLength));
    // A blank name is refused by staying open.
    while (dialog.exec() == QDialog::Accepted)
      if (!dialog.textValue().trimmed().isEmpty()) return dialog.textValue().toStdString();
    return std::nullopt;
  }
  bool confirm(Question question, QWidget* parent) override {
    const QString text = question == Question::kDeleteSet
                             ? QStringLiteral("Delete this macro set and all its macros?")
                             : QStringLiteral("Delete this macro?");
    return QMessageBox::question(parent, kTitle, text, QMessageBox::Ok | QMessageBox::Cancel) ==
           QMessageBox::Ok;
  }
  void notice(macros::MacroManagerModel::Notice notice, QWidget* parent) override {
    QMessageBox::information(parent, kTitle,
                             notice == macros::MacroManagerModel::Notice::kNoSet
                                 ? QStringLiteral("Please choose or add a macro set first.")
                                 : QStringLiteral("Please choose or add a macro first."));
  }
};

}  // namespace

std::unique_ptr<MacroManagerPrompts> makeSkinnedMacroPrompts() {
  return std::make_unique<StandardPrompts>();
}

}  // namespace option
