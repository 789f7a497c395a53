#include "CalibrationConfirmDialog.h"

#include <QPainter>

#include "skin/CalibrationWizardLayout.h"
#include "skin/LayoutEntry.h"
#include "skin/PageSheets.h"
#include "skin/SkinButton.h"
#include "skin/SkinProgressBar.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace option {
namespace {
namespace cw = skin::calibration;
using Countdown = CountdownConfirmation;

// Where the seconds left are drawn.
QRect textRect() { return QRect(QPoint(184, 109), QPoint(284 - 1, 129 - 1)); }
}  // namespace

CalibrationConfirmDialog::CalibrationConfirmDialog(QWidget* parent) : skin::SkinDialog(parent) {
  using skin::SkinResources::bitmap;
  namespace res = skin::res;
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setObjectName(QStringLiteral("CalibrationConfirmDialog"));
  setWindowTitle(QStringLiteral("Keep the calibration?"));
  const QImage face = bitmap(res::kCalibrationConfirm);
  setFace(face);
  setMaskBitmap(face);
  const skin::PageSheets sheets(face, bitmap(res::kCalibrationConfirm + 1),
                                bitmap(res::kCalibrationConfirm + 2), face);
  accept_ = new skin::SkinButton(skin::parseLayout(cw::kAccept), this);
  cancel_ = new skin::SkinButton(skin::parseLayout(cw::kConfirmCancel), this);
  exit_ = new skin::SkinButton(skin::parseLayout(cw::kConfirmExit), this);
  for (skin::SkinButton* b : {accept_, cancel_, exit_}) b->setSheets(sheets);
  connect(accept_, &skin::SkinButton::clicked, this, &QDialog::accept);
  connect(cancel_, &skin::SkinButton::clicked, this, &QDialog::reject);
  connect(exit_, &skin::SkinButton::clicked, this, &QDialog::reject);

  bar_ = new skin::SkinProgressBar(skin::parseLayout(cw::kConfirmBar), this);
  bar_->setRange(0, Countdown::kCalibrationSeconds);
  bar_->setStep(1);
  bar_->setPosition(Countdown::kCalibrationSeconds);
  bar_->setColors(QColor(161, 161, 161), QColor(60, 136, 191));
  timer_.setInterval(Countdown::kTickMs);
  connect(&timer_, &QTimer::timeout, this, &CalibrationConfirmDialog::tick);
}

bool CalibrationConfirmDialog::ask(QWidget* parent) {
  CalibrationConfirmDialog dialog(parent);
  return dialog.exec() == Accepted;
}

void CalibrationConfirmDialog::showEvent(QShowEvent* event) {
  skin::SkinDialog::showEvent(event);
  if (countdown_.state() == Countdown::State::Running) timer_.start();
}

void CalibrationConfirmDialog::tick() {
  const Countdown::State state = countdown_.tick();
  bar_->setPosition(countdown_.remaining());
  update(textRect());
  if (state == Countdown::State::Refused) reject();
}

void CalibrationConfirmDialog::done(int result) {
  timer_.stop();
  if (result == Accepted)
    countdown_.accept();
  else
    countdown_.refuse();
  // Accept counts only while time is left.
  QDialog::done(countdown_.state() == Countdown::State::Accepted ? Accepted : Rejected);
}

void CalibrationConfirmDialog::paintEvent(QPaintEvent* event) {
  skin::SkinDialog::paintEvent(event);
  QPainter p(this);
  p.setFont(skin::SkinResources::arialFont(16, 0, QFont::Bold));
  p.setPen(QColor(240, 240, 240));
  p.drawText(textRect(), Qt::AlignCenter, QString::fromStdString(countdown_.remainingText()));
}

}  // namespace option
