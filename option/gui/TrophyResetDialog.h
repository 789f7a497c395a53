#pragma once

#include "SmallDialog.h"

namespace option {

// Asks before the usage counters go back to zero. OK ends with Accepted;
// Cancel and Exit with Rejected. The wording is in the background picture.
class TrophyResetDialog : public SmallDialog {
  Q_OBJECT
 public:
  explicit TrophyResetDialog(QWidget* parent = nullptr);
};

}  // namespace option
