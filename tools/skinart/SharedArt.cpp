#include "SharedArt.h"

#include <QPainter>
#include <QPainterPath>

#include "ArtStyle.h"
#include "skin/ColorDotsIndicator.h"

namespace skinart {

namespace {
const QColor kThumbKey(255, 0, 255);
}

QImage pageMask() {
  QImage mask(774, 312, QImage::Format_RGB32);
  mask.fill(Qt::black);
  QPainter p(&mask);
  // Small angled corners.
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  for (int i = 0; i < 3; ++i) {
    p.drawRect(0, i, 3 - i, 1);
    p.drawRect(774 - 3 + i, i, 3 - i, 1);
    p.drawRect(0, 311 - i, 3 - i, 1);
    p.drawRect(774 - 3 + i, 311 - i, 3 - i, 1);
  }
  return mask;
}

QImage sliderThumb(int width, int height, const QColor& accent) {
  // Drawn without smoothing: an edge pixel blended with the key colour would
  // survive the cut as a pink fringe.
  QImage thumb(width, height, QImage::Format_RGB32);
  thumb.fill(kThumbKey);
  QPainter p(&thumb);
  const int body = height - (width + 1) / 2;
  QPolygon shape;
  shape << QPoint(1, 0) << QPoint(width - 2, 0) << QPoint(width - 1, 1) << QPoint(width - 1, body)
        << QPoint(width / 2, height - 1) << QPoint((width - 1) / 2, height - 1) << QPoint(0, body)
        << QPoint(0, 1);
  QLinearGradient metal(0, 0, width, 0);
  metal.setColorAt(0, QColor(92, 98, 110));
  metal.setColorAt(0.45, QColor(58, 62, 72));
  metal.setColorAt(1, QColor(30, 32, 38));
  p.setPen(QColor(14, 15, 18));
  p.setBrush(metal);
  p.drawPolygon(shape);
  // Grip: an accent spine with a lit top.
  const int cx = width / 2;
  const int spine = width % 2 ? 3 : 2;
  p.fillRect(QRect(cx - 1, 3, spine, body - 4), accent);
  p.fillRect(QRect(cx - 1, 3, spine, 2), accent.lighter(150));
  p.setPen(QColor(255, 255, 255, 40));
  p.drawLine(2, 1, width - 3, 1);
  return thumb;
}

QImage dpiThumb() {
  QImage thumb(15, 5, QImage::Format_RGB32);
  thumb.fill(kThumbKey);
  QPainter p(&thumb);
  p.setPen(Qt::NoPen);
  p.setBrush(color::kAccent);
  p.drawRect(1, 0, 12, 4);
  p.drawRect(0, 1, 14, 2);
  p.fillRect(QRect(1, 0, 13, 1), QColor(140, 206, 244));
  p.fillRect(QRect(7, 1, 1, 3), QColor(24, 70, 102));
  return thumb;
}

QImage handCursor() {
  QImage cursor(32, 32, QImage::Format_ARGB32_Premultiplied);
  cursor.fill(Qt::transparent);
  QPainter p(&cursor);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath hand;
  // Index finger pointing up with its tip at (6, 1), three folded fingers, thumb.
  hand.moveTo(4.5, 3);
  hand.cubicTo(4.5, 0.6, 8.5, 0.6, 8.5, 3);
  hand.lineTo(8.5, 10.5);
  hand.cubicTo(8.5, 8.6, 12, 8.6, 12, 10.5);
  hand.cubicTo(12, 8.8, 15.5, 8.8, 15.5, 11);
  hand.cubicTo(15.5, 9.4, 19, 9.4, 19, 11.8);
  hand.lineTo(19, 18);
  hand.cubicTo(19, 21.5, 17.5, 23.5, 16, 25);
  hand.lineTo(7.5, 25);
  hand.cubicTo(5.5, 22.5, 2.5, 19, 1.2, 16.5);
  hand.cubicTo(0.3, 14.8, 2.6, 13.4, 4, 15);
  hand.lineTo(4.5, 15.6);
  hand.closeSubpath();
  p.setPen(QPen(QColor(8, 9, 11), 1.2));
  p.setBrush(QColor(245, 246, 248));
  p.drawPath(hand);
  p.setPen(QPen(QColor(120, 128, 140), 0.9));
  p.drawLine(QPointF(12, 11), QPointF(12, 15));
  p.drawLine(QPointF(15.5, 11.5), QPointF(15.5, 15));
  p.fillRect(QRectF(7.5, 25, 8.5, 3), color::kAccent);
  return cursor;
}

QImage colorDotsPlate() {
  QImage plate(23, 23, QImage::Format_RGB32);
  plate.fill(QColor(15, 16, 20));
  QPainter p(&plate);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(color::kLine, 1));
  p.setBrush(QColor(10, 11, 13));
  p.drawRoundedRect(QRectF(0.5, 0.5, 22, 22), 4, 4);
  for (int zone = 0; zone < 4; ++zone) {
    const QRectF socket = QRectF(skin::ColorDotsIndicator::dotRect(zone)).adjusted(-2, -2, 2, 2);
    p.setPen(QPen(QColor(40, 44, 52), 1));
    p.setBrush(QColor(4, 4, 5));
    p.drawEllipse(socket);
  }
  return plate;
}

}  // namespace skinart
