#pragma once

#include <QPainter>
#include <QPainterPath>
#include <QSize>
#include <QString>

// The frame every popup window and small dialog of the suite shares: angled
// top-left and bottom-right corners (pure white outside them is cut away), a
// dark body, a title strip and a fine accent edge.
namespace skinart {

QPainterPath popupOutline(const QSizeF& size, qreal cut);
void drawPopupFrame(QPainter& p, const QSize& size, int titleHeight, const QString& title,
                    qreal cut);

}  // namespace skinart
