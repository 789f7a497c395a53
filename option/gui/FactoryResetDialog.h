#pragma once

#include "skin/SkinDialog.h"

namespace skin {
class SkinButton;
}

namespace option {

// Asks before every profile and the mouse go back to the factory settings.
// OK ends with Accepted; Cancel and Exit with Rejected. The wording is in
// the picture.
class FactoryResetDialog : public skin::SkinDialog {
  Q_OBJECT
 public:
  explicit FactoryResetDialog(QWidget* parent = nullptr);
  // True when the user pressed OK.
  static bool ask(QWidget* parent);

  skin::SkinButton* okButton() const { return ok_; }
  skin::SkinButton* cancelButton() const { return cancel_; }
  skin::SkinButton* exitButton() const { return exit_; }

 private:
  skin::SkinButton* ok_;
  skin::SkinButton* cancel_;
  skin::SkinButton* exit_;
};

}  // namespace option
