#include <QPainterPath>

#include "PageArt.h"
#include "WindowArt.h"
#include "option/LightPalette.h"
#include "skin/LayoutEntry.h"
#include "skin/LightPageLayout.h"
#include "skin/SkinResourceIds.h"

// The Color page: the mouse with its four light zones on the left, the
// palette in the middle, effect and colour flow on the right.
namespace skinart {

namespace lp = skin::lightpage;

namespace {

// Where the four zones light the mouse, and what they are called.
struct ZonePlace {
  QPointF dot;
  const char* name;
};
constexpr ZonePlace kZones[4] = {{{43.5, 109.5}, "LEFT SIDE"},
                                 {{127.5, 264.5}, "PALM LOGO"},
                                 {{133.5, 70.5}, "WHEEL"},
                                 {{204.5, 231.5}, "RIGHT SIDE"}};

QPainterPath mouseBody() {
  // A right-handed mouse seen from above, front at the top.
  QPainterPath body;
  body.moveTo(124, 22);
  body.cubicTo(176, 22, 214, 52, 218, 118);
  body.cubicTo(222, 176, 224, 230, 206, 262);
  body.cubicTo(190, 292, 160, 302, 124, 302);
  body.cubicTo(88, 302, 58, 292, 44, 262);
  body.cubicTo(28, 228, 30, 176, 32, 118);
  body.cubicTo(36, 52, 72, 22, 124, 22);
  body.closeSubpath();
  return body;
}

// The light strips around each zone's dot.
QPainterPath zoneStrip(int zone) {
  QPainterPath strip;
  switch (zone) {
    case 0:
      strip.addRoundedRect(QRectF(36, 84, 15, 52), 7, 7);
      break;
    case 1:
      strip.addEllipse(QRectF(104, 242, 47, 45));
      break;
    case 2:
      strip.addRoundedRect(QRectF(124, 44, 19, 54), 9, 9);
      break;
    default:
      strip.addRoundedRect(QRectF(197, 198, 15, 64), 7, 7);
      break;
  }
  return strip;
}

void drawMouse(QPainter& p, int highlighted) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(QRect(0, 0, 248, 312), QColor(13, 14, 17));
  // Floor glow under the mouse.
  QRadialGradient floor(QPointF(124, 170), 150);
  floor.setColorAt(0, QColor(30, 52, 70));
  floor.setColorAt(1, QColor(13, 14, 17));
  p.setBrush(floor);
  p.setPen(Qt::NoPen);
  p.drawEllipse(QRectF(-30, 10, 308, 310));

  const QPainterPath body = mouseBody();
  QLinearGradient shell(QPointF(40, 20), QPointF(210, 300));
  shell.setColorAt(0, QColor(52, 56, 66));
  shell.setColorAt(0.5, QColor(30, 33, 40));
  shell.setColorAt(1, QColor(18, 20, 25));
  p.setBrush(shell);
  p.setPen(QPen(QColor(78, 84, 96), 1.2));
  p.drawPath(body);
  // Buttons split and the palm rest line.
  p.setPen(QPen(QColor(10, 11, 14), 2));
  p.drawLine(QPointF(124, 24), QPointF(124, 40));
  p.drawLine(QPointF(124, 100), QPointF(124, 140));
  p.setPen(QPen(QColor(64, 70, 82), 1));
  QPainterPath seam;
  seam.moveTo(40, 150);
  seam.cubicTo(80, 136, 168, 136, 210, 150);
  p.drawPath(seam);
  // Side buttons on the left.
  p.setBrush(QColor(40, 44, 52));
  p.setPen(QPen(QColor(70, 76, 88), 1));
  p.drawRoundedRect(QRectF(33, 150, 8, 26), 3, 3);
  p.drawRoundedRect(QRectF(33, 180, 8, 26), 3, 3);
  // Wheel well and wheel.
  p.setBrush(QColor(8, 9, 11));
  p.drawRoundedRect(QRectF(116, 40, 16, 62), 8, 8);
  for (int z = 0; z < 4; ++z) {
    const bool lit = z == highlighted;
    p.setPen(QPen(lit ? color::kAccent : QColor(62, 68, 80), lit ? 1.6 : 1));
    p.setBrush(lit ? QColor(53, 160, 222, 60) : QColor(24, 26, 31, 200));
    p.drawPath(zoneStrip(z));
  }
  // The wheel sits over its strip.
  QLinearGradient wheel(QPointF(119, 0), QPointF(129, 0));
  wheel.setColorAt(0, QColor(40, 44, 52));
  wheel.setColorAt(0.5, QColor(92, 98, 110));
  wheel.setColorAt(1, QColor(40, 44, 52));
  p.setBrush(wheel);
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(119, 48, 10, 40), 4, 4);

  if (highlighted >= 0) {
    const ZonePlace& z = kZones[highlighted];
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(53, 160, 222, 110), 1));
    p.drawEllipse(z.dot, 12, 12);
    p.setPen(QPen(color::kAccent, 1.5));
    p.drawEllipse(z.dot, 9, 9);
    // Caption of the zone at the foot of the picture.
    const QRect caption(8, 4, 232, 14);
    drawText(p, caption, QStringLiteral("ZONE %1 \u00b7 %2").arg(highlighted + 1).arg(z.name),
             color::kBright, artFont(11, true, 1.2), Qt::AlignLeft | Qt::AlignVCenter);
  }
  p.restore();
}

