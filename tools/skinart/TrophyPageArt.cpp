#include <QPainterPath>
#include <cmath>

#include "PageArt.h"
#include "WindowArt.h"
#include "skin/LayoutEntry.h"
#include "skin/SkinResourceIds.h"
#include "skin/TrophyPageLayout.h"

// The Trophy page: the usage counters on the left, the trophy shown by
// Pre/Next in the middle, the level and all thirteen trophies on the right.
namespace skinart {

namespace tp = skin::trophypage;
namespace res = skin::res;

namespace {

// The level bar's thirteen segments, lit or dark, as the level pictures draw them.
void drawSegments(QPainter& p, const QRect& r, bool lit) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(color::kLineSoft, 1));
  p.setBrush(QColor(17, 18, 22));
  p.drawRoundedRect(QRectF(r.left() + 0.5, r.top() + 6.5, 219, 21), 3, 3);
  p.setPen(Qt::NoPen);
  for (int s = 0; s < 13; ++s) {
    const double x = r.left() + 6 + s * 16.1;
    const QPointF poly[4] = {{x, r.top() + 23.0},
                             {x + 11, r.top() + 23.0},
                             {x + 15, r.top() + 11.0},
                             {x + 4, r.top() + 11.0}};
    if (lit) {
      const double t = s / 12.0;
      p.setBrush(
          QColor(int(60 + (53 - 60) * t), int(136 + (160 - 136) * t), int(191 + (222 - 191) * t)));
    } else {
      p.setBrush(QColor(32, 35, 41));
    }
    p.drawPolygon(poly, 4);
  }
  p.restore();
}

void arrowButton(QPainter& p, const QRect& r, State s, bool left) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QColor rim = s == State::Hover     ? color::kAccent
                     : s == State::Pressed ? color::kAccentDeep
                                           : color::kLine;
  p.setPen(QPen(rim, 1));
  p.setBrush(s == State::Pressed ? QColor(24, 62, 88) : QColor(26, 28, 34));
  p.drawEllipse(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
  const qreal cx = r.center().x() + 0.5, cy = r.center().y() + 0.5, h = r.height() / 5.0;
  const QPointF tri[3] = {left ? QPointF(cx - h * 0.8, cy) : QPointF(cx + h * 0.8, cy),
                          left ? QPointF(cx + h * 0.6, cy - h) : QPointF(cx - h * 0.6, cy - h),
                          left ? QPointF(cx + h * 0.6, cy + h) : QPointF(cx - h * 0.6, cy + h)};
  p.setPen(Qt::NoPen);
  p.setBrush(s == State::Normal ? color::kText : color::kBright);
  p.drawPolygon(tri, 3);
  p.restore();
}

void counterLabel(QPainter& p, int y, const QString& text, bool total = false) {
  drawText(p, QRect(22, y + 2, 118, 14), text, total ? color::kText : color::kDim,
           artFont(total ? 12 : 11, total), Qt::AlignLeft | Qt::AlignVCenter);
}

