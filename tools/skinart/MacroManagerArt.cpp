#include <QPainterPath>

#include "MacroManagerArt.h"
#include "PopupFrame.h"
#include "skin/LayoutEntry.h"
#include "skin/MacroManagerLayout.h"

// The macro manager: its window (sets and macros on the left, the editor's
// place on the right), the list editor's panel with the recorder, and the
// timeline editor's panel; the list rows' icons.
namespace skinart {

namespace mm = skin::macromanager;

namespace {

void well(QPainter& p, const QRect& r) {
  p.save();
  p.setPen(QPen(color::kLineSoft, 1));
  p.setBrush(QColor(14, 15, 18));
  p.drawRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
  p.restore();
}

// The set selector: a field with a drop arrow; the set's name is written by
// the button itself.
void drawSelector(QPainter& p, const QRect& r, State s) {
  drawField(p, r, s);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(s == State::Disabled ? color::kFaint
             : s == State::Normal ? color::kDim
                                  : color::kAccent);
  const qreal cx = r.right() - 11, cy = r.center().y() + 1;
  const QPointF tri[3] = {{cx - 5, cy - 3}, {cx + 5, cy - 3}, {cx, cy + 3}};
  p.drawPolygon(tri, 3);
  p.restore();
}

// A round switch with its label; pressed is "on".
void drawSwitch(QPainter& p, const QRect& r, State s, const QString& caption) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const qreal h = std::min(r.height() - 2, 14);
  const QRectF track(r.left() + 1, r.center().y() - h / 2 + 0.5, h * 1.9, h);
  const bool on = s == State::Pressed;
  p.setPen(QPen(s == State::Hover ? color::kAccent : color::kLine, 1));
  p.setBrush(on ? QColor(33, 84, 122) : QColor(26, 28, 34));
  p.drawRoundedRect(track, h / 2, h / 2);
  p.setPen(Qt::NoPen);
  p.setBrush(s == State::Disabled ? color::kFaint : on ? color::kBright : color::kDim);
  const qreal d = h - 4;
  p.drawEllipse(QRectF(on ? track.right() - d - 2 : track.left() + 2, track.top() + 2, d, d));
  p.restore();
  drawText(p, QRect(int(track.right()) + 6, r.top() - 2, r.width(), r.height() + 4), caption,
           s == State::Disabled ? color::kFaint : color::kText, artFont(12),
           Qt::AlignLeft | Qt::AlignVCenter);
}

// The record button: a dot and its caption; while recording the dot is lit red.
void drawRecord(QPainter& p, const QRect& r, State s, bool recording) {
  drawPushButton(p, r, s, QString());
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(recording              ? QColor(230, 60, 72)
             : s == State::Disabled ? color::kFaint
                                    : QColor(196, 52, 64));
  p.drawEllipse(QRectF(r.left() + 10, r.center().y() - 4.5, 9, 9));
  if (recording) {
    p.setBrush(QColor(230, 60, 72, 60));
    p.drawEllipse(QRectF(r.left() + 7, r.center().y() - 7.5, 15, 15));
  }
  p.restore();
  drawText(p, QRect(r.left() + 24, r.top(), r.width() - 26, r.height()),
           recording ? QStringLiteral("Stop Recording") : QStringLiteral("Start Record"),
           s == State::Disabled ? color::kFaint : color::kBright, artFont(12, true),
           Qt::AlignLeft | Qt::AlignVCenter);
}

void drawSmallGlyph(QPainter& p, const QRect& r, State s, const QString& glyph) {
  drawPushButton(p, r, s, QString());
  drawText(p, r.adjusted(0, -1, 0, -1), glyph,
           s == State::Disabled ? color::kFaint : color::kBright, artFont(14, true));
}

void drawWindowBackground(QPainter& p, const QSize& size) {
  drawPopupFrame(p, size, 30, QString::fromLatin1(mm::kCaption).toUpper(), 10);
  drawPanel(p, QRect(10, 46, 206, 368));
  drawSectionLabel(p, QPoint(18, 58), QStringLiteral("Macro set"));
  well(p, layoutRect(mm::kMacroList).adjusted(-1, -1, 1, 1));
  drawText(p, QRect(20, 400, 190, 14), QStringLiteral("Double-click a macro to rename it"),
           color::kDim, artFont(11), Qt::AlignLeft | Qt::AlignVCenter);
  drawPanel(p, layoutRect(mm::kEditorPlace).adjusted(-2, -2, 2, 2));
  p.fillRect(QRect(12, 420, size.width() - 24, 1), color::kLineSoft);
}

void drawListPanelBackground(QPainter& p, const QSize& size) {
  p.fillRect(QRect(QPoint(0, 0), size), QColor(19, 20, 25));
  drawSectionLabel(p, QPoint(8, 20), QStringLiteral("Key sequence"));
  well(p, layoutRect(mm::kKeySequenceList).adjusted(-1, -1, 1, 1));
  drawSectionLabel(p, QPoint(262, 20), QStringLiteral("Recorder"));
  drawText(p, QRect(262, 122, 220, 30),
           QStringLiteral("With delays on, the pauses between keys are recorded too."), color::kDim,
           artFont(11), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
  const QRect times = layoutRect(mm::kPlayCountEdit);
  drawText(p, QRect(times.right() + 6, times.top() - 2, 120, times.height() + 4),
           QStringLiteral("times per press"), color::kText, artFont(12),
           Qt::AlignLeft | Qt::AlignVCenter);
  drawText(p, QRect(262, 214, 220, 120),
           QStringLiteral("Press Start Record and type: every key going down and up becomes "
                          "a row. Right-click the list to record before or after a row, "
                          "insert delays and mouse buttons, edit or delete rows."),
           color::kDim, artFont(11), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
}

void drawTimelineBackground(QPainter& p, const QSize& size) {
  p.fillRect(QRect(QPoint(0, 0), size), QColor(19, 20, 25));
  drawSectionLabel(p, QPoint(8, 14), QStringLiteral("Timeline"));
  well(p, QRect(2, 31, mm::kAxisLeft + 380, 19 * 14 + 2));
  p.fillRect(QRect(mm::kAxisLeft - 2, 31, 1, 19 * 14 + 2), color::kLine);
  drawText(p, QRect(70, 330, 400, 20),
           QStringLiteral("Add a bar, then press its key. Drag a bar's ends to time it."),
           color::kDim, artFont(11), Qt::AlignLeft | Qt::AlignVCenter);
}

WindowArt windowArt() {
  WindowArt art{QStringLiteral("Macro manager"),
                QSize(mm::kWidth, mm::kHeight),
                mm::kWindowFace,
                mm::kWindowHover,
                mm::kWindowPressed,
                mm::kWindowDisabled,
                {},
                drawWindowBackground,
                {}};
  art.controls = {
      {mm::kOk, ArtKind::PushButton, QStringLiteral("OK")},
      {mm::kCancel, ArtKind::PushButton, QStringLiteral("Cancel")},
      {mm::kExit, ArtKind::Close, {}},
      {mm::kSetSelector, ArtKind::Custom, {}, drawSelector},
      {mm::kNew, ArtKind::PushButton, QStringLiteral("New")},
      {mm::kDelete, ArtKind::PushButton, QStringLiteral("Delete")},
      {mm::kSwitchEditor, ArtKind::PushButton, QStringLiteral("List / Timeline editor")}};
  return art;
}

WindowArt listPanelArt() {
  WindowArt art{QStringLiteral("Macro list editor"),
                QSize(mm::kPanelWidth, mm::kPanelHeight),
                mm::kListPanelFace,
                mm::kListPanelHover,
                mm::kListPanelPressed,
                mm::kListPanelDisabled,
                {},
                drawListPanelBackground,
                {}};
  art.controls = {{mm::kStartRecord,
                   ArtKind::Custom,
                   {},
                   [](QPainter& p, const QRect& r, State s) { drawRecord(p, r, s, false); }},
                  {mm::kDelaySwitch,
                   ArtKind::Custom,
                   {},
                   [](QPainter& p, const QRect& r, State s) {
                     drawSwitch(p, r, s, QStringLiteral("Record delays"));
                   }},
                  {mm::kPlayCountSwitch,
                   ArtKind::Custom,
                   {},
                   [](QPainter& p, const QRect& r, State s) {
                     drawSwitch(p, r, s, QStringLiteral("Play count"));
                   }},
                  {mm::kPlayCountEdit, ArtKind::Field, {}}};
  return art;
}

}  // namespace

WindowArt macroTimelineArt() {
  WindowArt art{QStringLiteral("Macro timeline editor"),
                QSize(mm::kPanelWidth, mm::kPanelHeight),
                0,
                mm::kTimelineHover,
                mm::kTimelinePressed,
                mm::kTimelineDisabled,
                {},
                drawTimelineBackground,
                {}};
  const auto glyph = [](const char* text) {
    return [t = QString::fromUtf8(text)](QPainter& p, const QRect& r, State s) {
      drawSmallGlyph(p, r, s, t);
    };
  };
  art.controls = {{mm::kAddBar, ArtKind::Custom, {}, glyph("+")},
                  {mm::kDeleteBar, ArtKind::Custom, {}, glyph("\u2212")},
                  {mm::kZoomIn, ArtKind::Custom, {}, glyph("\u2013")},
                  {mm::kZoomOut, ArtKind::Custom, {}, glyph("+")}};
  return art;
}

std::vector<WindowArt> macroManagerArt() {
  return {windowArt(), listPanelArt(), macroTimelineArt()};
}

QImage macroRecordingButton(State state) {
  const QRect r = layoutRect(mm::kStartRecord);
  QImage image(r.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(QColor(19, 20, 25));
  QPainter p(&image);
  drawRecord(p, QRect(QPoint(0, 0), r.size()), state, true);
  return image;
}

QImage macroRowIcon(int icon) {
  QImage image(17, 17, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor blue(53, 160, 222), pale(138, 144, 154), amber(222, 160, 53);
  switch (icon) {
    case 135: {  // delay: a small clock
      p.setPen(QPen(amber, 1.6));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRectF(2.5, 2.5, 12, 12));
      p.drawLine(QPointF(8.5, 8.5), QPointF(8.5, 4.5));
      p.drawLine(QPointF(8.5, 8.5), QPointF(11.5, 10));
      break;
    }
    case 137:    // key release: arrow up out of a key
    case 138: {  // key press: arrow down into a key
      p.setPen(QPen(icon == 138 ? blue : pale, 1.2));
      p.setBrush(QColor(26, 28, 34));
      p.drawRoundedRect(QRectF(1.5, 7.5, 14, 8), 2, 2);
      p.setPen(Qt::NoPen);
      p.setBrush(icon == 138 ? blue : pale);
      const QPointF down[3] = {{4.5, 2}, {12.5, 2}, {8.5, 7}};
      const QPointF up[3] = {{4.5, 7}, {12.5, 7}, {8.5, 1.5}};
      p.drawPolygon(icon == 138 ? down : up, 3);
      break;
    }
    case 146: {  // mouse button
      p.setPen(QPen(blue, 1.3));
      p.setBrush(QColor(26, 28, 34));
      p.drawRoundedRect(QRectF(4, 1.5, 9, 14), 4.5, 4.5);
      p.drawLine(QPointF(8.5, 1.5), QPointF(8.5, 6.5));
      p.drawLine(QPointF(4, 6.5), QPointF(13, 6.5));
      p.fillRect(QRectF(4.8, 2.4, 3.2, 3.6), blue);
      break;
    }
    default:
      break;
  }
  return image;
}

}  // namespace skinart
