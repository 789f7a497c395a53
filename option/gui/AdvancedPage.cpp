#include "AdvancedPage.h"

#include "CalibrationConfirmDialog.h"
#include "CalibrationWizardDialog.h"
#include "CountdownConfirmDialog.h"
#include "FactoryResetDialog.h"
#include "LiftOffTestDialog.h"
#include "apply/MonitorAddress.h"
#include "option/HelpTexts.h"
#include "option/MainDialogModel.h"
#include "platform/Window.h"
#include "skin/AdvancedPageLayout.h"
#include "skin/BitmapEdit.h"
#include "skin/CclickHSlider.h"
#include "skin/LayoutEntry.h"
#include "skin/MainWindowLayout.h"
#include "skin/PageSheets.h"
#include "skin/SkinButton.h"
#include "skin/SkinLayout.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"
#include "skin/SpinEdit.h"

namespace option {
namespace {

namespace ap = skin::advancedpage;
using Model = AdvancedPageModel;

struct SliderPlace {
  const char* layout;
  int id;
  int thumb;
  int minimum, maximum;
};
constexpr SliderPlace kSliders[6] = {
    {ap::kSoundVolume, Model::kVolumeSlider, skin::res::kThumbSmall, 0, 4},
    {ap::kAxisX, Model::kAxisXSlider, skin::res::kThumbLargeAlt, 1, 11},
    {ap::kAxisY, Model::kAxisYSlider, skin::res::kThumbLarge, 1, 11},
    {ap::kPointerSpeed, Model::kPointerSpeedSlider, skin::res::kThumbLarge, 1, 11},
    {ap::kSnapSlider, Model::kSnapSlider, skin::res::kThumbLargeAlt, 1, 6},
    {ap::kAlignmentSlider, Model::kAlignmentSlider, skin::res::kThumbLargeAlt, 0, 60}};

// Check boxes in creation order, with the model's name for each.
struct CheckPlace {
  const char* layout;
  Model::CheckBox box;
  int help;
};
constexpr CheckPlace kChecks[Model::kCheckBoxCount] = {
    {ap::kSeparateAxes, Model::kSeparateAxes, 1040},
    {ap::kSoundDpi, Model::kSoundDpi, 1050},
    {ap::kSoundProfile, Model::kSoundProfile, 1049},
    {ap::kSoundSensitivity, Model::kSoundSensitivity, 1051},
    {ap::kSoundVolumeKeys, Model::kSoundVolumeKeys, 1052},
    {ap::kSoundTrophy, Model::kSoundTrophy, 1053},
    {ap::kAcceleration, Model::kAcceleration, 1056},
    {ap::kTrails, Model::kTrails, 1057}};

constexpr int kLiftOffHelp[4] = {1044, 1047, 1046, 1045};

QString help(const HelpTexts& texts, int id, const QString& fallback) {
  const auto text = texts.text(id);
  return text ? QString::fromStdString(*text) : fallback;
}

}  // namespace

Model::Hooks AdvancedPage::hooks(const PageContext& context) {
  MainDialogModel& main = context.model;
  Model::Hooks h;
  h.monitorPresent = [] {
    return platform::FindWindow(apply::kMonitorTitle) != platform::kNoWindow;
  };
  h.storeDeviceSettings = [&main](bool withTracking) {
    return main.storeDeviceSettings(withTracking);
  };
  h.postToMonitor = [](platform::UINT msg, platform::LPARAM code) {
    const platform::HWND monitor = platform::FindWindow(apply::kMonitorTitle);
    if (monitor != platform::kNoWindow) platform::PostMessage(monitor, msg, 0, code);
  };
  // Stage 1 lets the user try the distance the Monitor set (the dialog's OK
  // asks the Monitor to start the trial); stage 2 asks to keep it.
  h.confirmLiftOff = [this](int stage) {
    if (stage != 1) return CountdownConfirmDialog::ask(this);
    return LiftOffTestDialog::run(
        [] {
          const platform::HWND monitor = platform::FindWindow(apply::kMonitorTitle);
          return monitor != platform::kNoWindow &&
                 platform::PostMessage(monitor, Model::kLiftOffMsg, 0, Model::kLiftOffStart);
        },
        this);
  };
  h.calibrate = [this](bool) { return CalibrationWizardDialog::run(this); };
  h.confirmCalibration = [this] { return CalibrationConfirmDialog::ask(this); };
  h.confirmReset = [this] { return FactoryResetDialog::ask(this); };
  h.resetDone = [this, &main] {
    main.restoreOsdDefaults();
    main.save(apply::ApplySession::Mode::Reset);
    if (auto* view = dynamic_cast<MainDialogView*>(parentWidget())) view->refresh();
  };
  return h;
}

AdvancedPage::AdvancedPage(const PageContext& context)
    : skin::SkinPage(context.parent),
      model_(
          context.model.working(), [&m = context.model] { return m.shownProfile(); },
          hooks(context)) {
  using skin::SkinResources::bitmap;
  setObjectName(QStringLiteral("AdvancedPage"));
  const QImage face = bitmap(skin::res::kAdvancedPageFace);
  const QImage hover = bitmap(skin::res::kAdvancedPageHover);
  const QImage pressed = bitmap(skin::res::kAdvancedPagePressed);
  setFace(face);
  setMaskBitmap(bitmap(skin::res::kPageMask));
  setGeometry(skin::layoutRect(skin::parseLayout(skin::mainwindow::kPagePosition)));
  const skin::PageSheets checkSheets(face, hover, pressed, pressed);
  const skin::PageSheets sheets(face, hover, pressed, face);

  auto button = [&](const char* layout, bool check) {
    auto* b = new skin::SkinButton(skin::parseLayout(layout), this);
    b->setSheets(check ? checkSheets : sheets);
    b->setCheckMode(check);
    return b;
  };
  auto group = [&](auto& buttons, const char* const* layouts, auto onClick) {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      buttons[i] = button(layouts[i], false);
      connect(buttons[i], &skin::SkinButton::clicked, this, [this, i, onClick] {
        onClick(static_cast<int>(i));
        sync();
      });
    }
  };

