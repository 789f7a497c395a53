#include "skin/SkinProgressBar.h"

#include <QPainter>
#include <algorithm>

#include "skin/SkinLayout.h"

namespace skin {

SkinProgressBar::SkinProgressBar(const LayoutEntry& layout, QWidget* parent) : QWidget(parent) {
  applyLayout(this, layout);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void SkinProgressBar::setRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = std::max(minimum, maximum);
  setPosition(position_);
}

void SkinProgressBar::setPosition(int position) {
  position = std::clamp(position, minimum_, maximum_);
  if (position == position_) return;
  position_ = position;
  update();
}

void SkinProgressBar::setColors(const QColor& background, const QColor& bar) {
  background_ = background;
  bar_ = bar;
  update();
}

void SkinProgressBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), background_);
  const long long span = maximum_ - minimum_;
  if (span <= 0) return;
  const int filled =
      static_cast<int>(static_cast<long long>(width()) * (position_ - minimum_) / span);
  if (filled <= 0) return;
  const QRect bar(0, 0, filled, height());
  painter.fillRect(bar, bar_);
  // A lighter top edge gives the flat bar some depth.
  painter.fillRect(QRect(0, 0, filled, std::max(1, height() / 4)), bar_.lighter(118));
}

}  // namespace skin
