#include <QPainterPath>

#include "FlagArt.h"
#include "PopupFrame.h"
#include "WindowArt.h"
#include "skin/LayoutEntry.h"
#include "skin/SkinResourceIds.h"
#include "skin/SmallDialogLayouts.h"

// The small popup windows of the main window: the Windows-profile
// confirmation and the language list.
namespace skinart {

namespace dl = skin::dialogs;
namespace res = skin::res;

// Angled top-left and bottom-right corners; the close button keeps its
// square corner.
QPainterPath popupOutline(const QSizeF& size, qreal cut) {
  const qreal w = size.width(), h = size.height();
  QPainterPath path;
  path.moveTo(cut, 0);
  path.lineTo(w, 0);
  path.lineTo(w, h - cut);
  path.lineTo(w - cut, h);
  path.lineTo(0, h);
  path.lineTo(0, cut);
  path.closeSubpath();
  return path;
}

// Pure white outside the outline (cut away), the dark body inside, a title
// strip and a fine accent edge.
void drawPopupFrame(QPainter& p, const QSize& size, int titleHeight, const QString& title,
                    qreal cut) {
  const QRect all(QPoint(0, 0), size);
  p.fillRect(all, color::kCut);
  const QPainterPath shape = popupOutline(size, cut);
  p.save();
  p.setClipPath(shape);
  drawBackdrop(p, all);
  QLinearGradient header(0, 0, 0, titleHeight);
  header.setColorAt(0, QColor(28, 31, 37));
  header.setColorAt(1, QColor(18, 20, 24));
  p.fillRect(QRect(0, 0, size.width(), titleHeight), header);
  p.fillRect(QRect(0, titleHeight, size.width(), 1), QColor(60, 136, 191, 150));
  p.fillRect(QRect(0, titleHeight - 1, std::min(70, size.width() / 3), 2), color::kAccent);
  p.restore();
  if (!title.isEmpty())
    drawText(p, QRect(10, 0, size.width() - 50, titleHeight), title.toUpper(), color::kText,
             artFont(11, true, 1.8), Qt::AlignLeft | Qt::AlignVCenter);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(60, 136, 191, 190), 1));
  p.setBrush(Qt::NoBrush);
  p.drawPath(popupOutline(QSizeF(size) - QSizeF(1, 1), cut).translated(0.5, 0.5));
  p.restore();
}

namespace {

void drawWindowsProfileBackground(QPainter& p, const QSize& size) {
  drawPopupFrame(p, size, 28, QStringLiteral("Windows profile"), 8);
  // A desktop with the window panes of the marker, lit.
  const QRectF icon(22, 50, 40, 40);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(color::kAccent, 1.5));
  p.setBrush(QColor(22, 58, 84));
  p.drawRoundedRect(icon, 5, 5);
  const qreal w = 9, gap = 2.5;
  for (int i = 0; i < 4; ++i) {
    const QRectF pane(icon.center().x() + (i % 2 ? gap / 2 : -gap / 2 - w),
                      icon.center().y() + (i / 2 ? gap / 2 : -gap / 2 - w), w, w);
    p.setPen(Qt::NoPen);
    p.setBrush(i == 0 ? color::kBright : color::kAccent);
    p.drawRect(pane);
  }
  p.restore();
  drawText(p, QRect(76, 46, size.width() - 92, 48),
           QStringLiteral("Make this profile slot\nthe Windows profile?"), color::kBright,
           artFont(15, true), Qt::AlignLeft | Qt::AlignVCenter);
  drawText(p, QRect(22, 104, size.width() - 44, 56),
           QStringLiteral("The mouse returns to this profile whenever no program "
                          "linked to a profile is in the foreground."),
           color::kText, artFont(12), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
  drawText(p, QRect(22, 160, size.width() - 44, 30),
           QStringLiteral("Press Apply or OK in the main window to send it to the mouse."),
           color::kDim, artFont(11), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
  p.fillRect(QRect(12, 192, size.width() - 24, 1), color::kLineSoft);
}

void drawLanguageListBackground(QPainter& p, const QSize& size) {
  drawPopupFrame(p, size, 15, QString(), 6);
  drawText(p, QRect(6, 1, size.width() - 12, 13), QStringLiteral("LANGUAGE"), color::kDim,
           artFont(11, true, 1.4), Qt::AlignLeft | Qt::AlignVCenter);
}

// One entry: its flag, then the language's name.
void drawLanguageEntry(QPainter& p, const QRect& r, State s, int language) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QColor ink = color::kText;
  if (s == State::Hover) {
    p.setPen(QPen(color::kAccent, 1));
    p.setBrush(QColor(36, 41, 50));
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    ink = color::kBright;
  } else if (s == State::Pressed) {
    p.setPen(Qt::NoPen);
    p.setBrush(color::kAccentDeep);
    p.drawRoundedRect(QRectF(r), 2, 2);
    ink = color::kBright;
  } else if (s == State::Disabled) {
    ink = color::kFaint;
  }
  p.restore();
  const QRectF flag(r.left() + 3, r.top() + 2, 15, 9);
  p.save();
  p.fillRect(flag.adjusted(-0.5, -0.5, 0.5, 0.5), QColor(0, 0, 0));
  p.restore();
  drawFlag(p, flag, language);
  drawText(p, r.adjusted(22, 0, -2, 0), languageListName(language), ink, artFont(11),
           Qt::AlignLeft | Qt::AlignVCenter);
}

}  // namespace

WindowArt windowsProfileDialogArt() {
  WindowArt art;
  art.name = QStringLiteral("Windows-profile confirmation");
  art.size = QSize(res::kWindowsProfileDialogWidth, res::kWindowsProfileDialogHeight);
  art.face = res::kWindowsProfileDialogFace;
  art.hover = res::kWindowsProfileDialogHover;
  art.pressed = res::kWindowsProfileDialogPressed;
  art.background = drawWindowsProfileBackground;
  art.controls.push_back({dl::kWindowsProfileOk, ArtKind::PushButton, "OK"});
  art.controls.push_back({dl::kWindowsProfileCancel, ArtKind::PushButton, "Cancel"});
  art.controls.push_back({dl::kWindowsProfileExit, ArtKind::Close, {}});
  return art;
}

WindowArt languageListArt() {
  WindowArt art;
  art.name = QStringLiteral("language list");
  art.size = QSize(res::kLanguageListWidth, res::kLanguageListHeight);
  art.face = res::kLanguageListFace;
  art.hover = res::kLanguageListHover;
  art.pressed = res::kLanguageListPressed;
  art.background = drawLanguageListBackground;
  for (int language = 0; language < kLanguageCount; ++language)
    art.controls.push_back({dl::kLanguageEntries[language],
                            ArtKind::Custom,
                            {},
                            [language](QPainter& p, const QRect& r, State s) {
                              drawLanguageEntry(p, r, s, language);
                            }});
  return art;
}

}  // namespace skinart
