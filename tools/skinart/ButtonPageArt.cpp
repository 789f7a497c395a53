#include <QPainterPath>

#include "WindowArt.h"
#include "skin/ButtonPageLayout.h"
#include "skin/LayoutEntry.h"
#include "skin/SkinResourceIds.h"

// The Button Assign page: twelve bars of the normal layer on the left, twelve
// of the Dual-Shift layer on the right, each column with a drawing of the
// mouse; and the bars' own two picture sets.
namespace skinart {

namespace bp = skin::buttonpage;
namespace res = skin::res;

namespace {

QRect rectOf(const char* layout) {
  const skin::LayoutEntry e = skin::parseLayout(layout);
  return QRect(e.left, e.top, e.width(), e.height());
}

// The mouse from above, its front up; mirrored for the left hand.
void drawMouse(QPainter& p, const QRect& r, bool leftHanded) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  if (leftHanded) {
    p.translate(r.left() + r.right() + 1, 0);
    p.scale(-1, 1);
  }
  const QRectF body = QRectF(r).adjusted(r.width() * 0.22, 2, -r.width() * 0.22, -2);
  QPainterPath shell;
  shell.moveTo(body.center().x(), body.top());
  shell.cubicTo(body.right() + 4, body.top(), body.right() + 2, body.top() + body.height() * 0.55,
                body.right() - 3, body.bottom() - 8);
  shell.cubicTo(body.right() - 8, body.bottom() + 1, body.left() + 8, body.bottom() + 1,
                body.left() + 2, body.bottom() - 10);
  shell.cubicTo(body.left() - 5, body.top() + body.height() * 0.5, body.left() - 3, body.top(),
                body.center().x(), body.top());
  QLinearGradient g(body.topLeft(), body.bottomRight());
  g.setColorAt(0, QColor(46, 50, 58));
  g.setColorAt(1, QColor(20, 22, 26));
  p.setPen(QPen(QColor(78, 86, 100), 1.2));
  p.setBrush(g);
  p.drawPath(shell);
  // Button split, wheel and the accent stripe of the light zones.
  const qreal splitY = body.top() + body.height() * 0.42;
  p.setPen(QPen(QColor(10, 11, 13), 1.4));
  p.drawLine(QPointF(body.center().x(), body.top() + 1), QPointF(body.center().x(), splitY));
  p.drawLine(QPointF(body.left() + 2, splitY), QPointF(body.right() - 2, splitY));
  p.setPen(QPen(color::kAccent, 1));
  p.setBrush(QColor(12, 13, 16));
  p.drawRoundedRect(QRectF(body.center().x() - 4, body.top() + 12, 8, 20), 3, 3);
  p.setPen(QPen(color::kAccentDeep, 2));
  p.drawLine(QPointF(body.center().x(), splitY + 12),
             QPointF(body.center().x(), body.bottom() - 14));
  // Thumb buttons on the side.
  p.setPen(QPen(QColor(78, 86, 100), 1));
  p.setBrush(QColor(30, 33, 40));
  p.drawRoundedRect(QRectF(body.left() - 3, splitY + 6, 6, 14), 2, 2);
  p.drawRoundedRect(QRectF(body.left() - 3, splitY + 24, 6, 14), 2, 2);
  p.restore();
}

void panel(QPainter& p, const QRect& r) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, QColor(23, 25, 30));
  g.setColorAt(1, QColor(16, 17, 21));
  p.setPen(QPen(color::kLineSoft, 1));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
  p.restore();
}

void drawButtonPageBackground(QPainter& p, const QSize& size, bool leftHanded) {
  drawBackdrop(p, QRect(QPoint(0, 0), size));
  panel(p, QRect(5, 5, 378, 272));
  panel(p, QRect(392, 5, size.width() - 397, 272));
  drawSectionLabel(p, QPoint(14, 22), QStringLiteral("Buttons"));
  drawSectionLabel(p, QPoint(401, 22), QStringLiteral("Dual-Shift layer"));
  for (int slot = 0; slot < 24; ++slot) {
    const QRect bar = rectOf(bp::kBars[slot]);
    drawText(p, QRect(bar.left() - 24, bar.top(), 20, bar.height()), QString::number(slot + 1),
             color::kDim, artFont(11, true), Qt::AlignRight | Qt::AlignVCenter);
  }
  drawMouse(p, QRect(215, 28, 140, 122), leftHanded);
  drawMouse(p, QRect(610, 28, 140, 122), leftHanded);
  drawText(p, QRect(200, 160, 170, 60),
           QStringLiteral("Point at a button's bar to see it on the mouse; click it to "
                          "choose its function."),
           color::kDim, artFont(11), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap);
  drawText(p, QRect(596, 160, 170, 60),
           QStringLiteral("Hold a Dual-Shift button and the buttons do these functions."),
           color::kDim, artFont(11), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap);
}