void drawTrophyBackground(QPainter& p, const QSize& size) {
  drawBackdrop(p, QRect(QPoint(0, 0), size));
  drawPanel(p, QRect(5, 5, 248, size.height() - 10));
  drawPanel(p, QRect(257, 5, 260, size.height() - 10));
  drawPanel(p, QRect(521, 5, size.width() - 526, size.height() - 10));

  const char* const buttons[5] = {"Left button", "Right button", "Wheel button", "Back button",
                                  "Forward button"};
  const int clickRows[5] = {58, 71, 85, 98, 111};
  drawSectionLabel(p, QPoint(14, 48), QStringLiteral("Clicks"));
  for (int i = 0; i < 5; ++i) counterLabel(p, clickRows[i], QString::fromLatin1(buttons[i]));
  counterLabel(p, 124, QStringLiteral("All clicks"), true);
  drawSectionLabel(p, QPoint(14, 156), QStringLiteral("Wheel"));
  counterLabel(p, 165, QStringLiteral("Scrolled up"));
  counterLabel(p, 178, QStringLiteral("Scrolled down"));
  counterLabel(p, 192, QStringLiteral("All scrolls"), true);
  p.fillRect(QRect(14, 212, 228, 1), color::kLine);
  counterLabel(p, 220, QStringLiteral("DPI changes"), true);
  counterLabel(p, 233, QStringLiteral("Profile changes"), true);
  drawSectionLabel(p, QPoint(14, 264), QStringLiteral("Distance"));
  counterLabel(p, 274, QStringLiteral("Travelled"), true);

  drawSectionLabel(p, QPoint(266, 22), QStringLiteral("Trophy"));
  drawBrackets(p, layoutRect(tp::kShownTrophy).adjusted(-4, -4, 3, 3), 8, color::kLine);

  drawSectionLabel(p, QPoint(530, 22), QStringLiteral("Level"));
  drawSegments(p, layoutRect(tp::kLevelBar), false);
  drawSectionLabel(p, QPoint(530, 104), QStringLiteral("Collection"));
  for (int t = 0; t < 13; ++t) {
    const QRect icon(tp::iconX(t) - 1, tp::iconY(t) - 1, tp::kIconSize + 2, tp::kIconSize + 2);
    p.save();
    p.setPen(QPen(color::kLineSoft, 1));
    p.setBrush(QColor(14, 15, 18));
    p.drawRect(icon.adjusted(0, 0, -1, -1));
    p.restore();
  }
  drawText(p, QRect(530, 190, 236, 60),
           QStringLiteral("Trophies are earned by clicking, scrolling, switching and moving "
                          "the mouse. Hover over one to see how."),
           color::kDim, artFont(11), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
}

void drawResetBackground(QPainter& p, const QSize& size) {
  p.fillRect(QRect(QPoint(0, 0), size), color::kCut);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(color::kAccentDeep, 1));
  p.setBrush(color::kBase);
  p.drawRoundedRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1), 6, 6);
  p.restore();
  p.fillRect(QRect(1, 30, size.width() - 2, 1), color::kLineSoft);
  drawText(p, QRect(14, 4, 250, 24), QStringLiteral("RESET STATISTICS"), color::kDim,
           artFont(11, true, 1.6), Qt::AlignLeft | Qt::AlignVCenter);
  drawText(p, QRect(20, 50, size.width() - 40, 30), QStringLiteral("Reset the counters?"),
           color::kBright, artFont(17, true));
  drawText(p, QRect(24, 90, size.width() - 48, 90),
           QStringLiteral("Clicks, scrolls, switches and distance go back to zero. "
                          "Your trophies and your level stay."),
           color::kText, artFont(13), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap);
}

