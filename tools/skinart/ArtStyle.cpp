#include "ArtStyle.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <algorithm>

#include "skin/LayoutEntry.h"

namespace skinart {

QFont artFont(int pixelSize, bool bold, qreal letterSpacing, bool italic) {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  f.setItalic(italic);
  f.setHintingPreference(QFont::PreferFullHinting);
  if (letterSpacing != 0) f.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
  return f;
}

void drawText(QPainter& p, const QRect& r, const QString& text, const QColor& c, const QFont& f,
              int flags) {
  p.save();
  p.setFont(f);
  p.setPen(c);
  p.drawText(r, flags, text);
  p.restore();
}

void drawBackdrop(QPainter& p, const QRect& r) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, QColor(19, 20, 24));
  g.setColorAt(1, QColor(11, 12, 14));
  p.fillRect(r, g);
  // A faint diagonal weave, visible only up close.
  p.save();
  p.setClipRect(r);
  p.setPen(QColor(255, 255, 255, 5));
  for (int x = r.left() - r.height(); x < r.right(); x += 6)
    p.drawLine(x, r.bottom(), x + r.height(), r.top());
  p.restore();
}

namespace {

QPainterPath chamfered(const QRectF& r, qreal cut) {
  QPainterPath path;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - cut, r.top());
  path.lineTo(r.right(), r.top() + cut);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  return path;
}

void verticalFill(QPainter& p, const QPainterPath& path, const QRectF& r, const QColor& top,
                  const QColor& bottom) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.fillPath(path, g);
}

}  // namespace

void drawPushButton(QPainter& p, const QRect& r, State s, const QString& caption) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
  QPainterPath path = chamfered(box, std::min(6.0, box.height() / 3));
  QColor border = QColor(62, 67, 78), text = color::kText;
  switch (s) {
    case State::Normal:
      verticalFill(p, path, box, QColor(38, 41, 49), QColor(24, 26, 31));
      break;
    case State::Hover:
      verticalFill(p, path, box, QColor(46, 52, 62), QColor(28, 32, 39));
      border = color::kAccent;
      text = color::kBright;
      break;
    case State::Pressed:
      verticalFill(p, path, box, QColor(60, 136, 191), QColor(33, 84, 122));
      border = color::kAccent;
      text = color::kBright;
      break;
    case State::Disabled:
      verticalFill(p, path, box, QColor(21, 22, 26), QColor(18, 19, 22));
      border = QColor(36, 38, 44);
      text = color::kFaint;
      break;
  }
  p.setPen(QPen(border, 1));
  p.drawPath(path);
  if (s == State::Normal || s == State::Hover) {
    p.setPen(QColor(255, 255, 255, s == State::Hover ? 28 : 16));
    p.drawLine(QPointF(box.left() + 1, box.top() + 1), QPointF(box.right() - 7, box.top() + 1));
  }
  if (s == State::Hover) {
    p.fillRect(QRectF(box.left() + 4, box.bottom() - 2, box.width() - 8, 1.5),
               QColor(53, 160, 222, 170));
  }
  if (s == State::Pressed) {
    p.setPen(QColor(0, 0, 0, 70));
    p.drawLine(QPointF(box.left() + 1, box.top() + 1.5), QPointF(box.right() - 7, box.top() + 1.5));
  }
  p.restore();
  const int px = r.height() >= 28 ? 13 : 12;
  drawText(p, r.adjusted(0, s == State::Pressed ? 1 : 0, 0, 0), caption.toUpper(), text,
           artFont(px, true, 0.8));
}

