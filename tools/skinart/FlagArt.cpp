#include "FlagArt.h"

#include <QPainterPath>
#include <QtMath>

#include "ArtStyle.h"

namespace skinart {

namespace {

const QColor kRed(200, 16, 46), kWhite(250, 250, 250), kBlue(0, 36, 125), kGold(255, 205, 0);

void stripes(QPainter& p, const QRectF& r, std::initializer_list<QColor> colours, bool vertical) {
  const int n = static_cast<int>(colours.size());
  int i = 0;
  for (const QColor& c : colours) {
    const QRectF band =
        vertical ? QRectF(r.left() + r.width() * i / n, r.top(), r.width() / n, r.height())
                 : QRectF(r.left(), r.top() + r.height() * i / n, r.width(), r.height() / n);
    p.fillRect(band, c);
    ++i;
  }
}

void nordicCross(QPainter& p, const QRectF& r, const QColor& field, const QColor& cross,
                 const QColor& inner = QColor()) {
  p.fillRect(r, field);
  const qreal t = r.height() * 0.26, x = r.left() + r.width() * 0.30;
  p.fillRect(QRectF(x, r.top(), t, r.height()), cross);
  p.fillRect(QRectF(r.left(), r.center().y() - t / 2, r.width(), t), cross);
  if (inner.isValid()) {
    const qreal ti = t * 0.5;
    p.fillRect(QRectF(x + (t - ti) / 2, r.top(), ti, r.height()), inner);
    p.fillRect(QRectF(r.left(), r.center().y() - ti / 2, r.width(), ti), inner);
  }
}

QPolygonF star(const QPointF& c, qreal outer, qreal rotation = -90) {
  QPolygonF poly;
  for (int i = 0; i < 10; ++i) {
    const qreal radius = i % 2 ? outer * 0.4 : outer;
    const qreal a = qDegreesToRadians(rotation + i * 36.0);
    poly << QPointF(c.x() + radius * qCos(a), c.y() + radius * qSin(a));
  }
  return poly;
}

void unionFlag(QPainter& p, const QRectF& r) {
  p.fillRect(r, kBlue);
  p.save();
  p.setClipRect(r);
  const qreal t = r.height() * 0.2;
  p.setPen(QPen(kWhite, t * 1.1));
  p.drawLine(r.topLeft(), r.bottomRight());
  p.drawLine(r.bottomLeft(), r.topRight());
  p.setPen(QPen(kRed, t * 0.4));
  p.drawLine(r.topLeft(), r.bottomRight());
  p.drawLine(r.bottomLeft(), r.topRight());
  p.fillRect(QRectF(r.center().x() - t * 0.8, r.top(), t * 1.6, r.height()), kWhite);
  p.fillRect(QRectF(r.left(), r.center().y() - t * 0.8, r.width(), t * 1.6), kWhite);
  p.fillRect(QRectF(r.center().x() - t * 0.5, r.top(), t, r.height()), kRed);
  p.fillRect(QRectF(r.left(), r.center().y() - t * 0.5, r.width(), t), kRed);
  p.restore();
}

void sunDisc(QPainter& p, const QPointF& c, qreal radius, const QColor& colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(c, radius, radius);
}

}  // namespace

void drawFlag(QPainter& p, const QRectF& r, int language) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setClipRect(r);
  const qreal h = r.height();
  switch (language) {
    case 0:  // Danish
      nordicCross(p, r, kRed, kWhite);
      break;
    case 2:  // Finnish
      nordicCross(p, r, kWhite, QColor(0, 47, 108));
      break;
    case 3:  // French
      stripes(p, r, {QColor(0, 35, 149), kWhite, QColor(237, 41, 57)}, true);
      break;
    case 4:  // German
      stripes(p, r, {QColor(20, 20, 20), QColor(221, 0, 0), kGold}, false);
      break;
    case 5:  // Italian
      stripes(p, r, {QColor(0, 146, 70), kWhite, QColor(206, 43, 55)}, true);
      break;
    case 6:  // Japanese
      p.fillRect(r, kWhite);
      sunDisc(p, r.center(), h * 0.3, QColor(188, 0, 45));
      break;
    case 7: {  // Korean
      p.fillRect(r, kWhite);
      const QPointF c = r.center();
      const qreal radius = h * 0.26;
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(205, 46, 58));
      p.drawPie(QRectF(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius), 0, 180 * 16);
      p.setBrush(QColor(0, 71, 160));
      p.drawPie(QRectF(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius), 180 * 16, 180 * 16);
      p.setPen(QPen(QColor(20, 20, 20), std::max(1.0, h * 0.06)));
      const qreal dx = r.width() * 0.32, dy = h * 0.3, len = h * 0.14;
      for (const QPointF& corner :
           {QPointF(c.x() - dx, c.y() - dy), QPointF(c.x() + dx, c.y() + dy),
            QPointF(c.x() + dx, c.y() - dy), QPointF(c.x() - dx, c.y() + dy)})
        p.drawLine(QPointF(corner.x() - len, corner.y()), QPointF(corner.x() + len, corner.y()));
      break;
    }
    case 8:  // Polish
      stripes(p, r, {kWhite, QColor(220, 20, 60)}, false);
      break;
    case 9:  // Russian
      stripes(p, r, {kWhite, QColor(0, 57, 166), QColor(213, 43, 30)}, false);
      break;
    case 10: {  // Simplified Chinese
      p.fillRect(r, QColor(222, 41, 16));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(255, 222, 0));
      p.drawPolygon(star(QPointF(r.left() + r.width() * 0.17, r.top() + h * 0.3), h * 0.2));
      const QPointF small[4] = {{0.33, 0.1}, {0.4, 0.22}, {0.4, 0.38}, {0.33, 0.5}};
      for (const QPointF& s : small)
        p.drawPolygon(star(QPointF(r.left() + r.width() * s.x(), r.top() + h * s.y()), h * 0.07));
      break;
    }
    case 11:  // Spanish
      p.fillRect(r, QColor(198, 11, 30));
      p.fillRect(QRectF(r.left(), r.top() + h / 4, r.width(), h / 2), QColor(255, 196, 0));
      p.fillRect(QRectF(r.left() + r.width() * 0.24, r.top() + h * 0.36, r.width() * 0.1, h * 0.28),
                 QColor(173, 21, 25));
      break;
    case 12:  // Swedish
      nordicCross(p, r, QColor(0, 106, 167), QColor(254, 204, 0));
      break;
    case 13:  // Thai
      stripes(p, r,
              {QColor(165, 25, 49), kWhite, QColor(45, 42, 74), QColor(45, 42, 74), kWhite,
               QColor(165, 25, 49)},
              false);
      break;
    case 14: {  // Traditional Chinese
      p.fillRect(r, QColor(254, 0, 0));
      const QRectF canton(r.left(), r.top(), r.width() / 2, h / 2);
      p.fillRect(canton, QColor(0, 0, 149));
      p.setPen(Qt::NoPen);
      p.setBrush(kWhite);
      p.drawPolygon(star(canton.center(), canton.height() * 0.42, -90));
      sunDisc(p, canton.center(), canton.height() * 0.2, kWhite);
      break;
    }
    case 15: {  // Turkish
      const QColor red(227, 10, 23);
      p.fillRect(r, red);
      const QPointF c(r.left() + r.width() * 0.36, r.center().y());
      sunDisc(p, c, h * 0.25, kWhite);
      sunDisc(p, QPointF(c.x() + h * 0.07, c.y()), h * 0.2, red);
      p.setBrush(kWhite);
      p.drawPolygon(star(QPointF(c.x() + h * 0.3, c.y()), h * 0.11, 180));
      break;
    }
    case 16:  // Vietnamese
      p.fillRect(r, QColor(218, 37, 29));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(255, 255, 0));
      p.drawPolygon(star(r.center(), h * 0.34));
      break;
    default:  // English
      unionFlag(p, r);
      break;
  }
  p.restore();
}

