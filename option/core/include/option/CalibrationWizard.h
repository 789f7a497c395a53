#pragma once

#include <cstdint>
#include <functional>

#include "platform/Types.h"

// The sensor calibration wizard's logic. It owns the titled message window
// through which the Monitor announces each new sensor picture (1260) and the
// outcome of a run (1261), and drives the Monitor with posted messages: five
// picture requests (1229) two seconds apart, then the run (1231 with 1).
// A dialog shows its panels and forwards the user's clicks.
namespace option {

class CalibrationWizard {
 public:
  // The Monitor finds the wizard by this title.
  static constexpr const char* kTitle = "Vesk ORB Optical SFCCalibrateDlg";
  static constexpr platform::UINT kCaptureMsg = platform::WM_USER + 205;        // 1229
  static constexpr platform::UINT kCalibrationMsg = platform::WM_USER + 207;    // 1231
  static constexpr platform::UINT kPictureStoredMsg = platform::WM_USER + 236;  // 1260
  static constexpr platform::UINT kOutcomeMsg = platform::WM_USER + 237;        // 1261
  static constexpr platform::LPARAM kRunCalibration = 1;
  static constexpr platform::LPARAM kOutcomeSucceeded = 1;
  static constexpr std::uintptr_t kSamplingTimer = 600;
  static constexpr platform::UINT kSamplingMs = 2000;
  // Picture requests after the first one.
  static constexpr int kFurtherSamples = 4;
  // The picture the Monitor writes, under the program folder.
  static constexpr const char* kPictureFile = "Wave\\sensorImage.bmp";

  enum class Panel { Start, Progress, Retry, Success };
  enum class Ending { Open, Ok, Cancelled };

  struct Ports {
    // Posts to the Monitor's window when it exists (found anew each time).
    std::function<void(platform::UINT msg, platform::LPARAM lParam)> postToMonitor;
    // A new sensor picture was stored: reload it and redraw.
    std::function<void()> pictureChanged;
    // The panel or step changed.
    std::function<void()> changed;
    // The wizard ended (OK by Continue, cancelled by Cancel or Exit).
    std::function<void(Ending)> ended;
  };

  explicit CalibrationWizard(Ports ports);
  // Stops the sampling timer and removes the window.
  ~CalibrationWizard();
  CalibrationWizard(const CalibrationWizard&) = delete;
  CalibrationWizard& operator=(const CalibrationWizard&) = delete;

  // Creates the titled window on the calling thread (whose message loop then
  // delivers the Monitor's answers and the timer); false when it could not.
  bool open();
  platform::HWND window() const { return window_; }

  // 0 = start, 1 = in progress or failed, 2 = succeeded.
  int step() const { return step_; }
  // 0 = none yet, 1 = success, 2 = failure.
  int result() const { return result_; }
  Panel panel() const;
  Ending ending() const { return ending_; }
  // Picture requests still to send.
  int countdown() const { return countdown_; }
  bool sampling() const { return sampling_; }

  // The buttons of the panels and the wizard.
  void start();
  void retry();
  void finish();
  void cancel();

  platform::LRESULT handle(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam);

 private:
  void tick();
  void stopSampling();
  void end(Ending ending);
  void notify() const;

  Ports ports_;
  platform::HWND window_ = platform::kNoWindow;
  int step_ = 0;
  int result_ = 0;
  int countdown_ = 0;
  bool sampling_ = false;
  Ending ending_ = Ending::Open;
};

}  // namespace option