void drawTab(QPainter& p, const QRect& r, State s, const QString& caption, int fontSize) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
  QPainterPath path = chamfered(box, std::min(10.0, box.height() / 3));
  QColor text = QColor(150, 156, 166);
  switch (s) {
    case State::Normal:
      verticalFill(p, path, box, QColor(27, 29, 35), QColor(17, 18, 22));
      p.setPen(QPen(color::kLineSoft, 1));
      p.drawPath(path);
      break;
    case State::Hover:
      verticalFill(p, path, box, QColor(36, 40, 48), QColor(22, 25, 30));
      p.setPen(QPen(QColor(70, 78, 92), 1));
      p.drawPath(path);
      p.fillRect(QRectF(box.left() + 1, box.bottom() - 2, box.width() - 2, 2),
                 QColor(53, 160, 222, 150));
      text = color::kText;
      break;
    case State::Pressed: {
      verticalFill(p, path, box, QColor(28, 70, 99), QColor(14, 28, 40));
      QRadialGradient glow(QPointF(box.center().x(), box.bottom()), box.width() * 0.6);
      glow.setColorAt(0, QColor(53, 160, 222, 90));
      glow.setColorAt(1, QColor(53, 160, 222, 0));
      p.fillPath(path, glow);
      p.setPen(QPen(color::kAccentDeep, 1));
      p.drawPath(path);
      p.fillRect(QRectF(box.left(), box.bottom() - 3, box.width(), 3), color::kAccent);
      text = color::kBright;
      break;
    }
    case State::Disabled:
      verticalFill(p, path, box, QColor(16, 17, 20), QColor(13, 14, 16));
      p.setPen(QPen(QColor(26, 28, 33), 1));
      p.drawPath(path);
      text = color::kFaint;
      break;
  }
  p.restore();
  drawText(p, r.adjusted(0, -1, 0, -1), caption.toUpper(), text, artFont(fontSize, true, 1.2));
}

void drawGlyphButton(QPainter& p, const QRect& r, State s, Glyph g) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
  QColor fill = QColor(24, 26, 31), border = color::kLine, mark = color::kDim;
  if (s == State::Hover) {
    fill = g == Glyph::Close ? color::kDanger : QColor(40, 45, 54);
    border = g == Glyph::Close ? QColor(226, 84, 96) : color::kAccent;
    mark = color::kBright;
  } else if (s == State::Pressed) {
    fill = g == Glyph::Close ? QColor(140, 34, 44) : color::kAccentDeep;
    border = color::kAccent;
    mark = color::kBright;
  } else if (s == State::Disabled) {
    fill = QColor(18, 19, 22);
    border = QColor(30, 32, 37);
    mark = color::kFaint;
  }
  p.setBrush(fill);
  p.setPen(QPen(border, 1));
  p.drawRoundedRect(box, 2, 2);
  p.setPen(QPen(mark, 1.6, Qt::SolidLine, Qt::RoundCap));
  const QPointF c = box.center();
  if (g == Glyph::Minimize) {
    p.drawLine(QPointF(c.x() - 4.5, c.y() + 3), QPointF(c.x() + 4.5, c.y() + 3));
  } else {
    p.drawLine(QPointF(c.x() - 4, c.y() - 4), QPointF(c.x() + 4, c.y() + 4));
    p.drawLine(QPointF(c.x() + 4, c.y() - 4), QPointF(c.x() - 4, c.y() + 4));
  }
  p.restore();
}

void drawField(QPainter& p, const QRect& r, State s) {
  p.save();
  QColor border = color::kLine;
  if (s == State::Hover) border = QColor(72, 80, 94);
  if (s == State::Pressed) border = color::kAccentDeep;
  if (s == State::Disabled) border = color::kLineSoft;
  p.fillRect(r, QColor(9, 10, 12));
  p.fillRect(QRect(r.left(), r.top(), r.width(), 2), QColor(0, 0, 0, 120));
  p.setPen(border);
  p.drawRect(r.adjusted(0, 0, -1, -1));
  if (s == State::Pressed)
    p.fillRect(QRect(r.left() + 1, r.bottom() - 1, r.width() - 2, 2), color::kAccent);
  p.restore();
}

