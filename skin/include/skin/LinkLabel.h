#pragma once

#include <QTimer>
#include <QWidget>

#include "skin/LayoutEntry.h"

namespace skin {

// A text on the skin: optionally a link (highlighted under the mouse, opened
// with the desktop's "open" action on click), optionally scrolling upwards
// one pixel every 40 ms, resting 5000 ms whenever a line has fully passed.
// All scrolling labels of the program rest together (one shared pause).
class LinkLabel : public QWidget {
  Q_OBJECT
 public:
  LinkLabel(const LayoutEntry& layout, QWidget* parent);

  void setText(const QString& text);
  const QString& text() const { return text_; }
  void setLinkMode(bool on);
  bool isHighlighted() const { return highlighted_; }
  void setScrolling(bool on);
  bool isScrolling() const { return timer_.isActive(); }
  void setTextColor(const QColor& color) {
    color_ = color;
    update();
  }
  void setFont(const QFont& font);

  // One tick of the scroll timer; public so that the motion can be checked
  // without waiting. Returns the text's top offset afterwards.
  int scrollStep();
  int scrollOffset() const { return offset_; }

  static constexpr int kScrollPeriodMs = 40;
  static constexpr int kLinePauseMs = 5000;

 signals:
  void opened(const QString& target);

 protected:
  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEnterEvent*) override;
  void leaveEvent(QEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;

 private:
  int lineHeight() const;
  int lineCount() const;

  QString text_;
  QFont font_;
  QColor color_{224, 224, 224};
  QTimer timer_;
  bool linkMode_ = false;
  bool highlighted_ = false;
  int offset_ = 0;
};

}  // namespace skin
