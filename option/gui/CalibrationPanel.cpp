#include "CalibrationPanel.h"

#include <QPainter>

#include "skin/CalibrationWizardLayout.h"

namespace option {

CalibrationPanel::CalibrationPanel(const QImage& face, bool showsPicture, QWidget* parent)
    : skin::SkinPage(parent, face), showsPicture_(showsPicture) {}

void CalibrationPanel::setSensorPicture(const QImage& picture) {
  picture_ = picture;
  if (showsPicture_) update();
}

void CalibrationPanel::paintEvent(QPaintEvent* event) {
  skin::SkinPage::paintEvent(event);
  if (!showsPicture_ || picture_.isNull()) return;
  namespace cw = skin::calibration;
  const QRect target(QPoint(cw::kPicture[0], cw::kPicture[1]),
                     QPoint(cw::kPicture[2] - 1, cw::kPicture[3] - 1));
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(target, picture_);
}

}  // namespace option
