#include "SmallDialog.h"

#include <QKeyEvent>
#include <QPainter>

#include "skin/BitmapEdit.h"
#include "skin/LayoutEntry.h"
#include "skin/SkinButton.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace option {
namespace {

// Until the skin carries the dialog's pictures: a plain dark face with the
// title. Its controls draw their captions over sheets of one tint per state.
QImage plainFace(const SmallDialog::Art& art) {
  QImage face(art.size.width, art.size.height, QImage::Format_RGB32);
  face.fill(QColor(18, 20, 24));
  QPainter p(&face);
  p.setPen(QColor(53, 160, 222));
  p.drawRect(face.rect().adjusted(0, 0, -1, -1));
  p.setFont(skin::SkinResources::arialFont(14, 0, QFont::Bold));
  p.setPen(QColor(232, 236, 240));
  p.drawText(QRect(12, 4, art.size.width - 60, 24), Qt::AlignLeft | Qt::AlignVCenter, art.title);
  return face;
}

QImage tinted(const SmallDialog::Art& art, QColor color) {
  QImage sheet(art.size.width, art.size.height, QImage::Format_RGB32);
  sheet.fill(color);
  return sheet;
}

}  // namespace

SmallDialog::SmallDialog(const Art& art, QWidget* parent) : skin::SkinDialog(parent) {
  using skin::SkinResources::bitmap;
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setModal(true);
  setWindowTitle(art.title);
  QImage face = art.faceFile ? skin::SkinResources::picture(QString::fromLatin1(art.faceFile))
                             : bitmap(art.sheets);
  const QImage shape = bitmap(art.sheets);
  if (!face.isNull() && face.size() == QSize(art.size.width, art.size.height)) {
    const QImage disabled = bitmap(art.sheets + skin::res::kDialogDisabledOffset);
    sheets_ = skin::PageSheets(face, bitmap(art.sheets + skin::res::kDialogHoverOffset),
                               bitmap(art.sheets + skin::res::kDialogPressedOffset),
                               disabled.isNull() ? face : disabled);
    if (!shape.isNull()) setMaskBitmap(shape);
  } else {
    plain_ = true;
    face = plainFace(art);
    sheets_ = skin::PageSheets(tinted(art, QColor(34, 38, 46)), tinted(art, QColor(40, 70, 96)),
                               tinted(art, QColor(53, 160, 222)), tinted(art, QColor(24, 26, 30)));
  }
  setFace(face);
  setFixedSize(art.size.width, art.size.height);
}

skin::SkinButton* SmallDialog::addButton(const char* layout, const QString& plainCaption) {
  auto* button = new skin::SkinButton(skin::parseLayout(layout), this);
  button->setSheets(sheets_);
  if (plain_ && !plainCaption.isEmpty()) button->setCaption(plainCaption);
  return button;
}

skin::SkinButton* SmallDialog::addCheckButton(const char* layout, const QString& plainCaption) {
  skin::SkinButton* button = addButton(layout, plainCaption);
  button->setCheckMode(true);
  return button;
}

skin::BitmapEdit* SmallDialog::addEdit(const char* layout, int maxLength) {
  auto* edit = new skin::BitmapEdit(skin::parseLayout(layout), this);
  edit->setColors(QColor(232, 236, 240), QColor(30, 33, 40));
  edit->setMaxLength(maxLength);
  return edit;
}

void SmallDialog::addClosingButtons(const char* ok, const char* cancel, const char* exit) {
  if (ok) {
    ok_ = addButton(ok, QStringLiteral("OK"));
    connect(ok_, &skin::SkinButton::clicked, this, [this] { onOk(); });
  }
  if (cancel) {
    cancel_ = addButton(cancel, QStringLiteral("Cancel"));
    connect(cancel_, &skin::SkinButton::clicked, this, &QDialog::reject);
  }
  if (exit) {
    exit_ = addButton(exit, QStringLiteral("x"));
    connect(exit_, &skin::SkinButton::clicked, this, &QDialog::reject);
  }
}

void SmallDialog::keyPressEvent(QKeyEvent* event) {
  if (ok_ && !cancel_ && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
    onOk();
    return;
  }
  skin::SkinDialog::keyPressEvent(event);
}

}  // namespace option
