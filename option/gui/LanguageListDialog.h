#pragma once

#include <array>

#include "option/Languages.h"
#include "skin/SkinDialog.h"

namespace skin {
class SkinButton;
}

namespace option {

// The language chooser: seventeen entries; choosing one ends the dialog with
// its index 0..16, a click outside all entries with -1.
class LanguageListDialog : public skin::SkinDialog {
  Q_OBJECT
 public:
  explicit LanguageListDialog(QWidget* parent = nullptr);
  skin::SkinButton* entry(int index) const { return entries_.at(static_cast<std::size_t>(index)); }

  // Where the list opens for a language button at `buttonTopLeft` (global):
  // its left edge, 289 pixels above the button's top.
  static QPoint placeFor(const QPoint& buttonTopLeft) { return buttonTopLeft - QPoint(0, 289); }

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  std::array<skin::SkinButton*, kLanguageCount> entries_{};
};

}  // namespace option