// Cup, medal, globe or wheel by group; bronze, silver, gold by tier.
void drawTrophy(QPainter& p, const QRectF& r, int trophy, bool earned) {
  const int group = (trophy - 1) / 3;  // 0..3, 4 for the last
  const int tier = (trophy - 1) % 3;
  static const QColor kMetals[4][2] = {{QColor(214, 140, 82), QColor(120, 66, 30)},
                                       {QColor(222, 226, 232), QColor(112, 118, 130)},
                                       {QColor(255, 214, 92), QColor(158, 110, 20)},
                                       {QColor(120, 210, 255), QColor(38, 110, 170)}};
  QColor light = kMetals[trophy == 13 ? 3 : tier][0];
  QColor dark = kMetals[trophy == 13 ? 3 : tier][1];
  if (!earned) {
    light = QColor(70, 74, 82);
    dark = QColor(34, 36, 42);
  }
  const qreal s = r.width() / 150.0;
  p.save();
  p.translate(r.topLeft());
  p.scale(s, s);
  p.setRenderHint(QPainter::Antialiasing);
  // Halo.
  QRadialGradient halo(QPointF(75, 62), 70);
  halo.setColorAt(
      0, earned ? QColor(light.red(), light.green(), light.blue(), 70) : QColor(40, 42, 48, 60));
  halo.setColorAt(1, QColor(13, 14, 17, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(halo);
  p.drawEllipse(QPointF(75, 62), 70, 60);
  QLinearGradient metal(QPointF(40, 20), QPointF(110, 120));
  metal.setColorAt(0, light);
  metal.setColorAt(1, dark);
  p.setBrush(metal);
  p.setPen(QPen(dark.darker(140), 1.5));
  // Base.
  p.drawRoundedRect(QRectF(45, 112, 60, 14), 3, 3);
  p.drawRect(QRectF(66, 92, 18, 22));
  if (group == 0 || group == 4) {
    // A cup with handles.
    QPainterPath cup;
    cup.moveTo(40, 22);
    cup.lineTo(110, 22);
    cup.cubicTo(110, 70, 96, 92, 75, 94);
    cup.cubicTo(54, 92, 40, 70, 40, 22);
    p.drawPath(cup);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(metal, 6));
    p.drawArc(QRectF(22, 30, 26, 30), 90 * 16, 180 * 16);
    p.drawArc(QRectF(102, 30, 26, 30), -90 * 16, 180 * 16);
  } else {
    // A medal on a ribbon; the emblem tells the group.
    p.setBrush(earned ? QColor(53, 160, 222) : QColor(44, 48, 56));
    p.setPen(Qt::NoPen);
    const QPointF ribbon[4] = {{56, 10}, {94, 10}, {84, 50}, {66, 50}};
    p.drawPolygon(ribbon, 4);
    p.setBrush(metal);
    p.setPen(QPen(dark.darker(140), 1.5));
    p.drawEllipse(QPointF(75, 64), 32, 32);
    p.setPen(QPen(dark.darker(130), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    if (group == 1) {  // clicks: a pointer arrow
      const QPointF arrow[4] = {{66, 48}, {66, 80}, {74, 72}, {88, 72}};
      p.drawPolygon(arrow, 4);
    } else if (group == 2) {  // distance: a globe
      p.drawEllipse(QPointF(75, 64), 16, 16);
      p.drawLine(QPointF(59, 64), QPointF(91, 64));
      p.drawEllipse(QPointF(75, 64), 7, 16);
    } else {  // scrolling: a wheel
      p.drawRoundedRect(QRectF(67, 46, 16, 36), 8, 8);
      p.drawLine(QPointF(75, 54), QPointF(75, 62));
    }
  }
  // Tier stars.
  p.setPen(Qt::NoPen);
  p.setBrush(earned ? color::kBright : QColor(60, 64, 72));
  const int stars = trophy == 13 ? 3 : tier + 1;
  for (int i = 0; i < stars; ++i) {
    const qreal cx = 75 + (i - (stars - 1) / 2.0) * 14;
    QPainterPath star;
    for (int k = 0; k < 10; ++k) {
      const qreal radius = k % 2 ? 2.2 : 5;
      const qreal a = -M_PI / 2 + k * M_PI / 5;
      const QPointF pt(cx + radius * std::cos(a), 138 + radius * std::sin(a));
      k ? star.lineTo(pt) : star.moveTo(pt);
    }
    star.closeSubpath();
    p.drawPath(star);
  }
  if (!earned) {
    // A padlock over the locked trophy.
    p.setBrush(QColor(20, 22, 26, 230));
    p.setPen(QPen(QColor(150, 156, 166), 2));
    p.drawRoundedRect(QRectF(61, 58, 28, 22), 3, 3);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(66, 44, 18, 26), 0, 180 * 16);
  }
  p.restore();
}

}  // namespace

QImage levelBar() {
  QImage image(220, 34, QImage::Format_RGB32);
  image.fill(QColor(22, 24, 29));
  QPainter p(&image);
  drawSegments(p, QRect(0, 0, 220, 34), true);
  return image;
}

QImage trophyPicture(int trophy, bool earned) {
  QImage image(res::kTrophyPictureSize, res::kTrophyPictureSize, QImage::Format_RGB32);
  image.fill(QColor(19, 21, 25));
  QPainter p(&image);
  drawTrophy(p, QRectF(0, 0, res::kTrophyPictureSize, res::kTrophyPictureSize), trophy, earned);
  return image;
}

WindowArt trophyPageArt() {
  WindowArt art;
  art.name = QStringLiteral("trophy page");
  art.size = QSize(774, 312);
  art.face = res::kTrophyPageFace;
  art.hover = res::kTrophyPageHover;
  art.pressed = res::kTrophyPagePressed;
  art.background = drawTrophyBackground;
  auto arrow = [&art](const char* layout, bool left) {
    art.controls.push_back(
        {layout, ArtKind::Custom, {}, [left](QPainter& p, const QRect& r, State s) {
           arrowButton(p, r, s, left);
         }});
  };
  arrow(tp::kPreviousView, true);
  arrow(tp::kNextView, false);
  arrow(tp::kPreviousTrophy, true);
  arrow(tp::kNextTrophy, false);
  art.controls.push_back({tp::kShare, ArtKind::PushButton, QStringLiteral("Share this trophy")});
  art.controls.push_back({tp::kReset, ArtKind::PushButton, QStringLiteral("Reset")});
  return art;
}

WindowArt trophyResetDialogArt() {
  WindowArt art;
  art.name = QStringLiteral("trophy reset confirmation");
  art.size = QSize(304, 240);
  art.face = res::kTrophyResetDialogFace;
  art.hover = res::kTrophyResetDialogHover;
  art.pressed = res::kTrophyResetDialogPressed;
  art.background = drawResetBackground;
  art.controls.push_back({tp::kConfirmOk, ArtKind::PushButton, QStringLiteral("OK")});
  art.controls.push_back({tp::kConfirmCancel, ArtKind::PushButton, QStringLiteral("Cancel")});
  art.controls.push_back({tp::kConfirmExit, ArtKind::Close, {}});
  return art;
}

}  // namespace skinart