// A bar: the slot's function name is drawn over it by the program (light
// text from x 5); an assignable bar ends in an arrow that opens the menu.
void drawBar(QPainter& p, const QRect& r, State s, bool assignable) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
  QColor top(38, 41, 49), bottom(26, 28, 34), border(62, 67, 78), mark = color::kDim;
  if (!assignable) {
    top = QColor(28, 30, 36);
    bottom = QColor(22, 24, 29);
    border = color::kLine;
  }
  switch (s) {
    case State::Normal:
      break;
    case State::Hover:
      top = QColor(46, 52, 62);
      bottom = QColor(30, 34, 41);
      border = color::kAccent;
      mark = color::kBright;
      break;
    case State::Pressed:
      top = QColor(60, 136, 191);
      bottom = QColor(33, 84, 122);
      border = color::kAccent;
      mark = color::kBright;
      break;
    case State::Disabled:
      top = QColor(20, 21, 25);
      bottom = QColor(18, 19, 22);
      border = color::kLineSoft;
      mark = color::kFaint;
      break;
  }
  QLinearGradient g(box.topLeft(), box.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.setBrush(g);
  p.setPen(QPen(border, 1));
  p.drawRoundedRect(box, 2, 2);
  p.setPen(Qt::NoPen);
  p.setBrush(mark);
  const qreal cx = box.right() - 9, cy = box.center().y();
  if (assignable) {
    const QPointF arrow[3] = {{cx - 3.5, cy - 1.5}, {cx + 3.5, cy - 1.5}, {cx, cy + 2.5}};
    p.drawPolygon(arrow, 3);
  } else {
    // A small lock: this button keeps its function.
    p.drawRect(QRectF(cx - 3, cy - 0.5, 6, 4.5));
    p.setPen(QPen(mark, 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(cx - 2, cy - 4.5, 4, 6), 0, 180 * 16);
  }
  p.restore();
}

WindowArt barArt(bool assignable) {
  WindowArt art;
  art.name = assignable ? QStringLiteral("assignable bar") : QStringLiteral("fixed bar");
  art.size = QSize(bp::kBarWidth, bp::kBarHeight);
  art.face = assignable ? res::kAssignableBarNormal : res::kFixedBarNormal;
  art.hover = assignable ? res::kAssignableBarHover : res::kFixedBarHover;
  art.pressed = assignable ? res::kAssignableBarPressed : res::kFixedBarPressed;
  art.disabled = assignable ? res::kAssignableBarDisabled : res::kFixedBarDisabled;
  art.controls.push_back(
      {"Bar,0,0,158,17,", ArtKind::Custom, {}, [assignable](QPainter& p, const QRect& r, State s) {
         drawBar(p, r, s, assignable);
       }});
  return art;
}

}  // namespace

std::vector<WindowArt> buttonPageArt() {
  WindowArt right;
  right.name = QStringLiteral("button page");
  right.size = QSize(774, 312);
  right.face = res::kButtonPageFace;
  right.hover = res::kButtonPageHover;
  right.pressed = res::kButtonPagePressed;
  right.disabled = res::kButtonPageDisabled;
  right.background = [](QPainter& p, const QSize& size) {
    drawButtonPageBackground(p, size, false);
  };
  right.controls.push_back({bp::kMacroManager, ArtKind::PushButton, "Macros"});
  // The left-handed face differs only in its drawings; the other sheets are shared.
  WindowArt left = right;
  left.name = QStringLiteral("button page, left-handed");
  left.face = res::kButtonPageFaceLeftHanded;
  left.hover = left.pressed = left.disabled = 0;
  left.background = [](QPainter& p, const QSize& size) { drawButtonPageBackground(p, size, true); };
  return {right, left, barArt(false), barArt(true)};
}

}  // namespace skinart