void drawMarker(QPainter& p, const QRect& r, State s) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
  QColor fill = QColor(20, 22, 26), border = color::kLine, pane = color::kFaint;
  bool lit = false;
  if (s == State::Hover) {
    fill = QColor(30, 34, 41);
    border = color::kAccent;
    pane = color::kAccent;
  } else if (s == State::Pressed) {
    fill = QColor(22, 58, 84);
    border = color::kAccent;
    pane = color::kAccent;
    lit = true;
  } else if (s == State::Disabled) {
    fill = QColor(15, 16, 19);
    border = color::kLineSoft;
    pane = QColor(40, 43, 49);
  }
  p.setBrush(fill);
  p.setPen(QPen(border, 1));
  p.drawRoundedRect(box, 3, 3);
  // Four panes of a window: this slot follows the desktop's mouse settings.
  const QPointF c = box.center();
  const qreal w = 4.2, gap = 1.2;
  for (int i = 0; i < 4; ++i) {
    const QRectF paneRect(c.x() + (i % 2 ? gap / 2 : -gap / 2 - w),
                          c.y() + (i / 2 ? gap / 2 : -gap / 2 - w), w, w);
    if (lit) {
      p.setPen(Qt::NoPen);
      p.setBrush(i == 0 ? color::kBright : color::kAccent);
    } else {
      p.setPen(QPen(pane, 1));
      p.setBrush(Qt::NoBrush);
    }
    p.drawRect(paneRect);
  }
  p.restore();
}

void drawChip(QPainter& p, const QRect& r, State s, const QString& text) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
  QColor fill = QColor(26, 28, 34), border = color::kLine, ink = color::kText;
  if (s == State::Hover) {
    fill = QColor(36, 41, 50);
    border = color::kAccent;
    ink = color::kBright;
  } else if (s == State::Pressed) {
    fill = color::kAccentDeep;
    border = color::kAccent;
    ink = color::kBright;
  } else if (s == State::Disabled) {
    fill = QColor(17, 18, 21);
    border = color::kLineSoft;
    ink = color::kFaint;
  }
  p.setBrush(fill);
  p.setPen(QPen(border, 1));
  p.drawRoundedRect(box, 3, 3);
  p.restore();
  drawText(p, r, text, ink, artFont(10, true, 0.6));
}

namespace {

struct MarkColors {
  QColor fill, border, ink, label;
};

MarkColors markColors(State s) {
  switch (s) {
    case State::Hover:
      return {QColor(30, 34, 41), color::kAccent, color::kAccent, color::kBright};
    case State::Pressed:
      return {QColor(22, 58, 84), color::kAccent, color::kBright, color::kBright};
    case State::Disabled:
      return {QColor(15, 16, 19), color::kLineSoft, color::kFaint, color::kFaint};
    case State::Normal:
      break;
  }
  return {QColor(12, 13, 16), QColor(70, 76, 88), color::kDim, color::kText};
}

}  // namespace

void drawCheckBox(QPainter& p, const QRect& r, State s, const QString& caption) {
  const MarkColors c = markColors(s);
  const int size = std::min(12, r.height() - 2);
  const QRectF box(r.left() + 1.5, r.top() + (r.height() - size) / 2.0 + 0.5, size - 1, size - 1);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(c.border, 1));
  p.setBrush(c.fill);
  p.drawRect(box);
  if (s == State::Pressed) {
    p.setPen(QPen(c.ink, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF tick[3] = {{box.left() + 2.5, box.center().y()},
                             {box.left() + box.width() * 0.42, box.bottom() - 2.5},
                             {box.right() - 2, box.top() + 2.5}};
    p.drawPolyline(tick, 3);
  }
  p.restore();
  drawText(p, r.adjusted(size + 7, 0, 0, 0), caption, c.label, artFont(12),
           Qt::AlignLeft | Qt::AlignVCenter);
}

void drawRadio(QPainter& p, const QRect& r, State s, const QString& caption) {
  const MarkColors c = markColors(s);
  const int size = std::min(12, r.height() - 2);
  const QRectF ring(r.left() + 1.5, r.top() + (r.height() - size) / 2.0 + 0.5, size - 1, size - 1);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(c.border, 1));
  p.setBrush(c.fill);
  p.drawEllipse(ring);
  if (s == State::Pressed || s == State::Hover) {
    p.setPen(Qt::NoPen);
    p.setBrush(s == State::Pressed ? color::kAccent : QColor(53, 160, 222, 70));
    p.drawEllipse(ring.adjusted(3, 3, -3, -3));
  }
  p.restore();
  drawText(p, r.adjusted(size + 7, 0, 0, 0), caption, c.label, artFont(12),
           Qt::AlignLeft | Qt::AlignVCenter);
}

