#include "LightPage.h"

#include <QPainter>

#include "ColorLineWindow.h"
#include "option/HelpTexts.h"
#include "option/MainDialogModel.h"
#include "skin/CclickHSlider.h"
#include "skin/LayoutEntry.h"
#include "skin/LightPageLayout.h"
#include "skin/MainWindowLayout.h"
#include "skin/PageSheets.h"
#include "skin/SkinButton.h"
#include "skin/SkinContext.h"
#include "skin/SkinLayout.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace option {
namespace {

namespace lp = skin::lightpage;

QString help(const HelpTexts& texts, int id, const QString& fallback) {
  const auto text = texts.text(id);
  return text ? QString::fromStdString(*text) : fallback;
}

skin::LayoutEntry swatchLayout(int n) {
  const std::string layout = "color" + std::to_string(n % 7 + 1) + "," +
                             std::to_string(lp::swatchX(n)) + "," + std::to_string(lp::swatchY(n)) +
                             "," + std::to_string(lp::kSwatchSize) + "," +
                             std::to_string(lp::kSwatchSize) + ",";
  return skin::parseLayout(layout.c_str());
}

}  // namespace

LightPage::LightPage(const PageContext& context)
    : skin::SkinPage(context.parent),
      model_(
          context.model.working(), [&m = context.model] { return m.shownProfile(); },
          [] {
            skin::postControlMessage(skin::SkinContext::instance().mainWindow(),
                                     MainDialogModel::kLightChanged, 0, 0);
          }) {
  using skin::SkinResources::bitmap;
  setObjectName(QStringLiteral("LightPage"));
  const QImage face = bitmap(skin::res::kColorPageFace);
  const QImage hover = bitmap(skin::res::kColorPageHover);
  const QImage pressed = bitmap(skin::res::kColorPagePressed);
  setFace(face);
  setMaskBitmap(bitmap(skin::res::kPageMask));
  setGeometry(skin::layoutRect(skin::parseLayout(skin::mainwindow::kPagePosition)));
  const skin::PageSheets checkSheets(face, hover, pressed, pressed);
  const skin::PageSheets radioSheets(face, hover, pressed, face);
  const skin::PageSheets swatchSheets(face, hover, pressed, bitmap(skin::res::kColorPageDisabled));
  for (int z = 0; z < LightPageModel::kZoneCount; ++z)
    zoneMarks_[static_cast<std::size_t>(z)] = bitmap(skin::res::kZoneMarks[z]);

  preview_ = new ColorLineWindow(this);

  lightSwitch_ = new skin::SkinButton(skin::parseLayout(lp::kLightSwitch), this);
  lightSwitch_->setObjectName(QStringLiteral("LightSwitch"));
  forAll_ = new skin::SkinButton(skin::parseLayout(lp::kColorForAll), this);
  forAll_->setObjectName(QStringLiteral("ColorForAll"));
  for (skin::SkinButton* b : {lightSwitch_, forAll_}) {
    b->setSheets(checkSheets);
    b->setCheckMode(true);
  }
  connect(lightSwitch_, &skin::SkinButton::clicked, this, [this] {
    model_.lightSwitchClicked(lightSwitch_->isSelected());
    sync();
  });
  connect(forAll_, &skin::SkinButton::clicked, this, [this] {
    model_.forAllClicked(forAll_->isSelected());
    sync();
  });

  auto radio = [&](const char* layout, auto onClick) {
    auto* b = new skin::SkinButton(skin::parseLayout(layout), this);
    b->setSheets(radioSheets);
    connect(b, &skin::SkinButton::clicked, this, [this, onClick] {
      onClick();
      sync();
    });
    return b;
  };
  for (int i = 0; i < 3; ++i)
    modes_[static_cast<std::size_t>(i)] =
        radio(lp::kModes[i], [this, i] { model_.modeClicked(i); });
  for (int i = 0; i < 6; ++i)
    flows_[static_cast<std::size_t>(i)] =
        radio(lp::kFlows[i], [this, i] { model_.flowClicked(i); });
  for (int i = 0; i < 5; ++i)
    effects_[static_cast<std::size_t>(i)] =
        radio(lp::kEffects[i], [this, i] { model_.effectClicked(i); });

  speed_ = new skin::CclickHSlider(skin::res::kThumbSmall, skin::parseLayout(lp::kSpeed), this,
                                   LightPageModel::kSpeedSlider);
  speed_->setBackground(face);
  speed_->setFill(pressed);
  speed_->setRange(1, 3);
  speed_->setSnap(true);

  for (int n = 0; n < kPaletteSize; ++n) {
    auto* b = new skin::SkinButton(swatchLayout(n), this);
    b->setObjectName(QStringLiteral("Swatch%1").arg(n));
    b->setSheets(swatchSheets);
    b->setHandCursor(true);
    connect(b, &skin::SkinButton::clicked, this, [this, n] {
      model_.swatchClicked(n);
      sync();
    });
    swatches_[static_cast<std::size_t>(n)] = b;
  }
}

