#pragma once

#include <QImage>
#include <QWidget>

namespace option {

// A trophy picture that shows its help text in the main window's quick-help
// area while the mouse is over it.
class TrophyIcon : public QWidget {
  Q_OBJECT
 public:
  TrophyIcon(const QRect& place, QWidget* parent);

  void setPicture(const QImage& picture);
  void setHelpText(const QString& help) { help_ = help; }
  const QString& helpText() const { return help_; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEnterEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void leaveEvent(QEvent*) override;

 private:
  QImage picture_;
  QString help_;
};

}  // namespace option
