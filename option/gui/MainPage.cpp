#include "MainPage.h"

#include <QApplication>
#include <QTimer>

#include "DpiLevelRow.h"
#include "option/HelpTexts.h"
#include "option/MainDialogModel.h"
#include "skin/BitmapEdit.h"
#include "skin/CclickHSlider.h"
#include "skin/DoubleClickTestButton.h"
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

struct SliderPlace {
  const char* layout;
  int id;
  int thumb;
  int minimum, maximum;
};
constexpr SliderPlace kSliders[4] = {
    {"SENSITIVITY,23,41,266,25,", MainPageModel::kSensitivitySlider, skin::res::kThumbLarge, 1, 11},
    {"Scroll speed,46,117,240,25,", MainPageModel::kScrollSlider, skin::res::kThumbLarge, 1, 10},
    {"Tilt Speed,23,214,240,25,", MainPageModel::kTiltSlider, skin::res::kThumbLarge, 1, 10},
    {"Double Click speed,156,279,140,20,", MainPageModel::kDoubleClickSlider,
     skin::res::kThumbSmall, 1, 11}};
constexpr const char* kSpin = "Sensitivity,311,34,45,19,";
constexpr const char* kPageModes[2] = {"not one page,13,112,20,20,", "one page,13,136,190,20,"};
constexpr int kRowTops[MainPageModel::kRowCount] = {64, 113, 162, 211, 260};
constexpr const char* kDoubleClickTest = "Double Click Test,330,277,42,23,";

QString help(const HelpTexts& texts, int id, const QString& fallback) {
  const auto text = texts.text(id);
  return text ? QString::fromStdString(*text) : fallback;
}

}  // namespace

MainPage::MainPage(const PageContext& context)
    : skin::SkinPage(context.parent),
      model_(
          context.model.working(), [&m = context.model] { return m.shownProfile(); },
          context.desktop) {
  using skin::SkinResources::bitmap;
  setObjectName(QStringLiteral("MainPage"));
  const QImage face = bitmap(skin::res::kMainPageFace);
  setFace(face);
  setMaskBitmap(bitmap(skin::res::kPageMask));
  setGeometry(skin::layoutRect(skin::parseLayout(skin::mainwindow::kPagePosition)));
  // The pressed sheet also holds the sliders' grooves drawn filled. The
  // hover sheet follows right after the first paint (completeSheets).
  const QImage pressed = bitmap(skin::res::kMainPagePressed);
  sheets_ = skin::PageSheets(face, QImage(), pressed, face);

  for (std::size_t i = 0; i < sliders_.size(); ++i) {
    const SliderPlace& s = kSliders[i];
    auto* slider = new skin::CclickHSlider(s.thumb, skin::parseLayout(s.layout), this, s.id);
    slider->setBackground(face);
    slider->setFill(pressed);
    slider->setRange(s.minimum, s.maximum);
    slider->setSnap(true);
    sliders_[i] = slider;
  }
  spin_ = new skin::SpinEdit(skin::parseLayout(kSpin), this, MainPageModel::kSensitivitySpin);
  spin_->setRange(-5, 5);
  for (int mode = 0; mode < 2; ++mode) {
    auto* button = new skin::SkinButton(skin::parseLayout(kPageModes[mode]), this);
    connect(button, &skin::SkinButton::clicked, this, [this, mode] {
      model_.pageModeClicked(mode);
      sync();
    });
    pageMode_[static_cast<std::size_t>(mode)] = button;
  }
  for (int i = 0; i < MainPageModel::kRowCount; ++i) {
    const QRect place(395, kRowTops[i], 375, 49);
    rows_[static_cast<std::size_t>(i)] = new DpiLevelRow(
        place, sheets_, model_.row(i), [this] { sync(); }, this);
  }
  doubleClickTest_ = new skin::DoubleClickTestButton(skin::parseLayout(kDoubleClickTest), this);
  cutControlPictures();
  qApp->installEventFilter(this);
}

MainPage::~MainPage() = default;

void MainPage::cutControlPictures() {
  spin_->setSheets(sheets_);
  for (skin::SkinButton* button : pageMode_) button->setSheets(sheets_);
}

void MainPage::completeSheets() {
  if (sheetsComplete_) return;
  sheetsComplete_ = true;
  qApp->removeEventFilter(this);
  sheets_ =
      skin::PageSheets(sheets_.normal(), skin::SkinResources::bitmap(skin::res::kMainPageHover),
                       sheets_.pressed(), sheets_.disabled());
  cutControlPictures();
  for (DpiLevelRow* row : rows_) row->setSheets(sheets_);
}

void MainPage::paintEvent(QPaintEvent* event) {
  if (!sheetsComplete_ && !completionQueued_) {
    // After this paint has reached the screen.
    completionQueued_ = true;
    QTimer::singleShot(0, this, &MainPage::completeSheets);
  }
  skin::SkinPage::paintEvent(event);
}

bool MainPage::eventFilter(QObject* watched, QEvent* event) {
  // Only the page's buttons show its hover pictures: the pointer over the
  // background or the main window leaves the completion to after the first
  // paint.
  const QEvent::Type type = event->type();
  if (type == QEvent::Enter || type == QEvent::MouseMove || type == QEvent::MouseButtonPress) {
    auto* button = qobject_cast<skin::SkinButton*>(watched);
    if (button && isAncestorOf(button)) completeSheets();
  }
  return skin::SkinPage::eventFilter(watched, event);
}

skin::CclickHSlider* MainPage::slider(int id) const {
  for (skin::CclickHSlider* s : sliders_)
    if (s->controlId() == id) return s;
  return nullptr;
}

void MainPage::refresh() {
  model_.load();
  sync();
}

void MainPage::sync() {
  const MainPageModel::View& v = model_.view();
  const int values[4] = {v.sensitivity, v.scrollSpeed, v.tiltSpeed, v.doubleClick};
  for (std::size_t i = 0; i < sliders_.size(); ++i)
    if (sliders_[i]->value() != values[i]) sliders_[i]->setPosition(values[i]);
  if (!spin_->edit()->hasFocus()) spin_->setValue(v.sensitivitySpin);
  for (int mode = 0; mode < 2; ++mode)
    pageMode_[static_cast<std::size_t>(mode)]->setSelected(v.pageMode == mode);
  for (DpiLevelRow* row : rows_) row->sync();
}

void MainPage::applyHelpTexts(const HelpTexts& texts) {
  sliders_[0]->setHelpText(help(texts, 1028, sliders_[0]->helpText()));
  spin_->setHelpText(help(texts, 1029, QString()));
  sliders_[1]->setHelpText(help(texts, 1030, sliders_[1]->helpText()));
  pageMode_[0]->setHelpText(help(texts, 1030, pageMode_[0]->helpText()));
  pageMode_[1]->setHelpText(help(texts, 1031, pageMode_[1]->helpText()));
  sliders_[2]->setHelpText(help(texts, 1032, sliders_[2]->helpText()));
  sliders_[3]->setHelpText(help(texts, 1034, sliders_[3]->helpText()));
  for (DpiLevelRow* row : rows_) row->setHelpText(help(texts, 1033, QString()));
}

skin::LRESULT MainPage::handleControlMessage(skin::UINT msg, skin::WPARAM wParam,
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
