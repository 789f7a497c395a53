#include <QPainterPath>

#include "WindowArt.h"
#include "skin/LayoutEntry.h"
#include "skin/MainWindowLayout.h"
#include "skin/SkinResourceIds.h"

namespace skinart {

namespace mw = skin::mainwindow;

namespace {

QPainterPath outline(const QSize& size) {
  // Angled top corners and softer bottom ones: the outline of the window.
  const qreal w = size.width(), h = size.height();
  QPainterPath path;
  path.moveTo(10, 0);
  path.lineTo(w - 8, 0);
  path.lineTo(w, 8);
  path.lineTo(w, h - 8);
  path.lineTo(w - 8, h);
  path.lineTo(8, h);
  path.lineTo(0, h - 8);
  path.lineTo(0, 10);
  path.closeSubpath();
  return path;
}

void drawMainBackground(QPainter& p, const QSize& size) {
  const QRect all(QPoint(0, 0), size);
  p.fillRect(all, color::kCut);
  const QPainterPath shape = outline(size);
  p.save();
  p.setClipPath(shape);
  drawBackdrop(p, all);

  // Header: brand, version captions, accent rule.
  QLinearGradient header(0, 0, 0, 76);
  header.setColorAt(0, QColor(24, 26, 31));
  header.setColorAt(1, QColor(15, 16, 19));
  p.fillRect(QRect(0, 0, size.width(), 76), header);
  p.setPen(QColor(255, 255, 255, 6));
  for (int x = -80; x < size.width(); x += 5) p.drawLine(x, 76, x + 76, 0);
  QLinearGradient rule(0, 0, size.width(), 0);
  rule.setColorAt(0, QColor(53, 160, 222, 0));
  rule.setColorAt(0.18, color::kAccent);
  rule.setColorAt(0.6, color::kAccentDeep);
  rule.setColorAt(1, QColor(60, 136, 191, 40));
  p.fillRect(QRect(0, 75, size.width(), 1), rule);
  p.fillRect(QRect(22, 74, 150, 3), color::kAccent);

  drawText(p, QRect(22, 26, 120, 34), QStringLiteral("VESK"), color::kBright,
           artFont(32, true, 1.5, true), Qt::AlignLeft | Qt::AlignVCenter);
  drawText(p, QRect(128, 32, 200, 26), QStringLiteral("ORB OPTICAL"), color::kAccent,
           artFont(15, false, 3.2), Qt::AlignLeft | Qt::AlignVCenter);
  drawText(p, QRect(24, 58, 300, 14), QStringLiteral("GAMING MOUSE CONFIGURATION"), color::kDim,
           artFont(9, true, 2.4), Qt::AlignLeft | Qt::AlignVCenter);
  drawText(p, QRect(mw::kSoftwareVersionX - 34, 12, 30, 16), QStringLiteral("APP"), color::kFaint,
           artFont(10, true, 1), Qt::AlignRight | Qt::AlignVCenter);
  drawText(p, QRect(mw::kFirmwareVersionX - 34, 12, 30, 16), QStringLiteral("FW"), color::kFaint,
           artFont(10, true, 1), Qt::AlignRight | Qt::AlignVCenter);
  p.fillRect(QRect(mw::kFirmwareVersionX - 48, 14, 1, 12), color::kLine);
  // Status stripes ahead of the window buttons.
  p.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < 4; ++i) {
    const qreal x = 660 + i * 12;
    const QPointF stripe[4] = {{x, 22}, {x + 6, 22}, {x + 12, 10}, {x + 6, 10}};
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(53, 160, 222, 60 + i * 45));
    p.drawPolygon(stripe, 4);
  }
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setBrush(Qt::NoBrush);

