#include "WindowArt.h"
#include "skin/LayoutEntry.h"
#include "skin/SkinResourceIds.h"
#include "skin/UpdatePageLayout.h"

// The Update page: versions and the update check on the left, the maker's
// support resources on the right.
namespace skinart {

namespace up = skin::updatepage;

namespace {

void note(QPainter& p, const QRect& r, const QString& text) {
  drawText(p, r, text, color::kDim, artFont(11),
           Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap);
}

void drawUpdateBackground(QPainter& p, const QSize& size) {
  drawBackdrop(p, QRect(QPoint(0, 0), size));
  drawPanel(p, QRect(5, 5, 382, 245));
  drawPanel(p, QRect(392, 5, size.width() - 397, 245));
  drawPanel(p, QRect(5, 255, size.width() - 10, 52));

  drawSectionLabel(p, QPoint(14, 24), QStringLiteral("Driver and firmware"));
  note(p, QRect(14, 36, 360, 40),
       QStringLiteral("Look for a newer driver and firmware for your mouse on the support site."));
  note(p, QRect(226, 81, 150, 34), QStringLiteral("opens in your web browser"));
  p.fillRect(QRect(14, 160, 360, 1), color::kLineSoft);
  // Each caption ends just before its value, which the page draws at its own
  // place; the two values do not share a column.
  constexpr int kCaptionGap = 8;
  drawText(p, QRect(20, up::kFirmwareLabelY - 1, up::kFirmwareLabelX - kCaptionGap - 20, 16),
           QStringLiteral("Firmware version"), color::kText, artFont(12, true),
           Qt::AlignRight | Qt::AlignVCenter);
  drawText(p, QRect(20, up::kSoftwareLabelY - 1, up::kSoftwareLabelX - kCaptionGap - 20, 16),
           QStringLiteral("Software version"), color::kText, artFont(12, true),
           Qt::AlignRight | Qt::AlignVCenter);

  drawSectionLabel(p, QPoint(401, 24), QStringLiteral("Help and support"));
  note(p, QRect(401, 36, 360, 40),
       QStringLiteral("Manuals, questions and answers, and everything else about your mouse."));
  const QRect form = layoutRect(up::kButtons[3]);
  note(p, QRect(form.right() + 12, form.top(), 250, form.height()),
       QStringLiteral("Describe your question on the support form"));
  drawSectionLabel(p, QPoint(401, 190), QStringLiteral("Contact"));

  const QRect mail = layoutRect(up::kButtons[2]);
  note(p, QRect(mail.right() + 12, mail.top(), 270, mail.height()),
       QStringLiteral("Write to the support team by e-mail"));
  const QRect lower = layoutRect(up::kButtons[4]);
  note(p, QRect(lower.right() + 12, lower.top(), 250, lower.height()),
       QStringLiteral("or ask for help by e-mail"));
}

}  // namespace

WindowArt updatePageArt() {
  WindowArt art;
  art.name = QStringLiteral("update page");
  art.size = QSize(774, 312);
  art.face = skin::res::kUpdatePageFace;
  art.hover = skin::res::kUpdatePageHover;
  art.pressed = skin::res::kUpdatePagePressed;
  art.background = drawUpdateBackground;
  const char* const captions[5] = {"Check for updates", "Support and manuals", "E-mail", "Web form",
                                   "E-mail"};
  for (int i = 0; i < 5; ++i)
    art.controls.push_back(
        {up::kButtons[i], ArtKind::PushButton, QString::fromLatin1(captions[i])});
  return art;
}

}  // namespace skinart
