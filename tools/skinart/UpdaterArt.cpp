// The Firmware updater's window and its four dialogs. Their wording is part
// of the pictures: the programs draw no text of their own on them.
#include <QPainterPath>

#include "WindowArt.h"
#include "skin/LayoutEntry.h"
#include "skin/SkinResourceIds.h"
#include "skin/UpdaterLayout.h"

namespace skinart {

namespace up = skin::updater;
namespace res = skin::res;

namespace {

QPainterPath outline(const QSize& size, qreal cut) {
  const qreal w = size.width(), h = size.height();
  QPainterPath path;
  path.moveTo(cut, 0);
  path.lineTo(w - cut, 0);
  path.lineTo(w, cut);
  path.lineTo(w, h - cut);
  path.lineTo(w - cut, h);
  path.lineTo(cut, h);
  path.lineTo(0, h - cut);
  path.lineTo(0, cut);
  path.closeSubpath();
  return path;
}

// Backdrop, header band with the brand and a title, accent rule; everything
// outside the outline stays pure white and is cut away.
void drawFrame(QPainter& p, const QSize& size, const QString& title, int headerHeight) {
  const QRect all(QPoint(0, 0), size);
  p.fillRect(all, color::kCut);
  p.save();
  p.setClipPath(outline(size, 8));
  drawBackdrop(p, all);
  QLinearGradient header(0, 0, 0, headerHeight);
  header.setColorAt(0, QColor(26, 28, 34));
  header.setColorAt(1, QColor(15, 16, 19));
  p.fillRect(QRect(0, 0, size.width(), headerHeight), header);
  p.setPen(QColor(255, 255, 255, 6));
  for (int x = -headerHeight; x < size.width(); x += 5)
    p.drawLine(x, headerHeight, x + headerHeight, 0);
  QLinearGradient rule(0, 0, size.width(), 0);
  rule.setColorAt(0, QColor(53, 160, 222, 0));
  rule.setColorAt(0.2, color::kAccent);
  rule.setColorAt(1, QColor(60, 136, 191, 40));
  p.fillRect(QRect(0, headerHeight - 1, size.width(), 1), rule);
  p.fillRect(QRect(16, headerHeight - 2, 90, 3), color::kAccent);
  drawText(p, QRect(16, 6, 80, headerHeight - 8), QStringLiteral("VESK"), color::kBright,
           artFont(20, true, 1.2, true), Qt::AlignLeft | Qt::AlignVCenter);
  drawText(p, QRect(90, 6, size.width() - 140, headerHeight - 8), title, color::kAccent,
           artFont(12, true, 2.4), Qt::AlignLeft | Qt::AlignVCenter);
  p.restore();
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(60, 136, 191, 150), 1));
  p.drawPath(outline(size - QSize(1, 1), 8).translated(0.5, 0.5));
  p.restore();
}

void drawUpdaterBackground(QPainter& p, const QSize& size) {
  drawFrame(p, size, QStringLiteral("FIRMWARE UPDATE"), 36);
  drawText(p, QRect(24, 52, size.width() - 48, 20),
           QStringLiteral("Writing the new firmware into your mouse"), color::kBright,
           artFont(15, true), Qt::AlignLeft | Qt::AlignVCenter);
  drawText(p, QRect(24, 76, size.width() - 48, 34),
           QStringLiteral("Keep the mouse plugged in and this window open until the update\n"
                          "has finished. The Monitor starts again by itself afterwards."),
           color::kDim, artFont(12), Qt::AlignLeft | Qt::AlignTop);

  // The image's name goes into this field.
  drawText(p, QRect(24, up::kFileNameTop - 2, up::kFileNameLeft - 38, 20), QStringLiteral("Image"),
           color::kDim, artFont(12, true, 1), Qt::AlignRight | Qt::AlignVCenter);
  const QRect field(QPoint(up::kFileNameLeft - 6, up::kFileNameTop - 4),
                    QPoint(up::kFileNameRight + 4, up::kFileNameBottom + 3));
  p.fillRect(field, QColor(224, 226, 230));
  p.setPen(color::kLine);
  p.drawRect(field.adjusted(0, 0, -1, -1));

  // The progress bar sits in this groove.
  const skin::LayoutEntry bar = skin::parseLayout(up::kProgress);
  const QRect barRect(bar.left, bar.top, bar.width(), bar.height());
  drawText(p, QRect(barRect.left(), barRect.top() - 20, 200, 16), QStringLiteral("PROGRESS"),
           color::kDim, artFont(11, true, 2), Qt::AlignLeft | Qt::AlignVCenter);
  p.fillRect(barRect.adjusted(-3, -3, 3, 3), QColor(13, 14, 17));
  p.setPen(color::kLine);
  p.drawRect(barRect.adjusted(-3, -3, 2, 2));
  drawBrackets(p, barRect.adjusted(-5, -5, 4, 4), 8, color::kAccentDeep);
  drawText(p, QRect(barRect.left(), barRect.bottom() + 8, barRect.width(), 16),
           QStringLiteral("Do not unplug the mouse while the update runs."), color::kFaint,
           artFont(11), Qt::AlignLeft | Qt::AlignVCenter);

  // Footer for the two version texts.
  p.fillRect(QRect(4, up::kVersionY - 8, size.width() - 8, 1), color::kLine);
}

