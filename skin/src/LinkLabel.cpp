#include "skin/LinkLabel.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "skin/SkinContext.h"
#include "skin/SkinLayout.h"
#include "skin/SkinResources.h"

namespace skin {

namespace {
const QColor kLinkColor(53, 160, 222);
const QColor kLinkHighlight(240, 240, 240);
}  // namespace

LinkLabel::LinkLabel(const LayoutEntry& layout, QWidget* parent)
    : QWidget(parent), font_(SkinResources::arialFont(12)) {
  applyLayout(this, layout);
  timer_.setInterval(kScrollPeriodMs);
  connect(&timer_, &QTimer::timeout, this, [this] { scrollStep(); });
}

void LinkLabel::setText(const QString& text) {
  text_ = text;
  update();
}

void LinkLabel::setFont(const QFont& font) {
  font_ = font;
  update();
}

void LinkLabel::setLinkMode(bool on) {
  linkMode_ = on;
  setCursor(on ? SkinResources::handCursor() : QCursor());
  update();
}

void LinkLabel::setScrolling(bool on) {
  if (on) {
    offset_ = height();
    timer_.start();
  } else {
    timer_.stop();
    offset_ = 0;
  }
  update();
}

int LinkLabel::lineHeight() const { return std::max(1, QFontMetrics(font_).lineSpacing()); }

int LinkLabel::lineCount() const { return static_cast<int>(text_.split(QLatin1Char('\n')).size()); }

int LinkLabel::scrollStep() {
  SkinContext& context = SkinContext::instance();
  if (context.scrollPaused()) return offset_;
  --offset_;
  const int passed = -offset_;
  if (passed >= lineCount() * lineHeight()) {
    offset_ = height();  // the last line is gone: come in again from below
  } else if (passed > 0 && passed % lineHeight() == 0) {
    context.setScrollPaused(true);
    QTimer::singleShot(kLinePauseMs, [] { SkinContext::instance().setScrollPaused(false); });
  }
  update();
  return offset_;
}

void LinkLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QFont font = font_;
  font.setUnderline(linkMode_ && highlighted_);
  painter.setFont(font);
  painter.setPen(linkMode_ ? (highlighted_ ? kLinkHighlight : kLinkColor) : color_);
  const QStringList lines = text_.split(QLatin1Char('\n'));
  const QFontMetrics metrics(font);
  int y = offset_;
  for (const QString& line : lines) {
    painter.drawText(QRect(0, y, width(), lineHeight()), Qt::AlignLeft | Qt::AlignVCenter, line);
    y += lineHeight();
  }
}

void LinkLabel::enterEvent(QEnterEvent* event) {
  if (linkMode_ && !highlighted_) {
    highlighted_ = true;
    update();
  }
  QWidget::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
  if (highlighted_) {
    highlighted_ = false;
    update();
  }
  QWidget::leaveEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (linkMode_ && event->button() == Qt::LeftButton &&
      rect().contains(event->position().toPoint())) {
    SkinContext::instance().shellOpen(text_);
    emit opened(text_);
    update();
  }
}

}  // namespace skin
