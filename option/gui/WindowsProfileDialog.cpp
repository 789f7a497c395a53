#include "WindowsProfileDialog.h"

#include "skin/SkinResourceIds.h"

namespace option {

WindowsProfileDialog::WindowsProfileDialog(QWidget* parent)
    : SmallDialog(
          Art{skin::res::kWindowsProfileDialogFace,
              {skin::res::kWindowsProfileDialogWidth, skin::res::kWindowsProfileDialogHeight},
              QStringLiteral("Windows profile")},
          parent) {
  setObjectName(QStringLiteral("WindowsProfileDialog"));
  addClosingButtons("BUTTON_OK,72,200,56,24,", "BUTTON_CANCEL,136,200,100,24,",
                    "BUTTON_EXIT,274,3,26,22,");
}

}  // namespace option
