#pragma once

#include "SmallDialog.h"

namespace option {

// Asks before every profile and the mouse go back to the factory settings.
// OK ends with Accepted; Cancel and Exit with Rejected. The wording is in
// the picture.
class FactoryResetDialog : public SmallDialog {
  Q_OBJECT
 public:
  explicit FactoryResetDialog(QWidget* parent = nullptr);
  // True when the user pressed OK.
  static bool ask(QWidget* parent);
};

}  // namespace option
