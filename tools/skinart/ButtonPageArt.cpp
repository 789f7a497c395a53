#include <QPainterPath>
#include <array>

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

// Where the highlight pictures of the two layers sit on the page; the face
// draws the same viewer there, unlit, so a picture only lights a button.
const QPoint kLeftViewer(191, 32);
const QPoint kRightViewer(582, 32);
const QColor kViewerFill(14, 15, 18);
const QColor kHeld(236, 164, 52);  // a Dual-Shift button held down

// What each of the twelve buttons is, as the captions name it.
const char* const kButtonNames[12] = {"Left button",        "Right button",      "Wheel click",
                                      "Front thumb button", "Rear thumb button", "Wheel tilt left",
                                      "Wheel tilt right",   "Wheel up",          "Wheel down",
                                      "DPI up button",      "DPI down button",   "Top button"};

// The mouse from above, its front up, in a 188 x 240 viewer: the shell
// between y 24 and 206, captions above and below it. Button b (0..11) is
// lit in the accent colour, the buttons in `held` in amber. Mirrored for the
// left hand (the thumb buttons move to the right side); captions are not.
struct TopView {
  QRectF body;
  QPainterPath shell;
  std::array<QPainterPath, 12> buttons;
};

TopView topView(const QRectF& box) {
  TopView v;
  const qreal cx = box.center().x();
  v.body = QRectF(cx - 52, box.top() + 24, 104, 182);
  const QRectF& b = v.body;
  QPainterPath& shell = v.shell;
  shell.moveTo(cx, b.top());
  shell.cubicTo(b.right() + 2, b.top(), b.right() + 6, b.top() + b.height() * 0.5, b.right() - 2,
                b.bottom() - 26);
  shell.cubicTo(b.right() - 8, b.bottom() + 2, b.left() + 8, b.bottom() + 2, b.left() + 2,
                b.bottom() - 26);
  shell.cubicTo(b.left() - 6, b.top() + b.height() * 0.5, b.left() - 2, b.top(), cx, b.top());
  const qreal split = b.top() + 86;
  QPainterPath leftHalf, rightHalf;
  leftHalf.addRect(QRectF(b.left() - 10, b.top() - 2, cx - 1.5 - (b.left() - 10), split - b.top()));
  rightHalf.addRect(QRectF(cx + 1.5, b.top() - 2, b.right() + 10 - cx, split - b.top()));
  v.buttons[0] = shell.intersected(leftHalf);
  v.buttons[1] = shell.intersected(rightHalf);
  v.buttons[2].addRoundedRect(QRectF(cx - 6, b.top() + 20, 12, 30), 5, 5);
  // Thumb buttons on the left side, front and rear.
  v.buttons[3].addRoundedRect(QRectF(b.left() - 9, split + 8, 11, 28), 4, 4);
  v.buttons[4].addRoundedRect(QRectF(b.left() - 8, split + 42, 11, 28), 4, 4);
  // Tilt: the wheel's two sides.
  const auto triangle = [](QPointF a, QPointF c, QPointF d) {
    QPainterPath t;
    t.moveTo(a);
    t.lineTo(c);
    t.lineTo(d);
    t.closeSubpath();
    return t;
  };
  const qreal wy = b.top() + 35;
  v.buttons[5] = triangle({cx - 17, wy}, {cx - 10, wy - 6}, {cx - 10, wy + 6});
  v.buttons[6] = triangle({cx + 17, wy}, {cx + 10, wy - 6}, {cx + 10, wy + 6});
  v.buttons[7] = triangle({cx, b.top() + 6}, {cx - 6, b.top() + 15}, {cx + 6, b.top() + 15});
  v.buttons[8] = triangle({cx, b.top() + 64}, {cx - 6, b.top() + 55}, {cx + 6, b.top() + 55});
  // DPI buttons behind the wheel, and the top button at the front left edge.
  v.buttons[9].addRoundedRect(QRectF(cx - 5, b.top() + 68, 10, 7), 2, 2);
  v.buttons[10].addRoundedRect(QRectF(cx - 5, b.top() + 77, 10, 7), 2, 2);
  v.buttons[11].addEllipse(QRectF(b.left() + 8, b.top() + 44, 9, 16));
  return v;
}

