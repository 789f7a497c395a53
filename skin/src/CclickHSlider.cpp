#include "skin/CclickHSlider.h"

#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "skin/CPHSlider.h"
#include "skin/PageSheets.h"
#include "skin/SkinContext.h"
#include "skin/SkinLayout.h"
#include "skin/SkinResources.h"

Q_LOGGING_CATEGORY(lcTrack, "vesk.skin.slider.track", QtWarningMsg)

namespace skin {

CclickHSlider::CclickHSlider(const QImage& thumb, const LayoutEntry& layout, QWidget* owner,
                             int controlId)
    : QWidget(owner), controlId_(controlId) {
  applyLayout(this, layout);
  help_ = layoutHelp(layout);
  setAttribute(Qt::WA_OpaquePaintEvent);
  if (thumb.isNull()) {
    hide();
    return;
  }
  thumb_ = new CPHSlider(thumb, 0, 0, width(), controlId_, this);
  thumb_->installEventFilter(this);
  thumb_->setRange(minimum_, maximum_);
  thumb_->setValue(minimum_);
}

CclickHSlider::CclickHSlider(int thumbBitmap, const LayoutEntry& layout, QWidget* owner,
                             int controlId)
    : CclickHSlider(SkinResources::bitmap(thumbBitmap), layout, owner, controlId) {}

void CclickHSlider::setBackground(const QImage& sheet) {
  background_ = cutImage(sheet, geometry());
  update();
}

void CclickHSlider::setFill(const QImage& sheet) {
  fill_ = cutImage(sheet, geometry());
  update();
}

bool CclickHSlider::eventFilter(QObject* watched, QEvent* event) {
  // The filled part follows the thumb, also while it is dragged.
  if (watched == thumb_ && event->type() == QEvent::Move && !fill_.isNull()) update();
  return QWidget::eventFilter(watched, event);
}

void CclickHSlider::setRange(int minimum, int maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  if (thumb_) thumb_->setRange(minimum, maximum);
}

void CclickHSlider::setSnap(bool snap) {
  snap_ = snap;
  if (thumb_) thumb_->setSnap(snap);
}

void CclickHSlider::setPosition(int value) {
  if (!thumb_) return;
  thumb_->setValue(value);
  update();
}

int CclickHSlider::value() const { return thumb_ ? thumb_->value() : 0; }

LRESULT CclickHSlider::handleControlMessage(UINT msg, WPARAM wParam, LPARAM) {
  if (msg == SliderValueMsg) postControlMessage(parentWidget(), SliderValueMsg, wParam, controlId_);
  return 0;
}

void CclickHSlider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (background_.isNull()) {
    painter.fillRect(rect(), QColor(20, 22, 26));
  } else {
    painter.drawImage(QPoint(0, 0), background_);
  }
  if (!fill_.isNull() && thumb_) {
    const int filled = std::clamp(thumb_->x() + thumb_->width() / 2, 0, width());
    const QRect part(0, 0, filled, height());
    painter.drawImage(part, fill_, part);
  }
}

void CclickHSlider::mousePressEvent(QMouseEvent* event) {
  if (!thumb_ || event->button() != Qt::LeftButton) return;
  const double x = event->position().x();
  const double raw = width() > 0 ? minimum_ + x * (maximum_ - minimum_) / width() : minimum_;
  qCDebug(lcTrack, "CclickHSlider=%f", raw);
  const double whole = snap_ ? std::round(raw) : std::trunc(raw);
  const int value = static_cast<int>(std::clamp(whole, double(std::min(minimum_, maximum_)),
                                                double(std::max(minimum_, maximum_))));
  thumb_->setValue(value);
  update();
  postControlMessage(parentWidget(), SliderValueMsg, static_cast<WPARAM>(value), controlId_);
}

void CclickHSlider::enterEvent(QEnterEvent* event) {
  SkinContext::instance().announceHelpText(help_);
  QWidget::enterEvent(event);
}

}  // namespace skin
