#include "skin/ColorDotsIndicator.h"

#include <QPainter>

#include "skin/SkinContext.h"
#include "skin/SkinLayout.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace skin {

ColorDotsIndicator::ColorDotsIndicator(const LayoutEntry& layout, QWidget* parent)
    : QWidget(parent), background_(SkinResources::bitmap(res::kColorDots)) {
  applyLayout(this, layout);
  help_ = layoutHelp(layout);
}

QRect ColorDotsIndicator::dotRect(int zone) {
  static constexpr QPoint kCorners[4] = {{6, 6}, {6, 13}, {13, 6}, {13, 13}};
  return QRect(kCorners[zone & 3], QSize(4, 4));
}

void ColorDotsIndicator::setColor(int zone, const QColor& color) {
  if (zone < 0 || zone > 3) return;
  colors_[static_cast<std::size_t>(zone)] = color;
  update();
}

void ColorDotsIndicator::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_.isNull()) {
    painter.fillRect(rect(), Qt::black);
  } else {
    painter.drawImage(QPoint(0, 0), background_);
  }
  painter.setRenderHint(QPainter::Antialiasing);
  for (int zone = 0; zone < 4; ++zone) {
    const QRectF dot = QRectF(dotRect(zone)).adjusted(-1, -1, 1, 1);
    painter.setPen(colors_[static_cast<std::size_t>(zone)]);
    painter.setBrush(colors_[static_cast<std::size_t>(zone)]);
    painter.drawEllipse(dot);
  }
}

void ColorDotsIndicator::enterEvent(QEnterEvent* event) {
  SkinContext::instance().announceHelpText(help_);
  QWidget::enterEvent(event);
}

}  // namespace skin