  for (const CheckPlace& c : kChecks) {
    skin::SkinButton* b = button(c.layout, true);
    connect(b, &skin::SkinButton::clicked, this, [this, b, box = c.box] {
      model_.checkBoxClicked(box, b->isSelected());
      sync();
    });
    checks_[c.box] = b;
  }
  group(polling_, ap::kPollingRates, [this](int i) { model_.pollingRateClicked(i); });
  reset_ = button(ap::kReset, false);
  connect(reset_, &skin::SkinButton::clicked, this, [this] {
    model_.resetClicked();
    sync();
  });
  group(liftOff_, ap::kLiftOff, [this](int i) { model_.liftOffClicked(i); });
  const char* sfc[2] = {ap::kSfcOff, ap::kSfcOn};
  group(sfc_, sfc, [this](int i) { model_.sfcClicked(i == 1); });
  recalibrate_ = button(ap::kRecalibrate, false);
  // The one push button that is ever disabled (while tracking control is
  // off) looks so, from the sheet loaded with the others.
  recalibrate_->setSheets(
      skin::PageSheets(face, hover, pressed, bitmap(skin::res::kAdvancedPageDisabled)));
  connect(recalibrate_, &skin::SkinButton::clicked, this, [this] {
    model_.recalibrateClicked();
    sync();
  });
  for (std::size_t i = 0; i < sliders_.size(); ++i) {
    const SliderPlace& s = kSliders[i];
    auto* slider = new skin::CclickHSlider(s.thumb, skin::parseLayout(s.layout), this, s.id);
    slider->setBackground(face);
    slider->setRange(s.minimum, s.maximum);
    slider->setSnap(true);
    sliders_[i] = slider;
  }
  spinX_ = new skin::SpinEdit(skin::parseLayout(ap::kSensitivityX), this, Model::kSensitivityXSpin);
  spinY_ = new skin::SpinEdit(skin::parseLayout(ap::kSensitivityY), this, Model::kSensitivityYSpin);
  for (skin::SpinEdit* spin : {spinX_, spinY_}) {
    spin->setSheets(sheets);
    spin->setRange(-5, 5);
  }
  const char* snap[2] = {ap::kSnapOff, ap::kSnapOn};
  group(snap_, snap, [this](int i) { model_.snapClicked(i == 1); });
  const char* alignment[2] = {ap::kAlignmentOff, ap::kAlignmentOn};
  group(alignment_, alignment, [this](int i) { model_.alignmentClicked(i == 1); });
  alignmentSpin_ =
      new skin::SpinEdit(skin::parseLayout(ap::kAlignmentSpin), this, Model::kAlignmentSpin);
  alignmentSpin_->setSheets(sheets);
  alignmentSpin_->setRange(-30, 30);
}

