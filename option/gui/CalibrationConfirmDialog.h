#pragma once

#include <QTimer>

#include "option/CountdownConfirmation.h"
#include "skin/SkinDialog.h"

namespace skin {
class SkinButton;
class SkinProgressBar;
}  // namespace skin

namespace option {

// Keep the new calibration? Accept within 15 seconds keeps it; the time
// running out, Cancel or Exit refuse. The seconds left are drawn as text
// and shown by the bar.
class CalibrationConfirmDialog : public skin::SkinDialog {
  Q_OBJECT
 public:
  explicit CalibrationConfirmDialog(QWidget* parent = nullptr);

  // True when the user pressed Accept in time.
  static bool ask(QWidget* parent);

  const CountdownConfirmation& countdown() const { return countdown_; }
  skin::SkinProgressBar* bar() const { return bar_; }
  skin::SkinButton* acceptButton() const { return accept_; }
  skin::SkinButton* cancelButton() const { return cancel_; }
  skin::SkinButton* exitButton() const { return exit_; }
  // One second of the countdown (what the timer does each second).
  void tick();

 public slots:
  void done(int result) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  CountdownConfirmation countdown_{CountdownConfirmation::kCalibrationSeconds};
  QTimer timer_;
  skin::SkinProgressBar* bar_;
  skin::SkinButton* accept_;
  skin::SkinButton* cancel_;
  skin::SkinButton* exit_;
};

}  // namespace option
