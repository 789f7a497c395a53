#include "skin/SkinBackground.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

#include "skin/RegionFromBitmap.h"

namespace skin {

void SkinBackground::setFace(const QImage& face) {
  face_ = face;
  self_->setAttribute(Qt::WA_OpaquePaintEvent);
  self_->setAttribute(Qt::WA_NoSystemBackground);
  if (!face_.isNull()) self_->resize(face_.size());
  self_->update();
}

void SkinBackground::setMask(const QImage& mask) {
  const QRegion region = regionFromBitmap(mask, Qt::white, 0);
  if (!region.isEmpty()) self_->setMask(region);
}

void SkinBackground::paint() {
  QPainter painter(self_);
  if (face_.isNull()) {
    painter.fillRect(self_->rect(), QColor(12, 13, 15));
    return;
  }
  painter.drawImage(QPoint(0, 0), face_);
}

void SkinBackground::mousePress(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  QWidget* top = self_->window();
  if (QWindow* handle = top->windowHandle(); handle && handle->startSystemMove()) return;
  dragging_ = true;
  grabOffset_ = event->globalPosition().toPoint() - top->frameGeometry().topLeft();
}

void SkinBackground::mouseMove(QMouseEvent* event) {
  if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
  self_->window()->move(event->globalPosition().toPoint() - grabOffset_);
}

void SkinBackground::mouseRelease(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
}

}  // namespace skin