void drawSliderTrack(QPainter& p, const QRect& r, State s) {
  const int groove = std::min(4, std::max(2, r.height() / 4));
  const QRect line(r.left() + 2, r.center().y() - groove / 2, r.width() - 4, groove);
  p.fillRect(line, QColor(6, 7, 9));
  p.save();
  p.setPen(s == State::Disabled ? color::kLineSoft : color::kLine);
  p.drawRect(line.adjusted(0, 0, -1, -1));
  p.restore();
  if (s == State::Hover)
    p.fillRect(QRect(line.left() + 1, line.top(), line.width() - 2, 1), QColor(53, 160, 222, 120));
  // The pressed sheet holds the groove filled: a slider shows this picture
  // from its start up to the thumb.
  if (s == State::Pressed) {
    QLinearGradient fill(line.topLeft(), line.topRight());
    fill.setColorAt(0, color::kAccentDeep.darker(130));
    fill.setColorAt(1, color::kAccent);
    p.fillRect(line, fill);
    p.fillRect(QRect(line.left(), line.top(), line.width(), 1), QColor(140, 206, 244, 150));
  }
}

void drawSpinField(QPainter& p, const QRect& r, State s) {
  const MarkColors c = markColors(s);
  p.save();
  const QRect box(r.left(), r.top(), 33, 17);
  p.fillRect(box, Qt::black);
  p.setPen(s == State::Normal ? color::kLine : c.border);
  p.drawRect(box.adjusted(0, 0, -1, -1));
  p.setRenderHint(QPainter::Antialiasing);
  // The arrows are 16 pixels wide where the spin has room, narrower when
  // its rectangle ends sooner.
  const int arrowWidth = std::clamp(r.width() - 34, 0, 16);
  for (int arrow = 0; arrow < 2 && arrowWidth > 0; ++arrow) {
    const QRectF cell(r.left() + 34, r.top() + (arrow ? 9 : 0), arrowWidth, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(s == State::Pressed ? QColor(33, 84, 122) : QColor(28, 31, 37));
    p.drawRect(cell);
    p.setBrush(s == State::Normal ? color::kDim : c.ink);
    const qreal cx = cell.center().x(), top = cell.top() + 2, bottom = cell.bottom() - 2;
    const qreal half = std::min(3.5, arrowWidth / 2.0 - 1.5);
    const QPointF up[3] = {{cx - half, bottom}, {cx, top}, {cx + half, bottom}};
    const QPointF down[3] = {{cx - half, top}, {cx, bottom}, {cx + half, top}};
    p.drawPolygon(arrow ? down : up, 3);
  }
  p.restore();
}

void drawSectionLabel(QPainter& p, const QPoint& at, const QString& text) {
  p.fillRect(QRect(at.x(), at.y() - 10, 3, 12), color::kAccent);
  drawText(p, QRect(at.x() + 9, at.y() - 12, 400, 16), text.toUpper(), color::kDim,
           artFont(11, true, 1.6), Qt::AlignLeft | Qt::AlignVCenter);
}

void drawBrackets(QPainter& p, const QRect& r, int length, const QColor& c) {
  p.save();
  p.setPen(QPen(c, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  const int l = r.left(), t = r.top(), rr = r.right(), b = r.bottom();
  p.drawPolyline(QPolygon({QPoint(l, t + length), QPoint(l, t), QPoint(l + length, t)}));
  p.drawPolyline(QPolygon({QPoint(rr - length, t), QPoint(rr, t), QPoint(rr, t + length)}));
  p.drawPolyline(QPolygon({QPoint(l, b - length), QPoint(l, b), QPoint(l + length, b)}));
  p.drawPolyline(QPolygon({QPoint(rr - length, b), QPoint(rr, b), QPoint(rr, b - length)}));
  p.restore();
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

QRect layoutRect(const char* layout) {
  const skin::LayoutEntry e = skin::parseLayout(layout);
  return QRect(e.left, e.top, e.width(), e.height());
}

}  // namespace skinart