void drawTopView(QPainter& p, const QRect& box, bool leftHanded, int lit,
                 std::array<bool, 2> held) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(color::kLine, 1));
  p.setBrush(kViewerFill);
  p.drawRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
  p.save();
  if (leftHanded) {
    p.translate(box.left() * 2 + box.width(), 0);
    p.scale(-1, 1);
  }
  const TopView v = topView(QRectF(box));
  // The wheel tilts the same way for either hand: its arrows stay put.
  if (leftHanded && (lit == 5 || lit == 6)) lit = 11 - lit;
  QLinearGradient g(v.body.topLeft(), v.body.bottomRight());
  g.setColorAt(0, QColor(50, 55, 64));
  g.setColorAt(1, QColor(22, 24, 29));
  p.setPen(QPen(QColor(86, 94, 108), 1.2));
  p.setBrush(g);
  p.drawPath(v.shell);
  // The light stripe down the back.
  p.setPen(QPen(color::kAccentDeep, 2));
  p.drawLine(QPointF(v.body.center().x(), v.body.top() + 100),
             QPointF(v.body.center().x(), v.body.bottom() - 18));
  for (int b = 0; b < 12; ++b) {
    const bool on = b == lit;
    const bool hold = (b == 3 && held[0]) || (b == 4 && held[1]);
    QColor fill(30, 33, 40), line(96, 104, 118);
    if (b < 2) fill = Qt::transparent;
    if (b >= 5 && b <= 8) fill = QColor(110, 118, 132);
    if (hold) {
      fill = kHeld;
      line = kHeld.lighter(130);
    }
    if (on) {
      fill = color::kAccent;
      line = QColor(170, 225, 255);
    }
    if (on || hold) {
      // A soft glow round the lit button.
      p.setPen(QPen(QColor(fill.red(), fill.green(), fill.blue(), 70), 6));
      p.setBrush(Qt::NoBrush);
      p.drawPath(v.buttons[static_cast<std::size_t>(b)]);
    }
    p.setPen(QPen(b < 2 && !on && !hold ? QColor(12, 13, 15) : line, b < 2 ? 1.4 : 1));
    p.setBrush(b < 2 && (on || hold) ? QColor(fill.red(), fill.green(), fill.blue(), 150) : fill);
    p.drawPath(v.buttons[static_cast<std::size_t>(b)]);
  }
  p.restore();
  p.restore();
}

// The viewer with one button lit: picture 0..59 of the page.
void drawHighlight(QPainter& p, const QRect& box, int picture, bool leftHanded) {
  const int group = picture < 12 ? -1 : (picture - 12) / 12;  // 4 only, 5 only, both, neither
  const int button = picture < 12 ? picture : (picture - 12) % 12;
  const std::array<bool, 2> held = {group == 0 || group == 2, group == 1 || group == 2};
  drawTopView(p, box, leftHanded, button, held);
  if (group >= 0) {
    static const char* const holding[4] = {"While button 4 is held", "While button 5 is held",
                                           "While button 4 or 5 is held",
                                           "No Dual-Shift button set"};
    drawText(p, QRect(box.left() + 4, box.top() + 4, box.width() - 8, 16),
             QString::fromLatin1(holding[group]), group == 3 ? color::kDim : kHeld, artFont(11),
             Qt::AlignCenter);
  }
  drawText(
      p, QRect(box.left() + 4, box.bottom() - 28, box.width() - 8, 24),
      QStringLiteral("%1 \u00b7 %2").arg(button + 1).arg(QString::fromLatin1(kButtonNames[button])),
      color::kBright, artFont(12, true), Qt::AlignCenter);
}

void drawButtonPageBackground(QPainter& p, const QSize& size, bool leftHanded) {
  drawBackdrop(p, QRect(QPoint(0, 0), size));
  drawPanel(p, QRect(5, 5, 378, 272));
  drawPanel(p, QRect(392, 5, size.width() - 397, 272));
  drawSectionLabel(p, QPoint(14, 22), QStringLiteral("Buttons"));
  drawSectionLabel(p, QPoint(401, 22), QStringLiteral("Dual-Shift layer"));
  for (int slot = 0; slot < 24; ++slot) {
    const QRect bar = layoutRect(bp::kBars[slot]);
    drawText(p, QRect(bar.left() - 24, bar.top(), 20, bar.height()), QString::number(slot + 1),
             color::kDim, artFont(11, true), Qt::AlignRight | Qt::AlignVCenter);
  }
  const QSize viewer(res::kButtonHighlightWidth, res::kButtonHighlightHeight);
  for (const QPoint& at : {kLeftViewer, kRightViewer}) {
    const QRect box(at, viewer);
    drawTopView(p, box, leftHanded, -1, {false, false});
    drawText(p, QRect(box.left() + 4, box.bottom() - 28, box.width() - 8, 24),
             at == kLeftViewer ? QStringLiteral("Point at a bar to find its button")
                               : QStringLiteral("Functions while Dual-Shift is held"),
             color::kDim, artFont(11), Qt::AlignCenter);
  }
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

QImage buttonHighlight(int picture, bool leftHanded) {
  QImage image(res::kButtonHighlightWidth, res::kButtonHighlightHeight, QImage::Format_RGB32);
  image.fill(color::kPanel);
  QPainter p(&image);
  drawHighlight(p, image.rect(), picture, leftHanded);
  return image;
}

}  // namespace skinart
