#pragma once

#include <QImage>
#include <array>
#include <functional>

#include "option/CalibrationWizard.h"
#include "skin/SkinDialog.h"

namespace skin {
class GifPlayer;
class SkinButton;
}  // namespace skin

namespace option {

class CalibrationPanel;

// The sensor calibration wizard on screen: its four panels, the lit step
// indicator and the sensor picture, over the Qt-free CalibrationWizard.
// Ends Accepted by Continue, Rejected by Cancel, Exit or Escape.
class CalibrationWizardDialog : public skin::SkinDialog {
  Q_OBJECT
 public:
  using Post = std::function<void(platform::UINT msg, platform::LPARAM lParam)>;
  // `post` reaches the Monitor; by default its window is looked up by title
  // for every message and nothing is sent when it is missing.
  explicit CalibrationWizardDialog(QWidget* parent = nullptr, Post post = {});
  ~CalibrationWizardDialog() override;

  // Runs the wizard modally; true when it ended with Continue.
  static bool run(QWidget* parent);

  CalibrationWizard& wizard() { return wizard_; }
  CalibrationPanel* panel(CalibrationWizard::Panel which) const {
    return panels_[static_cast<std::size_t>(which)];
  }
  skin::SkinButton* startButton() const { return start_; }
  skin::SkinButton* retryButton() const { return retry_; }
  skin::SkinButton* continueButton() const { return continue_; }
  skin::SkinButton* cancelButton() const { return cancel_; }
  skin::SkinButton* exitButton() const { return exit_; }
  const QImage& sensorPicture() const { return picture_; }

 public slots:
  void done(int result) override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void showPanel();
  void reloadPicture();

  CalibrationWizard wizard_;
  std::array<CalibrationPanel*, 4> panels_{};
  skin::GifPlayer* progress_ = nullptr;
  skin::SkinButton* start_ = nullptr;
  skin::SkinButton* retry_ = nullptr;
  skin::SkinButton* continue_ = nullptr;
  skin::SkinButton* cancel_ = nullptr;
  skin::SkinButton* exit_ = nullptr;
  QImage stepStart_;
  QImage stepRunning_;
  QImage picture_;
};

}  // namespace option