  // Tab strip base and the frame of the page area.
  p.fillRect(QRect(4, 116, size.width() - 8, 1), QColor(60, 136, 191, 110));
  const skin::LayoutEntry page = skin::parseLayout(mw::kPagePosition);
  const QRect pageRect(page.left, page.top, page.width(), page.height());
  p.fillRect(pageRect, QColor(13, 14, 17));
  p.setPen(color::kLineSoft);
  p.drawRect(pageRect.adjusted(-1, -1, 0, 0));
  drawBrackets(p, pageRect.adjusted(-2, -2, 1, 1), 12, color::kAccentDeep);
  drawText(p, pageRect, QStringLiteral("VESK"), QColor(255, 255, 255, 8),
           artFont(120, true, 8, true));

  // Profile area.
  drawSectionLabel(p, QPoint(14, 468), QStringLiteral("Profile slots"));
  const QRect slotPanel(4, 479, size.width() - 8, 66);
  p.fillRect(slotPanel, QColor(15, 16, 20));
  p.setPen(color::kLineSoft);
  p.drawRect(slotPanel.adjusted(0, 0, -1, -1));

  // Footer: rule, quick help strip, language caption.
  p.fillRect(QRect(4, 552, size.width() - 8, 1), color::kLine);
  p.restore();

  // A fine accent edge along the outline.
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(60, 136, 191, 150), 1));
  p.setBrush(Qt::NoBrush);
  p.drawPath(outline(size - QSize(1, 1)).translated(0.5, 0.5));
  p.restore();
}

// The edition badge of a mouse of type 1: drawn on the pressed sheet only,
// the window shows that picture while the settings name that mouse type.
void drawMouseTypeBadge(QPainter& p, const QRect& r, State s) {
  if (s != State::Pressed) return;
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(color::kAccent, 1));
  p.setBrush(QColor(22, 58, 84));
  p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
  p.restore();
  drawText(p, r, QStringLiteral("PRO"), color::kBright, artFont(11, true, 1.6));
}

}  // namespace

WindowArt mainWindowArt() {
  WindowArt art;
  art.name = QStringLiteral("main window");
  art.size = QSize(mw::kWidth, mw::kHeight);
  art.face = skin::res::kMainFace;
  art.hover = skin::res::kMainHover;
  art.pressed = skin::res::kMainPressed;
  art.disabled = skin::res::kMainDisabled;
  art.background = drawMainBackground;

  const QString tabCaptions[6] = {"Main", "Button Assign", "Advanced", "Color", "Trophy", "Update"};
  for (int i = 0; i < 6; ++i) art.controls.push_back({mw::kTabs[i], ArtKind::Tab, tabCaptions[i]});
  art.controls.push_back({mw::kCreate, ArtKind::PushButton, "Create"});
  art.controls.push_back({mw::kLoad, ArtKind::PushButton, "Load"});
  art.controls.push_back({mw::kSave, ArtKind::PushButton, "Save"});
  art.controls.push_back({mw::kEdit, ArtKind::PushButton, "Edit"});
  for (int i = 0; i < 5; ++i) {
    art.controls.push_back(
        {mw::kProfileTabs[i], ArtKind::ProfileTab, QStringLiteral("Profile %1").arg(i + 1)});
    art.controls.push_back({mw::kProfileNames[i], ArtKind::Field, {}});
    art.controls.push_back({mw::kWindowsProfile[i], ArtKind::Marker, {}});
  }
  art.controls.push_back({mw::kQuickHelp, ArtKind::Field, {}});
  art.controls.push_back({mw::kLanguage, ArtKind::Chip, "LANG"});
  art.controls.push_back({mw::kMinimize, ArtKind::Minimize, {}});
  art.controls.push_back({mw::kExit, ArtKind::Close, {}});
  art.controls.push_back({mw::kOk, ArtKind::PushButton, "OK"});
  art.controls.push_back({mw::kApply, ArtKind::PushButton, "Apply"});
  art.controls.push_back({mw::kCancel, ArtKind::PushButton, "Cancel"});
  art.controls.push_back({mw::kMouseType, ArtKind::Custom, {}, drawMouseTypeBadge});
  return art;
}

}  // namespace skinart
