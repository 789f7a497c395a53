#include "FactoryResetDialog.h"

#include "skin/SkinResourceIds.h"

namespace option {

FactoryResetDialog::FactoryResetDialog(QWidget* parent)
    : SmallDialog({skin::res::kFactoryResetDialog, skin::dialogs::kConfirmSize,
                   QStringLiteral("Factory settings")},
                  parent) {
  setObjectName(QStringLiteral("FactoryResetDialog"));
  addClosingButtons(skin::dialogs::kConfirmOk, skin::dialogs::kConfirmCancel,
                    skin::dialogs::kConfirmExit);
}

bool FactoryResetDialog::ask(QWidget* parent) {
  FactoryResetDialog dialog(parent);
  return dialog.exec() == Accepted;
}

}  // namespace option
