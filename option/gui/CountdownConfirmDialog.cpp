#include "CountdownConfirmDialog.h"

#include <QPainter>

#include "skin/LayoutEntry.h"
#include "skin/SkinButton.h"
#include "skin/SkinProgressBar.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace option {

namespace dl = skin::dialogs;

CountdownConfirmDialog::CountdownConfirmDialog(QWidget* parent)
    : SmallDialog({skin::res::kCountdownDialog, dl::kCountdownSize,
                   QStringLiteral("Keep the new lift-off distance?")},
                  parent) {
  setObjectName(QStringLiteral("CountdownConfirmDialog"));
  ok_ = addButton(dl::kCountdownAccept, QStringLiteral("Accept"));
  cancel_ = addButton(dl::kCountdownCancel, QStringLiteral("Cancel"));
  exit_ = addButton(dl::kCountdownExit, QStringLiteral("x"));
  connect(ok_, &skin::SkinButton::clicked, this, [this] {
    countdown_.accept();
    accept();
  });
  connect(cancel_, &skin::SkinButton::clicked, this, &QDialog::reject);
  connect(exit_, &skin::SkinButton::clicked, this, &QDialog::reject);
  bar_ = new skin::SkinProgressBar(skin::parseLayout(dl::kCountdownBar), this);
  bar_->setRange(0, CountdownConfirmation::kSeconds);
  bar_->setStep(1);
  bar_->setPosition(countdown_.remaining());
  bar_->setColors(QColor(161, 161, 161), QColor(60, 136, 191));
  timer_.setInterval(CountdownConfirmation::kTickMs);
  connect(&timer_, &QTimer::timeout, this, &CountdownConfirmDialog::tick);
}

bool CountdownConfirmDialog::ask(QWidget* parent) {
  CountdownConfirmDialog dialog(parent);
  return dialog.exec() == QDialog::Accepted;
}

void CountdownConfirmDialog::showEvent(QShowEvent* event) {
  SmallDialog::showEvent(event);
  if (ownTimer_ && countdown_.state() == CountdownConfirmation::State::Running) timer_.start();
}

void CountdownConfirmDialog::tick() {
  const auto state = countdown_.tick();
  bar_->setPosition(countdown_.remaining());
  const int* r = dl::kCountdownText;
  update(QRect(QPoint(r[0], r[1]), QPoint(r[2], r[3])));
  if (state == CountdownConfirmation::State::Refused) reject();
}

void CountdownConfirmDialog::done(int result) {
  timer_.stop();
  if (result != QDialog::Accepted) countdown_.refuse();
  SmallDialog::done(result);
}

void CountdownConfirmDialog::paintEvent(QPaintEvent* event) {
  SmallDialog::paintEvent(event);
  QPainter p(this);
  p.setFont(skin::SkinResources::arialFont(16, 0, QFont::Bold));
  p.setPen(QColor(232, 236, 240));
  const int* r = dl::kCountdownText;
  p.drawText(QRect(QPoint(r[0], r[1]), QPoint(r[2], r[3])), Qt::AlignCenter,
             QString::fromStdString(countdown_.remainingText()));
}

}  // namespace option
