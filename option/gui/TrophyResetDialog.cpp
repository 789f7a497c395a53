#include "TrophyResetDialog.h"

#include "skin/LayoutEntry.h"
#include "skin/PageSheets.h"
#include "skin/SkinButton.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"
#include "skin/TrophyPageLayout.h"

namespace option {

TrophyResetDialog::TrophyResetDialog(QWidget* parent) : skin::SkinDialog(parent) {
  using skin::SkinResources::bitmap;
  namespace tp = skin::trophypage;
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setObjectName(QStringLiteral("TrophyResetDialog"));
  const QImage face = bitmap(skin::res::kTrophyResetDialogFace);
  setFace(face);
  setMaskBitmap(face);
  const skin::PageSheets sheets(face, bitmap(skin::res::kTrophyResetDialogHover),
                                bitmap(skin::res::kTrophyResetDialogPressed), face);
  ok_ = new skin::SkinButton(skin::parseLayout(tp::kConfirmOk), this);
  cancel_ = new skin::SkinButton(skin::parseLayout(tp::kConfirmCancel), this);
  exit_ = new skin::SkinButton(skin::parseLayout(tp::kConfirmExit), this);
  for (skin::SkinButton* b : {ok_, cancel_, exit_}) b->setSheets(sheets);
  connect(ok_, &skin::SkinButton::clicked, this, &QDialog::accept);
  connect(cancel_, &skin::SkinButton::clicked, this, &QDialog::reject);
  connect(exit_, &skin::SkinButton::clicked, this, &QDialog::reject);
}

}  // namespace option
