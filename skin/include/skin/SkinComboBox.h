#pragma once

#include <QComboBox>

#include "skin/LayoutEntry.h"

namespace skin {

// A drop-down list in the skin's font ("Arial" at 8 points of the screen's
// resolution, normal weight) and colours.
class SkinComboBox : public QComboBox {
  Q_OBJECT
 public:
  explicit SkinComboBox(QWidget* parent = nullptr);
  SkinComboBox(const LayoutEntry& layout, QWidget* parent);

  // -(8 x pixels per inch / 72), as a positive pixel size.
  static int fontPixelHeight(int pixelsPerInch) { return 8 * pixelsPerInch / 72; }
};

}  // namespace skin
