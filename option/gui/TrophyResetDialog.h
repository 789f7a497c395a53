#pragma once

#include "skin/SkinDialog.h"

namespace skin {
class SkinButton;
}

namespace option {

// Asks before the usage counters go back to zero. OK ends with Accepted;
// Cancel and Exit with Rejected. The wording is in the background picture.
class TrophyResetDialog : public skin::SkinDialog {
  Q_OBJECT
 public:
  explicit TrophyResetDialog(QWidget* parent = nullptr);
  skin::SkinButton* okButton() const { return ok_; }
  skin::SkinButton* cancelButton() const { return cancel_; }
  skin::SkinButton* exitButton() const { return exit_; }

 private:
  skin::SkinButton* ok_;
  skin::SkinButton* cancel_;
  skin::SkinButton* exit_;
};

}  // namespace option
