#include "WindowsProfileDialog.h"

#include <QPainter>

#include "skin/LayoutEntry.h"
#include "skin/PageSheets.h"
#include "skin/SkinButton.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace option {
namespace {

constexpr const char* kOk = "BUTTON_OK,72,200,56,24,";
constexpr const char* kCancel = "BUTTON_CANCEL,136,200,100,24,";
constexpr const char* kExit = "BUTTON_EXIT,274,3,26,22,";

// Until the skin carries the dialog's pictures: a plain dark dialog with the
// question written on it.
QImage plainFace(int slotNumber, QColor buttons) {
  QImage face(skin::res::kWindowsProfileDialogWidth, skin::res::kWindowsProfileDialogHeight,
              QImage::Format_RGB32);
  face.fill(QColor(18, 20, 24));
  QPainter p(&face);
  p.setPen(QColor(53, 160, 222));
  p.drawRect(face.rect().adjusted(0, 0, -1, -1));
  p.setFont(skin::SkinResources::arialFont(14, 0, QFont::Bold));
  p.setPen(QColor(232, 236, 240));
  p.drawText(QRect(16, 40, 272, 40), Qt::AlignCenter | Qt::TextWordWrap,
             QStringLiteral("Windows profile"));
  p.setFont(skin::SkinResources::arialFont(13));
  p.drawText(QRect(16, 84, 272, 100), Qt::AlignCenter | Qt::TextWordWrap,
             QStringLiteral("Profile slot %1 will carry your Windows mouse settings "
                            "(pointer speed, double-click, wheel). Continue?")
                 .arg(slotNumber));
  for (const char* layout : {kOk, kCancel, kExit}) {
    const skin::LayoutEntry e = skin::parseLayout(layout);
    p.fillRect(QRect(e.left, e.top, e.width(), e.height()), buttons);
  }
  p.setFont(skin::SkinResources::arialFont(13, 0, QFont::Bold));
  auto label = [&](const char* layout, const QString& text) {
    const skin::LayoutEntry e = skin::parseLayout(layout);
    p.drawText(QRect(e.left, e.top, e.width(), e.height()), Qt::AlignCenter, text);
  };
  label(kOk, QStringLiteral("OK"));
  label(kCancel, QStringLiteral("Cancel"));
  label(kExit, QStringLiteral("\xC3\x97"));
  return face;
}

}  // namespace

WindowsProfileDialog::WindowsProfileDialog(int slotNumber, QWidget* parent)
    : skin::SkinDialog(parent) {
  using skin::SkinResources::bitmap;
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setObjectName(QStringLiteral("WindowsProfileDialog"));
  QImage face = bitmap(skin::res::kWindowsProfileDialogFace);
  const bool drawn = !face.isNull();
  skin::PageSheets sheets;
  if (drawn) {
    sheets = skin::PageSheets(face, bitmap(skin::res::kWindowsProfileDialogHover),
                              bitmap(skin::res::kWindowsProfileDialogPressed), face);
    setMaskBitmap(face);
  } else {
    face = plainFace(slotNumber, QColor(34, 38, 46));
    sheets = skin::PageSheets(face, plainFace(slotNumber, QColor(40, 70, 96)),
                              plainFace(slotNumber, QColor(53, 160, 222)), face);
  }
  setFace(face);
  ok_ = new skin::SkinButton(skin::parseLayout(kOk), this);
  cancel_ = new skin::SkinButton(skin::parseLayout(kCancel), this);
  exit_ = new skin::SkinButton(skin::parseLayout(kExit), this);
  for (skin::SkinButton* b : {ok_, cancel_, exit_}) b->setSheets(sheets);
  connect(ok_, &skin::SkinButton::clicked, this, &QDialog::accept);
  connect(cancel_, &skin::SkinButton::clicked, this, &QDialog::reject);
  connect(exit_, &skin::SkinButton::clicked, this, &QDialog::reject);
}

}  // namespace option
