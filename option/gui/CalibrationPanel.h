#pragma once

#include <QImage>

#include "skin/SkinPage.h"

namespace option {

// One panel of the calibration wizard: its picture and, on the panels that
// show it, the sensor picture stretched smoothly into its frame.
class CalibrationPanel : public skin::SkinPage {
  Q_OBJECT
 public:
  CalibrationPanel(const QImage& face, bool showsPicture, QWidget* parent);
  // A null picture draws nothing in the frame.
  void setSensorPicture(const QImage& picture);
  bool showsPicture() const { return showsPicture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool showsPicture_;
  QImage picture_;
};

}  // namespace option
