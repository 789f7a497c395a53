#include "TrophyIcon.h"

#include <QPainter>

#include "skin/SkinContext.h"

namespace option {

TrophyIcon::TrophyIcon(const QRect& place, QWidget* parent) : QWidget(parent) {
  setGeometry(place);
  setMouseTracking(true);
}

void TrophyIcon::setPicture(const QImage& picture) {
  picture_ = picture.size() == size() || picture.isNull()
                 ? picture
                 : picture.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
  update();
}

void TrophyIcon::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter p(this);
  p.drawImage(QPoint((width() - picture_.width()) / 2, (height() - picture_.height()) / 2),
              picture_);
}

void TrophyIcon::enterEvent(QEnterEvent*) { skin::SkinContext::instance().announceHelpText(help_); }

// The text may have changed while the mouse stayed (a new language, Pre/Next).
void TrophyIcon::mouseMoveEvent(QMouseEvent*) {
  skin::SkinContext::instance().announceHelpText(help_);
}

void TrophyIcon::leaveEvent(QEvent*) { skin::SkinContext::instance().clearHelpText(); }

}  // namespace option
