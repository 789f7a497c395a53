#pragma once

#include "OptionPage.h"
#include "skin/SkinPage.h"

namespace option {

// A page that shows only its background picture (or the bare page area when
// there is none yet).
class BackgroundPage : public skin::SkinPage, public OptionPage {
  Q_OBJECT
 public:
  BackgroundPage(QWidget* parent, int faceBitmap);
  QWidget* widget() override { return this; }
  void refresh() override {}
  void applyHelpTexts(const HelpTexts&) override {}
};

}  // namespace option