QImage languageFlagPicture(int language, int state) {
  QImage image(32, 17, QImage::Format_RGB32);
  image.fill(QColor(13, 14, 17));
  QPainter p(&image);
  const QRectF frame(0, 0, 32, 17);
  QColor border = QColor(70, 76, 88);
  qreal inset = 1;
  if (state == 1) border = color::kAccent;
  if (state == 2) {
    border = color::kAccent;
    inset = 2;
  }
  p.fillRect(frame, border);
  drawFlag(p, frame.adjusted(inset, inset, -inset, -inset), language);
  if (state == 0) p.fillRect(frame.adjusted(1, 1, -1, -1), QColor(0, 0, 0, 40));
  if (state == 1) p.fillRect(frame.adjusted(1, 1, -1, -1), QColor(255, 255, 255, 24));
  if (state == 2) {
    // Pressed in: a shadow along the top and left edges.
    p.fillRect(QRectF(2, 2, 28, 1), QColor(0, 0, 0, 110));
    p.fillRect(QRectF(2, 2, 1, 13), QColor(0, 0, 0, 110));
  }
  return image;
}

QString languageListName(int language) {
  static const char* const kNames[kLanguageCount] = {"Dansk",
                                                     "English",
                                                     "Suomi",
                                                     "Fran\u00e7ais",
                                                     "Deutsch",
                                                     "Italiano",
                                                     "Japanese",
                                                     "Korean",
                                                     "Polski",
                                                     "\u0420\u0443\u0441\u0441\u043a\u0438\u0439",
                                                     "Chinese (S)",
                                                     "Espa\u00f1ol",
                                                     "Svenska",
                                                     "Thai",
                                                     "Chinese (T)",
                                                     "T\u00fcrk\u00e7e",
                                                     "Ti\u1ebfng Vi\u1ec7t"};
  return QString::fromUtf8(kNames[language >= 0 && language < kLanguageCount ? language : 1]);
}

}  // namespace skinart