void drawMessage(QPainter& p, const QSize& size, const QString& title, const QString& heading,
                 const QString& body, const QColor& mark) {
  drawFrame(p, size, title, 34);
  // A round mark beside the heading tells the kind of message at a glance.
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(mark, 2));
  p.setBrush(QColor(mark.red(), mark.green(), mark.blue(), 40));
  p.drawEllipse(QRectF(24, 52, 30, 30));
  p.restore();
  drawText(p, QRect(24, 52, 30, 30),
           mark == color::kDanger   ? QStringLiteral("!")
           : mark == color::kAccent ? QStringLiteral("i")
                                    : QStringLiteral("\u2713"),
           mark, artFont(17, true));
  drawText(p, QRect(68, 50, size.width() - 88, 22), heading, color::kBright, artFont(15, true),
           Qt::AlignLeft | Qt::AlignVCenter);
  drawText(p, QRect(68, 76, size.width() - 88, 60), body, color::kText, artFont(12),
           Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
  p.fillRect(QRect(4, 134, size.width() - 8, 1), color::kLineSoft);
}

WindowArt dialogArt(const QString& name, int face,
                    std::function<void(QPainter&, const QSize&)> draw, bool cancel, bool exit) {
  WindowArt art;
  art.name = name;
  art.folder = QStringLiteral("FWUpdate");
  art.size = QSize(up::kDialogWidth, up::kDialogHeight);
  art.face = face;
  art.hover = face + res::kDialogHoverOffset;
  art.pressed = face + res::kDialogPressedOffset;
  art.background = std::move(draw);
  art.controls.push_back(
      {cancel ? up::kDialogOk : up::kDialogOkAlone, ArtKind::PushButton, QStringLiteral("OK")});
  if (cancel)
    art.controls.push_back({up::kDialogCancel, ArtKind::PushButton, QStringLiteral("Cancel")});
  if (exit) art.controls.push_back({up::kDialogExit, ArtKind::Close, {}});
  return art;
}

}  // namespace

std::vector<WindowArt> updaterArt() {
  std::vector<WindowArt> all;
  WindowArt window;
  window.name = QStringLiteral("firmware updater");
  window.folder = QStringLiteral("FWUpdate");
  window.size = QSize(up::kWidth, up::kHeight);
  window.face = res::kUpdaterFace;
  window.hover = res::kUpdaterHover;
  window.pressed = res::kUpdaterPressed;
  window.background = drawUpdaterBackground;
  window.controls.push_back({up::kExit, ArtKind::Close, {}});
  all.push_back(window);

  all.push_back(dialogArt(
      QStringLiteral("update confirmation"), res::kConfirmFace,
      [](QPainter& p, const QSize& s) {
        drawMessage(
            p, s, QStringLiteral("FIRMWARE UPDATE"), QStringLiteral("New firmware for your mouse"),
            QStringLiteral("A newer firmware comes with this software. Update the mouse now? "
                           "The Monitor closes while the update runs."),
            color::kAccent);
      },
      true, true));
  all.push_back(dialogArt(
      QStringLiteral("firmware notice"), res::kNoticeFace,
      [](QPainter& p, const QSize& s) {
        drawMessage(p, s, QStringLiteral("FIRMWARE NOTICE"), QStringLiteral("Your mouse is newer"),
                    QStringLiteral("The mouse runs a newer firmware than this software brings. "
                                   "Nothing is changed; please install the latest software."),
                    color::kAccent);
      },
      false, true));
  all.push_back(dialogArt(
      QStringLiteral("update success"), res::kSuccessFace,
      [](QPainter& p, const QSize& s) {
        drawMessage(p, s, QStringLiteral("FIRMWARE UPDATE"),
                    QStringLiteral("Firmware upgrade success"),
                    QStringLiteral("The new firmware is in your mouse. The Monitor starts again "
                                   "when you close this message."),
                    QColor(70, 200, 120));
      },
      false, false));
  all.push_back(dialogArt(
      QStringLiteral("update failure"), res::kFailureFace,
      [](QPainter& p, const QSize& s) {
        drawMessage(
            p, s, QStringLiteral("FIRMWARE UPDATE"), QStringLiteral("Firmware upgrade failed"),
            QStringLiteral("The firmware could not be written to your mouse. Keep it plugged "
                           "in, close the updater and try again."),
            color::kDanger);
      },
      false, false));
  return all;
}

}  // namespace skinart
