#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <array>

#include "skin/LayoutEntry.h"

namespace skin {

// 23 x 23 picture of a profile's four light zones: four coloured dots on
// bitmap 549.
class ColorDotsIndicator : public QWidget {
  Q_OBJECT
 public:
  ColorDotsIndicator(const LayoutEntry& layout, QWidget* parent);

  void setColor(int zone, const QColor& color);
  QColor color(int zone) const { return colors_.at(static_cast<std::size_t>(zone)); }
  void setHelpText(const QString& help) { help_ = help; }
  // The dot rectangles, before each is grown by one pixel on every side.
  static QRect dotRect(int zone);

 protected:
  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEnterEvent*) override;

 private:
  QImage background_;
  std::array<QColor, 4> colors_{Qt::red, Qt::red, Qt::red, Qt::red};
  QString help_;
};

}  // namespace skin
