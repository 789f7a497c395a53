#include "AppIconArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "ArtStyle.h"

namespace appicon {
namespace {

namespace color = skinart::color;

QImage transparentImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// The mouse seen from above inside `body`: shell, the split between the two
// main buttons, the wheel and a lit strip at the back.
void drawMouse(QPainter& p, const QRectF& body, bool lit) {
  const qreal w = body.width();
  const qreal line = std::max<qreal>(1.0, w / 14);
  QLinearGradient shell(body.topLeft(), body.bottomRight());
  shell.setColorAt(0, color::kPanelHigh.lighter(140));
  shell.setColorAt(1, color::kDeep);
  p.setBrush(shell);
  p.setPen(QPen(color::kAccent, line));
  const QRectF outline = body.adjusted(line / 2, line / 2, -line / 2, -line / 2);
  p.drawRoundedRect(outline, w * 0.48, w * 0.48);

  // Split between the buttons, down to the wheel's foot.
  const qreal cx = body.center().x();
  p.setPen(QPen(color::kAccent, std::max<qreal>(1.0, line * 0.7)));
  p.drawLine(QPointF(cx, outline.top() + line), QPointF(cx, body.top() + body.height() * 0.40));
  // The wheel.
  const QRectF wheel(cx - w * 0.09, body.top() + body.height() * 0.14, w * 0.18,
                     body.height() * 0.17);
  p.setPen(Qt::NoPen);
  p.setBrush(color::kBright);
  p.drawRoundedRect(wheel, wheel.width() / 2, wheel.width() / 2);
  if (!lit) return;
  // The lit zone at the back of the shell.
  const QRectF strip(body.left() + w * 0.28, body.top() + body.height() * 0.70, w * 0.44,
                     std::max<qreal>(1.5, body.height() * 0.05));
  QRadialGradient glow(strip.center(), w * 0.35);
  glow.setColorAt(0, color::kAccent.lighter(130));
  glow.setColorAt(1,
                  QColor(color::kAccent.red(), color::kAccent.green(), color::kAccent.blue(), 0));
  p.setBrush(glow);
  p.drawEllipse(strip.center(), w * 0.35, body.height() * 0.12);
  p.setBrush(color::kAccent.lighter(120));
  p.drawRoundedRect(strip, strip.height() / 2, strip.height() / 2);
}

}  // namespace

QImage applicationIcon(int size) {
  QImage image = transparentImage(size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  const QRectF tile(s * 0.04, s * 0.04, s * 0.92, s * 0.92);
  QLinearGradient back(tile.topLeft(), tile.bottomLeft());
  back.setColorAt(0, color::kPanelHigh);
  back.setColorAt(1, color::kDeep);
  p.setPen(QPen(color::kLine, std::max<qreal>(1.0, s / 64)));
  p.setBrush(back);
  p.drawRoundedRect(tile, s * 0.2, s * 0.2);
  drawMouse(p, QRectF(s * 0.30, s * 0.14, s * 0.40, s * 0.72), size >= 32);
  return image;
}

QImage trayIcon(int size) {
  QImage image = transparentImage(size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  drawMouse(p, QRectF(s * 0.18, s * 0.04, s * 0.64, s * 0.92), size >= 32);
  return image;
}

}  // namespace appicon
