#include "DpiLevelRow.h"

#include <QMouseEvent>
#include <QPainter>

#include "option/DpiLevelRowModel.h"
#include "skin/BitmapEdit.h"
#include "skin/CclickHSlider.h"
#include "skin/LayoutEntry.h"
#include "skin/SkinButton.h"
#include "skin/SkinResourceIds.h"
#include "skin/SpinEdit.h"

namespace option {
namespace {

enum { kXSlider = 301, kYSlider = 302, kXSpin = 401, kYSpin = 402 };

// A control's place inside the row, from its corners.
skin::LayoutEntry place(const char* name, int left, int top, int right, int bottom) {
  skin::LayoutEntry e = skin::parseLayout(name);
  e.left = left;
  e.top = top;
  e.right = right;
  e.bottom = bottom;
  return e;
}

}  // namespace

DpiLevelRow::DpiLevelRow(const QRect& rect, const skin::PageSheets& pageSheets,
                         DpiLevelRowModel& model, std::function<void()> changed, QWidget* page)
    : QWidget(page), model_(model), changed_(std::move(changed)) {
  setGeometry(rect);
  setObjectName(QStringLiteral("DPI"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  bar_ = new skin::SkinButton(place("bar", 1, 1, 302, 16), this);
  enable_ = new skin::SkinButton(place("enable", 12, 18, 26, 32), this);
  enable_->setCheckMode(true);
  link_ = new skin::SkinButton(place("link", 360, 16, 370, 32), this);
  link_->setCheckMode(true);

  xSlider_ =
      new skin::CclickHSlider(skin::res::kThumbDpi, place("x", 32, 20, 299, 24), this, kXSlider);
  ySlider_ =
      new skin::CclickHSlider(skin::res::kThumbDpi, place("y", 32, 26, 299, 30), this, kYSlider);
  for (skin::CclickHSlider* s : {xSlider_, ySlider_}) {
    s->setRange(DpiLevelRowModel::kMin, DpiLevelRowModel::kMax);
    s->setSnap(true);
  }
  xSpin_ = new skin::SpinEdit(place("x dpi", 313, 8, 357, 25), this, kXSpin);
  ySpin_ = new skin::SpinEdit(place("y dpi", 313, 25, 357, 42), this, kYSpin);
  for (skin::SpinEdit* s : {xSpin_, ySpin_}) {
    s->setRange(DpiLevelRowModel::kMin * 100, DpiLevelRowModel::kMax * 100);
    s->setStep(100);
  }
  setSheets(pageSheets);

  connect(bar_, &skin::SkinButton::clicked, this, [this] {
    model_.barClicked();
    changed_();
  });
  connect(enable_, &skin::SkinButton::clicked, this, [this] {
    model_.enableClicked(enable_->isSelected());
    sync();
    changed_();
  });
  connect(link_, &skin::SkinButton::clicked, this, [this] {
    model_.linkClicked(link_->isSelected());
    sync();
    changed_();
  });
}

void DpiLevelRow::setSheets(const skin::PageSheets& pageSheets) {
  pictures_ = pageSheets.cut(geometry());
  // The row's own pictures serve as the sheets of its controls.
  const skin::PageSheets rowSheets(pictures_.normal, pictures_.hover, pictures_.pressed,
                                   pictures_.disabled);
  const skin::PageSheets boxSheets(pictures_.normal, pictures_.hover, pictures_.pressed,
                                   pictures_.pressed);
  bar_->setSheets(rowSheets);
  enable_->setSheets(boxSheets);
  link_->setSheets(boxSheets);
  for (skin::CclickHSlider* s : {xSlider_, ySlider_}) {
    s->setBackground(pictures_.normal);
    s->setFill(pictures_.pressed);
  }
  for (skin::SpinEdit* s : {xSpin_, ySpin_}) s->setSheets(rowSheets);
  update();
}

void DpiLevelRow::sync() {
  // A slider being dragged or a field being typed into already shows what the
  // user is doing; moving it under their hand would fight them.
  if (xSlider_->value() != model_.x()) xSlider_->setPosition(model_.x());
  if (ySlider_->value() != model_.y()) ySlider_->setPosition(model_.y());
  if (!xSpin_->edit()->hasFocus()) xSpin_->setValue(model_.x() * 100);
  if (!ySpin_->edit()->hasFocus()) ySpin_->setValue(model_.y() * 100);
  enable_->setSelected(model_.enabled());
  enable_->setEnabled(model_.enableBoxEnabled());
  link_->setSelected(model_.linked());
  bar_->setSelected(model_.current());
  const bool on = model_.valueControlsEnabled();
  for (QWidget* w : std::initializer_list<QWidget*>{bar_, xSlider_, ySlider_, xSpin_, ySpin_})
    w->setEnabled(on);
  update();
}

void DpiLevelRow::setHelpText(const QString& help) {
  bar_->setHelpText(help);
  enable_->setHelpText(help);
  link_->setHelpText(help);
  xSlider_->setHelpText(help);
  ySlider_->setHelpText(help);
  xSpin_->setHelpText(help);
  ySpin_->setHelpText(help);
}

skin::LRESULT DpiLevelRow::handleControlMessage(skin::UINT msg, skin::WPARAM wParam,
                                                skin::LPARAM lParam) {
  const int value = static_cast<int>(wParam);
  if (msg == skin::SliderValueMsg) {
    if (lParam == kXSlider) model_.xSlider(value);
    if (lParam == kYSlider) model_.ySlider(value);
  } else if (msg == skin::SpinValueMsg) {
    if (lParam == kXSpin) model_.xSpin(value);
    if (lParam == kYSpin) model_.ySpin(value);
  } else {
    return 0;
  }
  sync();
  changed_();
  return 0;
}

void DpiLevelRow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QImage& picture = model_.current() ? pictures_.pressed : pictures_.normal;
  if (picture.isNull())
    painter.fillRect(rect(), QColor(12, 13, 15));
  else
    painter.drawImage(QPoint(0, 0), picture);
}

void DpiLevelRow::mousePressEvent(QMouseEvent* event) {
  // The bare row drags the window like the page around it.
  event->ignore();
}

}  // namespace option
