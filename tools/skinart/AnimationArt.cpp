#include "AnimationArt.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "ArtStyle.h"
#include "SharedArt.h"
#include "skin/ColorDotsIndicator.h"

namespace skinart {

std::vector<GifEncoder::Frame> progressFrames() {
  std::vector<GifEncoder::Frame> frames;
  constexpr int kFrames = 24;
  for (int f = 0; f < kFrames; ++f) {
    QImage image(128, 15, QImage::Format_RGB32);
    image.fill(QColor(14, 15, 18));
    QPainter p(&image);
    p.setPen(color::kLine);
    p.drawRect(0, 0, 127, 14);
    p.fillRect(QRect(1, 1, 126, 13), QColor(20, 22, 26));
    // A bright comet sweeping through a row of slanted cells.
    const double head = -30 + (158.0 * f) / kFrames;
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(QRect(2, 2, 124, 11));
    for (int x = -8; x < 136; x += 6) {
      const double distance = head - x;
      int alpha = 0;
      if (distance >= 0 && distance < 48) alpha = static_cast<int>(255 * (1 - distance / 48));
      const QColor cell =
          alpha > 0 ? QColor(53, 160, 222, std::max(40, alpha)) : QColor(40, 44, 52);
      const QPointF poly[4] = {{double(x), 12.5}, {x + 4.0, 12.5}, {x + 8.0, 2.5}, {x + 4.0, 2.5}};
      p.setPen(Qt::NoPen);
      p.setBrush(cell);
      p.drawPolygon(poly, 4);
    }
    p.end();
    frames.push_back({image, 4, 1});
  }
  return frames;
}

std::vector<GifEncoder::Frame> levelFrames(int level) {
  std::vector<GifEncoder::Frame> frames;
  constexpr int kFrames = 16;
  constexpr int kSegments = 13;
  for (int f = 0; f < kFrames; ++f) {
    QImage image(220, 34, QImage::Format_RGB32);
    image.fill(QColor(13, 14, 17));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color::kLineSoft, 1));
    p.setBrush(QColor(17, 18, 22));
    p.drawRoundedRect(QRectF(0.5, 6.5, 219, 21), 3, 3);
    const double shine = (kFrames > 1 ? double(f) / (kFrames - 1) : 0) * (level + 3) - 1.5;
    for (int s = 0; s < kSegments; ++s) {
      const double x = 6 + s * 16.1;
      const QPointF poly[4] = {{x, 23}, {x + 11, 23}, {x + 15, 11}, {x + 4, 11}};
      p.setPen(Qt::NoPen);
      if (s < level) {
        const double t = kSegments > 1 ? double(s) / (kSegments - 1) : 0;
        QColor c = QColor::fromRgbF(float((60 + (53 - 60) * t) / 255),
                                    float((136 + (160 - 136) * t) / 255),
                                    float((191 + (222 - 191) * t) / 255));
        const double glow = std::max(0.0, 1 - std::abs(s - shine) / 1.5);
        c = c.lighter(100 + int(55 * glow));
        p.setBrush(c);
      } else {
        p.setBrush(QColor(32, 35, 41));
      }
      p.drawPolygon(poly, 4);
    }
    p.end();
    frames.push_back({image, f == kFrames - 1 ? 120 : 5, 1});
  }
  return frames;
}

std::vector<GifEncoder::Frame> colorFlowFrames(int flow) {
  // Each zone's place in the wave: how far it lags behind the leading zones.
  // Zones: 0 top-left, 1 bottom-left, 2 top-right, 3 bottom-right.
  static constexpr int kLag[6][4] = {{0, 0, 0, 0}, {0, 0, 0, 0}, {1, 0, 1, 0},
                                     {0, 1, 0, 1}, {1, 1, 0, 0}, {0, 0, 1, 1}};
  const int pattern = flow >= 1 && flow <= 5 ? flow : 1;
  std::vector<GifEncoder::Frame> frames;
  constexpr int kFrames = 18;
  const QImage plate = colorDotsPlate();
  for (int f = 0; f < kFrames; ++f) {
    QImage image = plate.copy();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int zone = 0; zone < 4; ++zone) {
      const double hue = std::fmod(double(f) / kFrames + 1.0 - kLag[pattern][zone] * 0.17, 1.0);
      const QColor c = QColor::fromHsvF(float(hue), 0.85f, 1.0f);
      const QRectF dot = QRectF(skin::ColorDotsIndicator::dotRect(zone)).adjusted(-1, -1, 1, 1);
      p.setPen(c);
      p.setBrush(c);
      p.drawEllipse(dot);
    }
    p.end();
    frames.push_back({image, 6, 1});
  }
  return frames;
}

namespace {

void drawMouseGlyph(QPainter& p, const QRectF& body, bool leftLit) {
  QPainterPath mouse;
  mouse.addRoundedRect(body, body.width() / 2, body.width() / 2);
  p.setPen(QPen(color::kText, 1));
  p.setBrush(QColor(28, 31, 37));
  p.drawPath(mouse);
  const qreal split = body.top() + body.height() * 0.42;
  if (leftLit) {
    QPainterPath left;
    left.moveTo(body.center().x(), body.top() + 1);
    left.lineTo(body.center().x(), split);
    left.lineTo(body.left() + 1, split);
    left.arcTo(QRectF(body.left() + 1, body.top() + 1, body.width() - 2, body.width() - 2), 180,
               -90);
    p.fillPath(left, color::kAccent);
  }
  p.setPen(QPen(color::kText, 1));
  p.drawLine(QPointF(body.left(), split), QPointF(body.right(), split));
  p.drawLine(QPointF(body.center().x(), body.top()), QPointF(body.center().x(), split));
}

QImage clipFrame(double ring, bool lit, int flash) {
  QImage image(42, 23, QImage::Format_RGB32);
  image.fill(QColor(13, 14, 17));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(lit ? color::kAccent : color::kLine, 1));
  p.setBrush(QColor(20, 22, 27));
  p.drawRoundedRect(QRectF(0.5, 0.5, 41, 22), 3, 3);
  if (ring > 0) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(53, 160, 222, int(220 * (1 - ring / 14))), 1.2));
    p.drawEllipse(QPointF(11, 9), ring, ring);
  }
  drawMouseGlyph(p, QRectF(6.5, 3.5, 9, 15), lit);
  const QColor text = flash > 0 ? color::kAccent : color::kText;
  drawText(p, QRect(17, 0, 25, 23), flash > 0 ? QStringLiteral("OK") : QStringLiteral("x2"), text,
           artFont(10, true, 0.5));
  return image;
}

}  // namespace

QImage doubleClickPicture() { return clipFrame(0, false, 0); }

std::vector<GifEncoder::Frame> doubleClickClipFrames() {
  std::vector<GifEncoder::Frame> frames;
  // Two presses, each with a ripple, then the confirmation.
  for (int press = 0; press < 2; ++press)
    for (int step = 0; step < 4; ++step)
      frames.push_back({clipFrame(3 + step * 3, step < 2, 0), 5, 1});
  for (int step = 0; step < 4; ++step) frames.push_back({clipFrame(0, false, 1), 8, 1});
  frames.push_back({doubleClickPicture(), 5, 1});
  return frames;
}

}  // namespace skinart