LightPage::~LightPage() = default;

void LightPage::refresh() {
  model_.load();
  sync();
}

void LightPage::sync() {
  const LightPageModel::View& v = model_.view();
  preview_->setColors(v.preview);
  preview_->setZone(v.zone);
  for (int n = 0; n < kPaletteSize; ++n)
    swatches_[static_cast<std::size_t>(n)]->setSelected(n == v.swatch);
  lightSwitch_->setVisible(v.switchVisible);
  lightSwitch_->setSelected(v.switchOn);
  forAll_->setSelected(v.forAll);
  for (int i = 0; i < 3; ++i) modes_[static_cast<std::size_t>(i)]->setSelected(i == v.mode);
  for (int i = 0; i < 6; ++i) flows_[static_cast<std::size_t>(i)]->setSelected(i == v.flow);
  for (int i = 0; i < 5; ++i) effects_[static_cast<std::size_t>(i)]->setSelected(i == v.effect);
  if (speed_->value() != v.speed) speed_->setPosition(v.speed);
  update(QRect(lp::kZoneMarkX, lp::kZoneMarkY, lp::kZoneMarkSize + 8, lp::kZoneMarkSize + 4));
}

void LightPage::paintEvent(QPaintEvent* event) {
  skin::SkinPage::paintEvent(event);
  const int zone = model_.view().zone;
  const QImage& mark = zoneMarks_[static_cast<std::size_t>(zone)];
  if (mark.isNull()) return;
  QPainter p(this);
  p.drawImage(lp::kZoneMarkX, lp::kZoneMarkY, mark);
}

void LightPage::applyHelpTexts(const HelpTexts& texts) {
  lightSwitch_->setHelpText(help(texts, 1077, lightSwitch_->helpText()));
  forAll_->setHelpText(help(texts, 1078, forAll_->helpText()));
  for (skin::SkinButton* b : swatches_) b->setHelpText(help(texts, 1076, b->helpText()));
  constexpr int kEffectIds[5] = {1080, 1079, 1081, 1082, 1083};
  for (int i = 0; i < 5; ++i) {
    skin::SkinButton* b = effects_[static_cast<std::size_t>(i)];
    b->setHelpText(help(texts, kEffectIds[i], b->helpText()));
  }
  constexpr int kFlowIds[6] = {1089, 1084, 1085, 1086, 1087, 1088};
  for (int i = 0; i < 6; ++i) {
    skin::SkinButton* b = flows_[static_cast<std::size_t>(i)];
    b->setHelpText(help(texts, kFlowIds[i], b->helpText()));
  }
  speed_->setHelpText(help(texts, 1090, speed_->helpText()));
}

skin::LRESULT LightPage::handleControlMessage(skin::UINT msg, skin::WPARAM wParam,
                                              skin::LPARAM lParam) {
  if (msg == ColorLineWindow::ZoneSelectMsg) {
    model_.zoneSelected(static_cast<int>(lParam));
    sync();
  } else if (msg == skin::SliderValueMsg) {
    model_.sliderValue(static_cast<int>(wParam), static_cast<int>(lParam));
  }
  return skin::SkinPage::handleControlMessage(msg, wParam, lParam);
}

}  // namespace option
