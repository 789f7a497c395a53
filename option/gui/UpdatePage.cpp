#include "UpdatePage.h"

#include <QPainter>

#include "option/HelpTexts.h"
#include "option/MainDialogModel.h"
#include "option/VersionText.h"
#include "skin/LayoutEntry.h"
#include "skin/MainWindowLayout.h"
#include "skin/PageSheets.h"
#include "skin/SkinButton.h"
#include "skin/SkinContext.h"
#include "skin/SkinLayout.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"
#include "skin/UpdatePageLayout.h"

namespace option {
namespace {

namespace up = skin::updatepage;
constexpr int kFirstHelp = 1071;

}  // namespace

UpdatePage::UpdatePage(const PageContext& context)
    : skin::SkinPage(context.parent),
      dialog_(context.model),
      model_(MakerSite::load(context.model.programFolder())) {
  using skin::SkinResources::bitmap;
  setObjectName(QStringLiteral("UpdatePage"));
  const QImage face = bitmap(skin::res::kUpdatePageFace);
  setFace(face);
  setMaskBitmap(bitmap(skin::res::kPageMask));
  setGeometry(skin::layoutRect(skin::parseLayout(skin::mainwindow::kPagePosition)));
  const skin::PageSheets sheets(face, bitmap(skin::res::kUpdatePageHover),
                                bitmap(skin::res::kUpdatePagePressed), face);
  for (int i = 0; i < UpdatePageModel::kButtonCount; ++i) {
    auto* b = new skin::SkinButton(skin::parseLayout(up::kButtons[i]), this);
    b->setObjectName(QStringLiteral("UpdateButton%1").arg(i));
    b->setSheets(sheets);
    b->setHandCursor(true);
    const auto which = static_cast<UpdatePageModel::Button>(i);
    connect(b, &skin::SkinButton::clicked, this, [this, which] {
      skin::SkinContext::instance().shellOpen(QString::fromStdString(model_.target(which)));
    });
    buttons_[static_cast<std::size_t>(i)] = b;
  }
  refresh();
}

UpdatePage::~UpdatePage() = default;

void UpdatePage::refresh() {
  model_.rebuild(kSoftwareVersion, dialog_.firmwareText());
  update();
}

void UpdatePage::paintEvent(QPaintEvent* event) {
  skin::SkinPage::paintEvent(event);
  QPainter p(this);
  const QFont font = skin::SkinResources::arialFont(12);
  p.setFont(font);
  p.setPen(QColor(240, 240, 240));
  const int ascent = QFontMetrics(font).ascent();
  p.drawText(QPoint(up::kFirmwareLabelX, up::kFirmwareLabelY + ascent),
             QString::fromStdString(model_.firmwareLabel()));
  p.drawText(QPoint(up::kSoftwareLabelX, up::kSoftwareLabelY + ascent),
             QString::fromStdString(model_.softwareLabel()));
}

void UpdatePage::applyHelpTexts(const HelpTexts& texts) {
  for (int i = 0; i < UpdatePageModel::kButtonCount; ++i) {
    const auto text = texts.text(kFirstHelp + i);
    if (text) buttons_[static_cast<std::size_t>(i)]->setHelpText(QString::fromStdString(*text));
  }
}

}  // namespace option
