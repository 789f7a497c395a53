#include "skin/CPHSlider.h"

#include <QBitmap>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "skin/ControlMessages.h"
#include "skin/SkinOwner.h"

Q_LOGGING_CATEGORY(lcThumb, "vesk.skin.slider", QtWarningMsg)

namespace skin {

namespace {

QRegion shapeOf(const QImage& thumb) {
  QRegion region(thumb.rect());
  if (thumb.isNull()) return region;
  const QRgb key = thumb.pixel(0, 0);
  for (int y = 0; y < thumb.height(); ++y) {
    int x = 0;
    while (x < thumb.width()) {
      if (thumb.pixel(x, y) != key) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < thumb.width() && thumb.pixel(x, y) == key) ++x;
      region -= QRect(start, y, x - start, 1);
    }
  }
  return region;
}

}  // namespace

CPHSlider::CPHSlider(const QImage& thumb, int trackStartX, int trackY, int trackEndX, int controlId,
                     QWidget* track)
    : QWidget(track),
      thumb_(thumb),
      startX_(trackStartX),
      y_(trackY),
      endX_(trackEndX),
      controlId_(controlId) {
  setFocusPolicy(Qt::TabFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  resize(thumb_.size());
  setMask(shapeOf(thumb_));
  value_ = minimum_;
  move(positionFor(value_), y_);
}

void CPHSlider::setRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
}

int CPHSlider::positionFor(int value) const {
  if (maximum_ == minimum_) return startX_;
  const long long span = endX_ - startX_ - thumb_.width();
  return startX_ + static_cast<int>(span * (value - minimum_) / (maximum_ - minimum_));
}

void CPHSlider::setValue(int value) {
  value_ = std::clamp(value, std::min(minimum_, maximum_), std::max(minimum_, maximum_));
  move(positionFor(value_), y_);
}

void CPHSlider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), thumb_);
}

void CPHSlider::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragEnabled_) return;
  dragging_ = true;
  grabX_ = event->position().toPoint().x();
}

int CPHSlider::dragTarget(QMouseEvent* event) const {
  const int mouseX = mapToParent(event->position().toPoint()).x();
  const int highest = std::max(startX_, endX_ - thumb_.width());
  return std::clamp(mouseX - grabX_, startX_, highest);
}

void CPHSlider::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const int x = dragTarget(event);
  move(x, y_);
  const int span = endX_ - thumb_.width() - startX_;
  int value = minimum_;
  if (span > 0)
    value = minimum_ +
            static_cast<int>(static_cast<long long>(x - startX_) * (maximum_ - minimum_) / span);
  value_ = std::clamp(value, std::min(minimum_, maximum_), std::max(minimum_, maximum_));
  report();
}

void CPHSlider::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_ || event->button() != Qt::LeftButton) return;
  dragging_ = false;
  const int span = endX_ - thumb_.width() - startX_;
  const double raw =
      span > 0 ? minimum_ + double(x() - startX_) * (maximum_ - minimum_) / span : minimum_;
  qCDebug(lcThumb, "CPHSlider=%f", raw);
  const double whole = snap_ ? std::round(raw) : std::trunc(raw);
  value_ = static_cast<int>(std::clamp(whole, double(std::min(minimum_, maximum_)),
                                       double(std::max(minimum_, maximum_))));
  report();
  if (snap_) move(positionFor(value_), y_);
}

void CPHSlider::report() {
  postControlMessage(parentWidget(), SliderValueMsg, static_cast<WPARAM>(value_), controlId_);
}

}  // namespace skin
