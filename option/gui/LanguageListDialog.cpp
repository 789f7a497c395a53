#include "LanguageListDialog.h"

#include <QMouseEvent>
#include <QPainter>

#include "skin/LayoutEntry.h"
#include "skin/PageSheets.h"
#include "skin/SkinButton.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace option {
namespace {

constexpr int kEntryTops[kLanguageCount] = {17,  34,  50,  66,  82,  98,  114, 130, 146,
                                            162, 178, 194, 210, 226, 242, 258, 274};

// Until the skin carries the list's own pictures: a plain dark list.
QImage plainSheet(QColor fill) {
  QImage sheet(skin::res::kLanguageListWidth, skin::res::kLanguageListHeight, QImage::Format_RGB32);
  sheet.fill(QColor(18, 20, 24));
  QPainter p(&sheet);
  p.setPen(QColor(53, 160, 222));
  p.drawRect(sheet.rect().adjusted(0, 0, -1, -1));
  for (const int top : kEntryTops) p.fillRect(QRect(3, top, 93, 13), fill);
  return sheet;
}

}  // namespace

LanguageListDialog::LanguageListDialog(QWidget* parent) : skin::SkinDialog(parent) {
  using skin::SkinResources::bitmap;
  setWindowFlags(Qt::Popup | Qt::FramelessWindowHint);
  setObjectName(QStringLiteral("LanguageList"));
  QImage face = bitmap(skin::res::kLanguageListFace);
  const bool drawn = !face.isNull();
  if (!drawn) face = plainSheet(QColor(18, 20, 24));
  setFace(face);
  if (drawn) setMaskBitmap(face);
  const skin::PageSheets sheets =
      drawn ? skin::PageSheets(face, bitmap(skin::res::kLanguageListHover),
                               bitmap(skin::res::kLanguageListPressed), face)
            : skin::PageSheets(face, plainSheet(QColor(40, 70, 96)),
                               plainSheet(QColor(53, 160, 222)), face);
  for (int i = 0; i < kLanguageCount; ++i) {
    const std::string layout =
        "L" + std::to_string(i + 1) + ",3," + std::to_string(kEntryTops[i]) + ",93,13,";
    auto* entry = new skin::SkinButton(skin::parseLayout(layout), this);
    entry->setSheets(sheets);
    // The drawn list names its entries itself.
    if (!drawn) entry->setCaption(QString::fromUtf8(languageDisplayName(i)));
    connect(entry, &skin::SkinButton::clicked, this, [this, i] { done(i); });
    entries_[static_cast<std::size_t>(i)] = entry;
  }
}

void LanguageListDialog::mousePressEvent(QMouseEvent* event) {
  // Entries take their own clicks; anything else that reaches the list,
  // inside or out, ends it without a choice.
  event->accept();
  done(-1);
}

}  // namespace option
