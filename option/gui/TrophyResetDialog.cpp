#include "TrophyResetDialog.h"

#include "skin/SkinResourceIds.h"
#include "skin/TrophyPageLayout.h"

namespace option {

TrophyResetDialog::TrophyResetDialog(QWidget* parent)
    : SmallDialog(
          {skin::res::kTrophyResetDialogFace, {304, 240}, QStringLiteral("Reset statistics")},
          parent) {
  namespace tp = skin::trophypage;
  setObjectName(QStringLiteral("TrophyResetDialog"));
  addClosingButtons(tp::kConfirmOk, tp::kConfirmCancel, tp::kConfirmExit);
}

}  // namespace option