AdvancedPage::~AdvancedPage() = default;

skin::CclickHSlider* AdvancedPage::slider(int id) const {
  for (skin::CclickHSlider* s : sliders_)
    if (s->controlId() == id) return s;
  return nullptr;
}

void AdvancedPage::refresh() {
  model_.load();
  sync();
}

void AdvancedPage::sync() {
  const Model::View& v = model_.view();
  for (int i = 0; i < Model::kCheckBoxCount; ++i)
    checks_[static_cast<std::size_t>(i)]->setSelected(v.check[i]);
  for (std::size_t i = 0; i < 4; ++i) {
    polling_[i]->setSelected(static_cast<int>(i) == v.pollingRate);
    liftOff_[i]->setSelected(static_cast<int>(i) == v.liftOff);
  }
  for (std::size_t i = 0; i < 2; ++i) {
    sfc_[i]->setSelected(static_cast<int>(i) == v.trackControl);
    snap_[i]->setSelected(static_cast<int>(i) == v.snapFlag);
    alignment_[i]->setSelected(static_cast<int>(i) == v.alignmentFlag);
  }
  recalibrate_->setEnabled(v.recalibrate);
  const int values[6] = {v.volume, v.axisX, v.axisY, v.pointerSpeed, v.snap, v.alignment};
  for (std::size_t i = 0; i < sliders_.size(); ++i)
    if (sliders_[i]->value() != values[i]) sliders_[i]->setPosition(values[i]);
  if (!spinX_->edit()->hasFocus()) spinX_->setValue(v.spinX);
  if (!spinY_->edit()->hasFocus()) spinY_->setValue(v.spinY);
  if (!alignmentSpin_->edit()->hasFocus()) alignmentSpin_->setValue(v.alignmentSpin);
}

void AdvancedPage::applyHelpTexts(const HelpTexts& texts) {
  for (const CheckPlace& c : kChecks)
    checks_[c.box]->setHelpText(help(texts, c.help, checks_[c.box]->helpText()));
  for (skin::SkinButton* b : polling_) b->setHelpText(help(texts, 1048, b->helpText()));
  for (std::size_t i = 0; i < 4; ++i)
    liftOff_[i]->setHelpText(help(texts, kLiftOffHelp[i], liftOff_[i]->helpText()));
  sfc_[0]->setHelpText(help(texts, 1042, sfc_[0]->helpText()));
  sfc_[1]->setHelpText(help(texts, 1041, sfc_[1]->helpText()));
  recalibrate_->setHelpText(help(texts, 1043, recalibrate_->helpText()));
  reset_->setHelpText(help(texts, 1058, reset_->helpText()));
  slider(Model::kVolumeSlider)->setHelpText(help(texts, 1054, QString()));
  slider(Model::kPointerSpeedSlider)->setHelpText(help(texts, 1055, QString()));
  slider(Model::kAxisXSlider)->setHelpText(help(texts, 1038, QString()));
  slider(Model::kAxisYSlider)->setHelpText(help(texts, 1039, QString()));
  spinX_->setHelpText(help(texts, 1038, QString()));
  spinY_->setHelpText(help(texts, 1039, QString()));
}

skin::LRESULT AdvancedPage::handleControlMessage(skin::UINT msg, skin::WPARAM wParam,
                                                 skin::LPARAM lParam) {
  if (msg == skin::SliderValueMsg) {
    model_.sliderValue(static_cast<int>(wParam), static_cast<int>(lParam));
    sync();
  } else if (msg == skin::SpinValueMsg) {
    model_.spinValue(static_cast<int>(static_cast<platform::LPARAM>(wParam)),
                     static_cast<int>(lParam));
    sync();
  }
  return skin::SkinPage::handleControlMessage(msg, wParam, lParam);
}

}  // namespace option
