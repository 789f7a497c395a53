#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>
#include <QString>

// The look of the skin: colours and the drawing of every kind of control in
// each of its four states. Pages and dialogs draw with these so that all
// windows of the suite look alike.
namespace skinart {

enum class State { Normal, Hover, Pressed, Disabled };
inline constexpr State kAllStates[4] = {State::Normal, State::Hover, State::Pressed,
                                        State::Disabled};

namespace color {
inline const QColor kCut(255, 255, 255);  // mask key: cut away
inline const QColor kDeep(10, 11, 13);
inline const QColor kBase(17, 18, 22);
inline const QColor kPanel(22, 24, 29);
inline const QColor kPanelHigh(32, 35, 42);
inline const QColor kLine(44, 48, 56);
inline const QColor kLineSoft(31, 34, 40);
inline const QColor kAccent(53, 160, 222);
inline const QColor kAccentDeep(60, 136, 191);
inline const QColor kText(224, 224, 224);
inline const QColor kBright(240, 240, 240);
inline const QColor kDim(138, 144, 154);
inline const QColor kFaint(72, 76, 84);
inline const QColor kDanger(196, 52, 64);
}  // namespace color

// "Arial" as the font configuration maps it (Liberation Sans).
QFont artFont(int pixelSize, bool bold = false, qreal letterSpacing = 0, bool italic = false);
void drawText(QPainter& p, const QRect& r, const QString& text, const QColor& c, const QFont& f,
              int flags = Qt::AlignCenter);

void drawBackdrop(QPainter& p, const QRect& r);
void drawPushButton(QPainter& p, const QRect& r, State s, const QString& caption);
void drawTab(QPainter& p, const QRect& r, State s, const QString& caption, int fontSize = 13);
enum class Glyph { Minimize, Close };
void drawGlyphButton(QPainter& p, const QRect& r, State s, Glyph g);
void drawField(QPainter& p, const QRect& r, State s);
void drawMarker(QPainter& p, const QRect& r, State s);
void drawChip(QPainter& p, const QRect& r, State s, const QString& text);
// Check box and radio member: the mark at the left, the label after it;
// "pressed" is the ticked (selected) look.
void drawCheckBox(QPainter& p, const QRect& r, State s, const QString& caption);
void drawRadio(QPainter& p, const QRect& r, State s, const QString& caption);
// The groove a CclickHSlider's thumb runs in, as its background picture.
void drawSliderTrack(QPainter& p, const QRect& r, State s);
// A SpinEdit's place: the number box (1,1)-(32,16) and the arrows
// (34,0)-(50,8) and (34,9)-(50,17) of its own rectangle.
void drawSpinField(QPainter& p, const QRect& r, State s);
// A small section heading with an accent bar in front.
void drawSectionLabel(QPainter& p, const QPoint& at, const QString& text);
// Bracket corners around a rectangle (the frame of a content area).
void drawBrackets(QPainter& p, const QRect& r, int length, const QColor& c);
// A rounded panel with a dark vertical gradient, the ground of a page's groups.
void drawPanel(QPainter& p, const QRect& r);
// The rectangle of a layout string ("name,left,top,width,height,").
QRect layoutRect(const char* layout);

}  // namespace skinart
