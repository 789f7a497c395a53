#include <QPainterPath>

#include "WindowArt.h"
#include "skin/LayoutEntry.h"
#include "skin/MainPageLayout.h"
#include "skin/SkinResourceIds.h"

// The Main page: pointer sensitivity, wheel and tilt speeds and the
// double-click speed on the left, the five DPI levels on the right.
namespace skinart {

namespace mp = skin::mainpage;
namespace row = skin::mainpage::dpirow;

namespace {

QRect inRow(const QRect& rowRect, const row::Box& box) {
  return QRect(rowRect.left() + box.left, rowRect.top() + box.top, box.right - box.left,
               box.bottom - box.top);
}

// Centre of a CclickHSlider's thumb at a value, in the page's pixels.
qreal thumbCentre(const QRect& track, int thumbWidth, int minimum, int maximum, int value) {
  return track.left() +
         qreal(track.width() - thumbWidth) * (value - minimum) / (maximum - minimum) +
         thumbWidth / 2.0;
}

void smallText(QPainter& p, const QRect& r, const QString& text, const QColor& c,
               int flags = Qt::AlignCenter, bool bold = false) {
  drawText(p, r, text, c, artFont(11, bold, bold ? 0.6 : 0), flags);
}

// Tick marks under a slider at every value, with labels at some of them.
void drawScale(QPainter& p, const QRect& track, int thumbWidth, int minimum, int maximum,
               const std::vector<std::pair<int, QString>>& labels, int labelTop) {
  p.save();
  for (int v = minimum; v <= maximum; ++v) {
    const qreal x = thumbCentre(track, thumbWidth, minimum, maximum, v);
    const bool major = std::any_of(labels.begin(), labels.end(),
                                   [v](const auto& label) { return label.first == v; });
    p.fillRect(QRectF(x - 0.5, track.bottom() + 1, 1, major ? 4 : 2),
               major ? QColor(110, 118, 130) : color::kFaint);
  }
  p.restore();
  for (const auto& [value, text] : labels) {
    const qreal x = thumbCentre(track, thumbWidth, minimum, maximum, value);
    smallText(p, QRect(qRound(x) - 24, labelTop, 48, 13), text, color::kDim);
  }
}

void drawPanel(QPainter& p, const QRect& r) {
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

// The row's own look: the normal picture on the face, the current level's
// picture on the pressed sheet. Scale marks run under the two sliders.
void drawDpiRowBase(QPainter& p, const QRect& r, int level, State s) {
  const bool current = s == State::Pressed;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box = QRectF(r).adjusted(0.5, 0.5, -0.5, -1.5);
  QLinearGradient g(box.topLeft(), box.bottomLeft());
  g.setColorAt(0, current ? QColor(22, 44, 62) : QColor(24, 26, 31));
  g.setColorAt(1, current ? QColor(14, 24, 33) : QColor(17, 18, 22));
  p.setBrush(g);
  p.setPen(QPen(current ? color::kAccent : color::kLine, 1));
  p.drawRoundedRect(box, 2, 2);
  p.restore();
  if (current) p.fillRect(QRect(r.left(), r.top() + 17, 2, 30), color::kAccent);

  // Scale under the sliders: a tick every 400 DPI, labels every 1600.
  const QRect track = inRow(r, row::kSliderY);
  std::vector<std::pair<int, QString>> labels = {
      {1, "100"}, {16, "1600"}, {32, "3200"}, {48, "4800"}, {64, "6400"}};
  p.save();
  for (int v = 4; v <= 64; v += 4) {
    const qreal x = thumbCentre(track, 15, row::kMinimum, row::kMaximum, v);
    const bool major = v % 16 == 0;
    p.fillRect(QRectF(x - 0.5, r.top() + 31, 1, major ? 3 : 2),
               major ? QColor(110, 118, 130) : color::kFaint);
  }
  p.restore();
  for (const auto& [value, text] : labels) {
    const qreal x = thumbCentre(track, 15, row::kMinimum, row::kMaximum, value);
    const int left = std::max(r.left() + 28, qRound(x) - 20);
    smallText(p, QRect(left, r.top() + 34, 40, 13), text,
              current ? QColor(150, 186, 212) : QColor(128, 134, 146),
              value == 1 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
  }
  // Axis names before the two spins.
  for (const auto& [box, name] : {std::pair{row::kSpinX, "X"}, std::pair{row::kSpinY, "Y"}}) {
    const QRect spin = inRow(r, box);
    smallText(p, QRect(spin.left() - 10, spin.top(), 10, spin.height()), QString::fromLatin1(name),
              current ? color::kBright : color::kDim, Qt::AlignCenter, true);
  }
  // A bracket from the link box to both spins: the two values belong together.
  const QRect link = inRow(r, row::kLink);
  const QRect spinX = inRow(r, row::kSpinX), spinY = inRow(r, row::kSpinY);
  p.fillRect(QRect(spinX.right() + 1, spinX.center().y(), 2, 1), color::kLine);
  p.fillRect(QRect(spinY.right() + 1, spinY.center().y(), 2, 1), color::kLine);
  p.fillRect(QRect(link.center().x(), spinX.center().y(), 1, link.top() - spinX.center().y()),
             color::kLine);
  p.fillRect(QRect(link.center().x(), link.bottom() + 1, 1, spinY.center().y() - link.bottom()),
             color::kLine);
  p.fillRect(QRect(spinX.right() + 1, spinX.center().y(), link.center().x() - spinX.right(), 1),
             color::kLine);
  p.fillRect(QRect(spinY.right() + 1, spinY.center().y(), link.center().x() - spinY.right(), 1),
             color::kLine);
  (void)level;
}

// The level's bar: "LEVEL n" and, on the pressed sheet (the current level),
// a lit bar with "CURRENT".
void drawDpiBar(QPainter& p, const QRect& r, int level, State s) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
  QColor top(34, 37, 44), bottom(26, 28, 34), border = color::kLine, text = color::kText;
  switch (s) {
    case State::Normal:
      break;
    case State::Hover:
      top = QColor(44, 50, 60);
      bottom = QColor(30, 34, 41);
      border = color::kAccent;
      text = color::kBright;
      break;
    case State::Pressed:
      top = QColor(60, 136, 191);
      bottom = QColor(36, 92, 134);
      border = color::kAccent;
      text = color::kBright;
      break;
    case State::Disabled:
      top = QColor(20, 21, 25);
      bottom = QColor(18, 19, 22);
      border = color::kLineSoft;
      text = color::kFaint;
      break;
  }
  QLinearGradient g(box.topLeft(), box.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.setBrush(g);
  p.setPen(QPen(border, 1));
  p.drawRoundedRect(box, 2, 2);
  p.restore();
  drawText(p, r.adjusted(8, 0, 0, 0), QStringLiteral("LEVEL %1").arg(level + 1), text,
           artFont(11, true, 1.2), Qt::AlignLeft | Qt::AlignVCenter);
  const QString hint = s == State::Pressed ? QStringLiteral("CURRENT")
                       : s == State::Hover ? QStringLiteral("CLICK TO MAKE CURRENT")
                                           : QString();
  if (!hint.isEmpty())
    drawText(p, r.adjusted(0, 0, -8, 0), hint, s == State::Pressed ? color::kBright : color::kDim,
             artFont(11, true, 1.0), Qt::AlignRight | Qt::AlignVCenter);
  if (s == State::Pressed) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(color::kBright);
    p.drawEllipse(QPointF(r.right() - 78, r.center().y() + 0.5), 2.5, 2.5);
    p.restore();
  }
}

// The enable box: a 14 x 14 tick box.
void drawEnableBox(QPainter& p, const QRect& r, State s) {
  drawCheckBox(p, r.adjusted(0, 0, 0, 0), s, QString());
}

// The link box, 10 x 16: two chain links, joined and lit when X and Y are linked.
void drawLinkBox(QPainter& p, const QRect& r, State s) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const bool linked = s == State::Pressed;
  QColor ink = color::kDim;
  if (s == State::Hover) ink = color::kAccent;
  if (linked) ink = color::kBright;
  if (s == State::Disabled) ink = color::kFaint;
  const QRectF box = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
  p.setPen(QPen(linked ? color::kAccent : (s == State::Hover ? color::kAccent : color::kLine), 1));
  p.setBrush(linked ? QColor(22, 58, 84) : QColor(12, 13, 16));
  p.drawRoundedRect(box, 2, 2);
  p.setPen(QPen(ink, 1.3));
  p.setBrush(Qt::NoBrush);
  const qreal cx = box.center().x();
  const qreal gap = linked ? 0 : 1.5;
  p.drawRoundedRect(QRectF(cx - 2.2, box.top() + 2, 4.4, 6.5 - gap / 2), 2, 2);
  p.drawRoundedRect(QRectF(cx - 2.2, box.bottom() - 8.5 + gap / 2, 4.4, 6.5 - gap / 2), 2, 2);
  if (linked) p.drawLine(QPointF(cx, box.top() + 5), QPointF(cx, box.bottom() - 5));
  p.restore();
}

// The radio member "one page": its mark level with "not one page" and the
// label below the scroll-speed slider, which overlaps the top of its place.
void drawOnePageRadio(QPainter& p, const QRect& r, State s) {
  drawRadio(p, QRect(r.left(), r.top() + 6, r.width(), 14), s,
            QStringLiteral("One page per notch"));
}

void drawNotOnePageRadio(QPainter& p, const QRect& r, State s) { drawRadio(p, r, s, QString()); }

// The frame around the double-click test picture.
void drawTestField(QPainter& p, const QRect& button) {
  const QRect frame = button.adjusted(-4, -4, 4, 4);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(color::kLine, 1));
  p.setBrush(QColor(9, 10, 12));
  p.drawRoundedRect(QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
  p.restore();
  drawBrackets(p, frame.adjusted(-2, -2, 1, 1), 5, color::kAccentDeep);
  smallText(p, QRect(frame.left() - 10, frame.top() - 17, frame.width() + 20, 13),
            QStringLiteral("TEST"), color::kDim, Qt::AlignCenter, true);
}

void drawMainPageBackground(QPainter& p, const QSize& size) {
  const QRect all(QPoint(0, 0), size);
  drawBackdrop(p, all);
  // Two panels: pointer and wheel on the left, DPI levels on the right.
  const QRect left(5, 5, 378, size.height() - 10);
  const QRect right(388, 5, size.width() - 393, size.height() - 10);
  drawPanel(p, left);
  drawPanel(p, right);

  // Sensitivity.
  const QRect sensitivity = layoutRect(mp::kSensitivity);
  drawSectionLabel(p, QPoint(14, 24), QStringLiteral("Sensitivity"));
  smallText(p, QRect(190, 12, 180, 13), QStringLiteral("POINTER SPEED"), color::kDim,
            Qt::AlignRight | Qt::AlignVCenter, true);
  drawScale(p, sensitivity, 17, 1, 11, {{1, "-5"}, {6, "0"}, {11, "+5"}}, sensitivity.bottom() + 5);
  const QRect spin = layoutRect(mp::kSensitivitySpin);
  smallText(p, QRect(spin.left() - 4, spin.bottom() + 4, spin.width() + 8, 13),
            QStringLiteral("-5 .. +5"), color::kDim);

  // Wheel.
  drawSectionLabel(p, QPoint(14, 102), QStringLiteral("Scroll speed"));
  const QRect scroll = layoutRect(mp::kScrollSpeed);
  smallText(p, QRect(scroll.right() + 6, scroll.top(), 84, scroll.height()),
            QStringLiteral("LINES 1-10"), color::kDim, Qt::AlignLeft | Qt::AlignVCenter, true);

  // Tilt wheel.
  drawSectionLabel(p, QPoint(14, 200), QStringLiteral("Tilt speed"));
  const QRect tilt = layoutRect(mp::kTiltSpeed);
  drawScale(p, tilt, 17, 1, 10, {{1, "SLOW"}, {10, "FAST"}}, tilt.bottom() + 5);
  smallText(p, QRect(tilt.right() + 6, tilt.top(), 100, tilt.height()),
            QStringLiteral("HORIZONTAL"), color::kDim, Qt::AlignLeft | Qt::AlignVCenter, true);

  // Double-click speed and its test field.
  const QRect doubleClick = layoutRect(mp::kDoubleClickSpeed);
  p.fillRect(QRect(14, doubleClick.top() + 3, 3, 12), color::kAccent);
  drawText(p, QRect(22, doubleClick.top(), doubleClick.left() - 28, doubleClick.height()),
           QStringLiteral("DOUBLE-CLICK"), color::kDim, artFont(11, true, 1.6),
           Qt::AlignLeft | Qt::AlignVCenter);
  drawTestField(p, layoutRect(mp::kDoubleClickTest));

  // DPI levels.
  drawSectionLabel(p, QPoint(397, 24), QStringLiteral("DPI levels"));
  smallText(p, QRect(560, 12, 200, 13), QStringLiteral("100 - 6400 DPI"), color::kDim,
            Qt::AlignRight | Qt::AlignVCenter, true);
  const QRect first = layoutRect(mp::kDpiRows[0]);
  const int header = first.top() - 16;
  smallText(p, QRect(first.left() + 4, header, 30, 13), QStringLiteral("ON"), color::kDim,
            Qt::AlignCenter, true);
  smallText(p, QRect(first.left() + 36, header, 260, 13), QStringLiteral("RESOLUTION X / Y  (DPI)"),
            color::kDim, Qt::AlignLeft | Qt::AlignVCenter, true);
  smallText(p, QRect(first.left() + 340, header, 34, 13), QStringLiteral("LINK"), color::kDim,
            Qt::AlignCenter, true);
}

}  // namespace

WindowArt mainPageArt() {
  WindowArt art;
  art.name = QStringLiteral("main page");
  art.size = QSize(mp::kWidth, mp::kHeight);
  art.face = skin::res::kMainPageFace;
  art.hover = skin::res::kMainPageHover;
  art.pressed = skin::res::kMainPagePressed;
  art.disabled = skin::res::kMainPageFace;
  art.background = drawMainPageBackground;

  art.controls.push_back({mp::kSensitivity, ArtKind::SliderTrack, {}});
  art.controls.push_back({mp::kScrollSpeed, ArtKind::SliderTrack, {}});
  art.controls.push_back({mp::kTiltSpeed, ArtKind::SliderTrack, {}});
  art.controls.push_back({mp::kDoubleClickSpeed, ArtKind::SliderTrack, {}});
  art.controls.push_back({mp::kSensitivitySpin, ArtKind::Spin, {}});
  art.controls.push_back({mp::kNotOnePage, ArtKind::Custom, {}, drawNotOnePageRadio});
  art.controls.push_back({mp::kOnePage, ArtKind::Custom, {}, drawOnePageRadio});
  for (int level = 0; level < 5; ++level) {
    // The row's base first, then its parts over it.
    art.controls.push_back(
        {mp::kDpiRows[level], ArtKind::Custom, {}, [level](QPainter& p, const QRect& r, State s) {
           drawDpiRowBase(p, r, level, s);
           drawDpiBar(p, inRow(r, row::kBar), level, s);
           drawEnableBox(p, inRow(r, row::kEnable), s);
           drawLinkBox(p, inRow(r, row::kLink), s);
           drawSliderTrack(p, inRow(r, row::kSliderX), s);
           drawSliderTrack(p, inRow(r, row::kSliderY), s);
           drawSpinField(p, inRow(r, row::kSpinX), s);
           drawSpinField(p, inRow(r, row::kSpinY), s);
         }});
  }
  return art;
}

}  // namespace skinart
