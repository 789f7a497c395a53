#pragma once

#include <QTimer>
#include <functional>

#include "SmallDialog.h"
#include "option/LiftOffTestProgress.h"

namespace skin {
class GifPlayer;
}

namespace option {

// The lift-off trial: OK asks the Monitor to start it and plays the progress
// animation for ten seconds, after which the dialog ends with Accepted;
// Cancel and Exit end it with Rejected at any time.
class LiftOffTestDialog : public SmallDialog {
  Q_OBJECT
 public:
  // `startOnMonitor` posts the start message; false when there is no Monitor.
  explicit LiftOffTestDialog(std::function<bool()> startOnMonitor, QWidget* parent = nullptr);
  ~LiftOffTestDialog() override;

  // True when the trial ran its full time.
  static bool run(std::function<bool()> startOnMonitor, QWidget* parent);

  const LiftOffTestProgress& progress() const { return progress_; }
  skin::GifPlayer* animation() const { return animation_; }
  // The ten seconds have passed (what the dialog's timer does).
  void timeUp();
  // From now on only timeUp() ends the trial: tests decide when time is up.
  void stopOwnTimer() {
    ownTimer_ = false;
    timer_.stop();
  }

 protected:
  void done(int result) override;

 private:
  void start();

  LiftOffTestProgress progress_;
  QTimer timer_;
  bool ownTimer_ = true;
  skin::GifPlayer* animation_;
};

}  // namespace option
