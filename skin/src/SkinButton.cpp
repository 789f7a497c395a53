#include "skin/SkinButton.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>

#include "skin/SkinContext.h"
#include "skin/SkinLayout.h"
#include "skin/SkinOwner.h"
#include "skin/SkinResources.h"

namespace skin {

namespace {
const QColor kCaptionColor(224, 224, 224);
}

SkinButton::SkinButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
  connect(this, &QAbstractButton::clicked, this, &SkinButton::onClicked);
}

SkinButton::SkinButton(const LayoutEntry& layout, QWidget* parent) : SkinButton(parent) {
  applyLayout(this, layout);
  help_ = layoutHelp(layout);
}

void SkinButton::setSheets(const PageSheets& sheets) { setPictures(sheets.cut(geometry())); }

void SkinButton::setPictures(const ControlPictures& pictures) {
  pictures_ = pictures;
  // A picture with transparent parts, or a state without a picture, lets
  // the window show through.
  const auto opaque = [](const QImage& image) {
    return !image.isNull() && !image.hasAlphaChannel();
  };
  setAttribute(Qt::WA_OpaquePaintEvent, opaque(pictures_.normal) && opaque(pictures_.hover) &&
                                            opaque(pictures_.pressed) &&
                                            opaque(pictures_.disabled));
  update();
}

void SkinButton::setCaption(const QString& caption) {
  caption_ = caption;
  update();
}

void SkinButton::setSelected(bool selected) {
  if (selected_ == selected) return;
  selected_ = selected;
  update();
}

void SkinButton::setHover(bool hover) {
  if (hover_ == hover) return;
  hover_ = hover;
  update();
}

void SkinButton::setHandCursor(bool on) {
  handCursor_ = on;
  if (on) {
    setCursor(SkinResources::handCursor());
  } else {
    unsetCursor();
  }
}

void SkinButton::setTrademark(bool on) {
  trademark_ = on;
  update();
}

void SkinButton::setDefaultButton() {
  hover_ = true;
  notifyHover(true);
  update();
}

SkinButton::Picture SkinButton::currentPicture() const {
  const bool disabled = !isEnabled();
  if (checkMode_) {
    if (disabled) return Picture::Disabled;
    if (!selected_) return hover_ ? Picture::Hover : Picture::Normal;
    return Picture::Pressed;
  }
  if ((selected_ && !disabled) || isDown()) return Picture::Pressed;
  if (hover_) return Picture::Hover;
  if (disabled) return Picture::Disabled;
  return Picture::Normal;
}

const QImage& SkinButton::picture(Picture which) const {
  switch (which) {
    case Picture::Hover:
      return pictures_.hover;
    case Picture::Pressed:
      return pictures_.pressed;
    case Picture::Disabled:
      return pictures_.disabled;
    case Picture::Normal:
      break;
  }
  return pictures_.normal;
}

void SkinButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QImage& image = picture(currentPicture());
  if (!image.isNull()) painter.drawImage(rect(), image);
  if (caption_.isEmpty()) return;

  const QFont font = SkinResources::arialFont(14, 5);
  painter.setFont(font);
  painter.setPen(kCaptionColor);
  const QFontMetrics metrics(font);
  const int top = (height() - metrics.height()) / 2;
  painter.drawText(QPoint(5, top + metrics.ascent()), caption_);
  if (trademark_) {
    const QFont small = SkinResources::arialFont(8);
    painter.setFont(small);
    painter.drawText(
        QPoint(5 + metrics.horizontalAdvance(caption_), top + QFontMetrics(small).ascent()),
        QStringLiteral("TM"));
  }
}

void SkinButton::notifyHover(bool entered) {
  postControlMessage(parentWidget(), ButtonHoverMsg, entered ? 1 : 0, notifyIndex_);
  if (entered) {
    SkinContext::instance().announceHelpText(help_);
  } else {
    SkinContext::instance().clearHelpText();
  }
}

void SkinButton::enterEvent(QEnterEvent* event) {
  if (!hover_ && (!(QGuiApplication::mouseButtons() & Qt::LeftButton))) {
    hover_ = true;
    notifyHover(true);
    update();
  }
  QAbstractButton::enterEvent(event);
}

void SkinButton::leaveEvent(QEvent* event) {
  if (hover_) {
    hover_ = false;
    notifyHover(false);
    update();
  }
  QAbstractButton::leaveEvent(event);
}

void SkinButton::mouseMoveEvent(QMouseEvent* event) {
  // A move can arrive without an enter (the pointer was already there when
  // the button appeared); a drag from elsewhere does not count as hovering.
  const bool inside = rect().contains(event->position().toPoint());
  if (inside && !hover_ && !(event->buttons() & Qt::LeftButton)) {
    hover_ = true;
    notifyHover(true);
    update();
  } else if (!inside && hover_ && !(event->buttons() & Qt::LeftButton)) {
    hover_ = false;
    notifyHover(false);
    update();
  }
  QAbstractButton::mouseMoveEvent(event);
}

void SkinButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && !window()->isActiveWindow()) window()->activateWindow();
  QAbstractButton::mousePressEvent(event);
}

void SkinButton::focusOutEvent(QFocusEvent* event) {
  if (hover_) {
    hover_ = false;
    notifyHover(false);
    update();
  }
  QAbstractButton::focusOutEvent(event);
}

void SkinButton::onClicked() {
  if (checkMode_) {
    selected_ = !selected_;
    repaint();
  }
  sendControlMessage(parentWidget(), WM_COMMAND, platform::MAKEWPARAM(0, BN_CLICKED),
                     toLParam(this));
}

}  // namespace skin
