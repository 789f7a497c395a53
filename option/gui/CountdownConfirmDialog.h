#pragma once

#include <QTimer>

#include "SmallDialog.h"
#include "option/CountdownConfirmation.h"

namespace skin {
class SkinProgressBar;
}

namespace option {

// Keep the new lift-off distance? Accept within 30 seconds keeps it; the
// time running out, Cancel or Exit refuse. The seconds left are drawn over
// the picture and shown by the bar.
class CountdownConfirmDialog : public SmallDialog {
  Q_OBJECT
 public:
  explicit CountdownConfirmDialog(QWidget* parent = nullptr);

  // True when the user pressed Accept in time.
  static bool ask(QWidget* parent);

  const CountdownConfirmation& countdown() const { return countdown_; }
  skin::SkinProgressBar* bar() const { return bar_; }
  // One second of the countdown (what the dialog's timer does each second).
  void tick();
  // From now on only tick() counts down: tests step the countdown themselves.
  void stopOwnTimer() {
    ownTimer_ = false;
    timer_.stop();
  }

 protected:
  void paintEvent(QPaintEvent*) override;
  void showEvent(QShowEvent*) override;
  void done(int result) override;

 private:
  CountdownConfirmation countdown_;
  QTimer timer_;
  bool ownTimer_ = true;
  skin::SkinProgressBar* bar_;
};

}  // namespace option
