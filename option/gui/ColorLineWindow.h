#pragma once

#include <QWidget>
#include <array>

#include "option/LightPageModel.h"
#include "option/LightPalette.h"

namespace option {

// The mouse seen from above with its four light zones as coloured dots and
// the zone being edited highlighted. A click on a dot tells the owner page
// with ZoneSelectMsg (wParam 0, lParam the zone).
class ColorLineWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr unsigned ZoneSelectMsg = 1792;

  explicit ColorLineWindow(QWidget* page);

  void setColors(const std::array<Rgb, LightPageModel::kZoneCount>& colors);
  void setZone(int zone);
  int zone() const { return zone_; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  std::array<QImage, LightPageModel::kZoneCount> pictures_;
  std::array<Rgb, LightPageModel::kZoneCount> colors_{};
  int zone_ = 0;
};

}  // namespace option
