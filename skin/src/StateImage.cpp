#include "skin/StateImage.h"

#include <QPainter>

#include "skin/SkinLayout.h"

namespace skin {

StateImage::StateImage(const LayoutEntry& layout, QWidget* parent) : QWidget(parent) {
  applyLayout(this, layout);
}

void StateImage::setImages(const QImage& state0, const QImage& state1, const QImage& state2) {
  images_ = {state0, state1, state2};
  update();
}

void StateImage::setState(int state) {
  if (state < 0 || state > 2 || state == state_) return;
  state_ = state;
  update();
}

void StateImage::paintEvent(QPaintEvent*) {
  const QImage& image = images_[static_cast<std::size_t>(state_)];
  if (image.isNull()) return;
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), image);
}

}  // namespace skin
