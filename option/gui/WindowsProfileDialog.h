#pragma once

#include "SmallDialog.h"

namespace option {

// Asks whether a profile slot shall carry the Windows-profile marker. OK ends
// with Accepted; Cancel and Exit with Rejected. The wording is in the
// background picture.
class WindowsProfileDialog : public SmallDialog {
  Q_OBJECT
 public:
  explicit WindowsProfileDialog(QWidget* parent = nullptr);
};

}  // namespace option
