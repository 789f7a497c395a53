#include "FactoryResetDialog.h"

#include "skin/LayoutEntry.h"
#include "skin/PageSheets.h"
#include "skin/SkinButton.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"
#include "skin/SmallDialogLayouts.h"

namespace option {

FactoryResetDialog::FactoryResetDialog(QWidget* parent) : skin::SkinDialog(parent) {
  using skin::SkinResources::bitmap;
  namespace dl = skin::dialogs;
  constexpr int kFace = skin::res::kFactoryResetDialog;
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setObjectName(QStringLiteral("FactoryResetDialog"));
  setWindowTitle(QStringLiteral("Factory settings"));
  const QImage face = bitmap(kFace);
  setFace(face);
  setMaskBitmap(face);
  const skin::PageSheets sheets(face, bitmap(kFace + 1), bitmap(kFace + 2), face);
  ok_ = new skin::SkinButton(skin::parseLayout(dl::kConfirmOk), this);
  cancel_ = new skin::SkinButton(skin::parseLayout(dl::kConfirmCancel), this);
  exit_ = new skin::SkinButton(skin::parseLayout(dl::kConfirmExit), this);
  for (skin::SkinButton* b : {ok_, cancel_, exit_}) b->setSheets(sheets);
  connect(ok_, &skin::SkinButton::clicked, this, &QDialog::accept);
  connect(cancel_, &skin::SkinButton::clicked, this, &QDialog::reject);
  connect(exit_, &skin::SkinButton::clicked, this, &QDialog::reject);
}

bool FactoryResetDialog::ask(QWidget* parent) {
  FactoryResetDialog dialog(parent);
  return dialog.exec() == Accepted;
}

}  // namespace option