void drawSwatch(QPainter& p, const QRect& r, State s, int index) {
  const option::Rgb c = option::screenColor(index);
  QColor fill(c.red, c.green, c.blue);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF tile = QRectF(r).adjusted(3.5, 3.5, -3.5, -3.5);
  if (s == State::Disabled) fill = QColor::fromHsv(fill.hue(), fill.saturation() / 4, 70);
  QLinearGradient g(tile.topLeft(), tile.bottomLeft());
  g.setColorAt(0, fill.lighter(115));
  g.setColorAt(1, fill.darker(125));
  p.setPen(QPen(QColor(0, 0, 0, 160), 1));
  p.setBrush(g);
  p.drawRoundedRect(tile, 3, 3);
  if (s == State::Hover) {
    p.setPen(QPen(QColor(224, 224, 224), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(r).adjusted(1.5, 1.5, -1.5, -1.5), 4, 4);
  } else if (s == State::Pressed) {
    p.setPen(QPen(color::kBright, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(r).adjusted(1, 1, -1, -1), 4, 4);
    p.setPen(QPen(QColor(0, 0, 0, 200), 1));
    p.drawRoundedRect(tile.adjusted(-0.5, -0.5, 0.5, 0.5), 3, 3);
  }
  p.restore();
}

void drawColorBackground(QPainter& p, const QSize& size) {
  drawBackdrop(p, QRect(QPoint(0, 0), size));
  drawMouse(p, 0);
  drawPanel(p, QRect(254, 5, 270, size.height() - 10));
  drawPanel(p, QRect(529, 5, size.width() - 534, size.height() - 10));

  const QRect mark(lp::kZoneMarkX, lp::kZoneMarkY, lp::kZoneMarkSize, lp::kZoneMarkSize);
  drawSectionLabel(p, QPoint(264, 22), QStringLiteral("Zone colour"));
  drawText(p, QRect(mark.right() + 10, mark.top(), 200, mark.height()),
           QStringLiteral("click a zone on the mouse to edit it"), color::kDim, artFont(11),
           Qt::AlignLeft | Qt::AlignVCenter);
  const QRect palette(lp::swatchX(0) - 6, lp::swatchY(0) - 6, 7 * 25 + 11, 5 * 25 + 11);
  drawBrackets(p, palette, 6, color::kLine);

  drawSectionLabel(p, QPoint(264, 242), QStringLiteral("Zone light"));
  drawSectionLabel(p, QPoint(539, 20), QStringLiteral("Effect"));
  drawSectionLabel(p, QPoint(539, 128), QStringLiteral("Colour flow"));
  drawSectionLabel(p, QPoint(539, 266), QStringLiteral("Effect speed"));
  const skin::LayoutEntry speed = skin::parseLayout(lp::kSpeed);
  drawText(p, QRect(speed.left - 40, speed.top, 36, speed.height()), QStringLiteral("SLOW"),
           color::kDim, artFont(11, true), Qt::AlignRight | Qt::AlignVCenter);
  drawText(p, QRect(speed.right + 4, speed.top, 40, speed.height()), QStringLiteral("FAST"),
           color::kDim, artFont(11, true), Qt::AlignLeft | Qt::AlignVCenter);
}

}  // namespace

QImage zoneMark(int zone) {
  QImage image(lp::kZoneMarkSize, lp::kZoneMarkSize, QImage::Format_RGB32);
  image.fill(QColor(22, 24, 29));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(color::kAccent, 1));
  p.setBrush(QColor(24, 62, 88));
  p.drawRoundedRect(QRectF(0.5, 0.5, 17, 17), 3, 3);
  drawText(p, QRect(0, 0, 18, 18), QString::number(zone + 1), color::kBright, artFont(12, true));
  return image;
}

QImage zonePreview(int zone) {
  QImage image(248, 312, QImage::Format_RGB32);
  QPainter p(&image);
  drawMouse(p, zone);
  return image;
}

WindowArt colorPageArt() {
  WindowArt art;
  art.name = QStringLiteral("color page");
  art.size = QSize(774, 312);
  art.face = skin::res::kColorPageFace;
  art.hover = skin::res::kColorPageHover;
  art.pressed = skin::res::kColorPagePressed;
  art.disabled = skin::res::kColorPageDisabled;
  art.background = drawColorBackground;
  art.controls.push_back({lp::kLightSwitch, ArtKind::CheckBox, QStringLiteral("Zone light on")});
  art.controls.push_back(
      {lp::kColorForAll, ArtKind::CheckBox, QStringLiteral("Use the colour for all four zones")});
  const char* const effects[5] = {"Off", "Steady", "Blinking", "Breathing", "Heartbeat"};
  for (int i = 0; i < 5; ++i)
    art.controls.push_back({lp::kEffects[i], ArtKind::Radio, QString::fromLatin1(effects[i])});
  const char* const flows[6] = {"No flow",        "All zones together", "Flow upwards",
                                "Flow downwards", "Flow to the left",   "Flow to the right"};
  for (int i = 0; i < 6; ++i)
    art.controls.push_back({lp::kFlows[i], ArtKind::Radio, QString::fromLatin1(flows[i])});
  art.controls.push_back({lp::kSpeed, ArtKind::SliderTrack, {}});
  // The swatches' layout strings must outlive the art: keep them static.
  static const std::vector<std::string> swatches = [] {
    std::vector<std::string> all;
    for (int n = 0; n < lp::kSwatchCount; ++n)
      all.push_back("color," + std::to_string(lp::swatchX(n)) + "," +
                    std::to_string(lp::swatchY(n)) + ",24,24,");
    return all;
  }();
  for (int n = 0; n < lp::kSwatchCount; ++n)
    art.controls.push_back({swatches[static_cast<std::size_t>(n)].c_str(),
                            ArtKind::Custom,
                            {},
                            [n](QPainter& p, const QRect& r, State s) { drawSwatch(p, r, s, n); }});
  return art;
}

}  // namespace skinart
