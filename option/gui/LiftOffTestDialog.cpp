#include "LiftOffTestDialog.h"

#include "skin/GifPlayer.h"
#include "skin/LayoutEntry.h"
#include "skin/SkinButton.h"
#include "skin/SkinResourceIds.h"

namespace option {

namespace dl = skin::dialogs;

LiftOffTestDialog::LiftOffTestDialog(std::function<bool()> startOnMonitor, QWidget* parent)
    : SmallDialog({skin::res::kLiftOffTestDialog, dl::kLiftOffTestSize,
                   QStringLiteral("Lift-off distance trial")},
                  parent),
      progress_(std::move(startOnMonitor)) {
  setObjectName(QStringLiteral("LiftOffTestDialog"));
  ok_ = addButton(dl::kLiftOffTestOk, QStringLiteral("Start"));
  cancel_ = addButton(dl::kLiftOffTestCancel, QStringLiteral("Cancel"));
  exit_ = addButton(dl::kLiftOffTestExit, QStringLiteral("x"));
  connect(ok_, &skin::SkinButton::clicked, this, &LiftOffTestDialog::start);
  connect(cancel_, &skin::SkinButton::clicked, this, &QDialog::reject);
  connect(exit_, &skin::SkinButton::clicked, this, &QDialog::reject);
  animation_ = new skin::GifPlayer(skin::parseLayout(dl::kLiftOffTestProgress), this);
  animation_->loadFile(QString::fromLatin1(skin::res::kProgressAnimation));
  animation_->hide();
  timer_.setSingleShot(true);
  timer_.setInterval(LiftOffTestProgress::kTestMs);
  connect(&timer_, &QTimer::timeout, this, &LiftOffTestDialog::timeUp);
}

LiftOffTestDialog::~LiftOffTestDialog() { animation_->stop(); }

bool LiftOffTestDialog::run(std::function<bool()> startOnMonitor, QWidget* parent) {
  LiftOffTestDialog dialog(std::move(startOnMonitor), parent);
  return dialog.exec() == QDialog::Accepted;
}

void LiftOffTestDialog::start() {
  if (!progress_.start()) return;
  ok_->setEnabled(false);
  animation_->show();
  animation_->play();
  if (ownTimer_) timer_.start();
}

void LiftOffTestDialog::timeUp() {
  timer_.stop();
  if (progress_.timeUp() == LiftOffTestProgress::State::Passed) accept();
}

void LiftOffTestDialog::done(int result) {
  timer_.stop();
  animation_->stop();
  if (result != QDialog::Accepted) progress_.cancel();
  SmallDialog::done(result);
}

}  // namespace option
