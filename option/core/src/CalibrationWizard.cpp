#include "option/CalibrationWizard.h"

#include "platform/Window.h"

namespace option {

static_assert(CalibrationWizard::kCaptureMsg == 1229);
static_assert(CalibrationWizard::kCalibrationMsg == 1231);
static_assert(CalibrationWizard::kPictureStoredMsg == 1260);
static_assert(CalibrationWizard::kOutcomeMsg == 1261);

CalibrationWizard::CalibrationWizard(Ports ports) : ports_(std::move(ports)) {}

CalibrationWizard::~CalibrationWizard() {
  if (window_ == platform::kNoWindow) return;
  stopSampling();
  const platform::HWND window = window_;
  window_ = platform::kNoWindow;
  platform::DestroyWindow(window);
}

bool CalibrationWizard::open() {
  if (window_ != platform::kNoWindow) return true;
  window_ = platform::CreateWindow(
      kTitle, [this](platform::HWND, platform::UINT msg, platform::WPARAM wParam,
                     platform::LPARAM lParam) { return handle(msg, wParam, lParam); });
  return window_ != platform::kNoWindow;
}

CalibrationWizard::Panel CalibrationWizard::panel() const {
  if (step_ == 0) return Panel::Start;
  if (step_ == 2) return Panel::Success;
  return result_ == 2 ? Panel::Retry : Panel::Progress;
}

void CalibrationWizard::notify() const {
  if (ports_.changed) ports_.changed();
}

void CalibrationWizard::start() {
  if (ending_ != Ending::Open || step_ != 0) return;
  countdown_ = kFurtherSamples;
  ports_.postToMonitor(kCaptureMsg, 0);
  sampling_ =
      window_ != platform::kNoWindow && platform::SetTimer(window_, kSamplingTimer, kSamplingMs);
  step_ = 1;
  result_ = 0;
  notify();
}

void CalibrationWizard::tick() {
  if (!sampling_) return;
  if (countdown_-- == 0) {
    countdown_ = 0;
    stopSampling();
    ports_.postToMonitor(kCalibrationMsg, kRunCalibration);
  } else {
    ports_.postToMonitor(kCaptureMsg, 0);
  }
}

void CalibrationWizard::stopSampling() {
  if (!sampling_) return;
  sampling_ = false;
  platform::KillTimer(window_, kSamplingTimer);
}

void CalibrationWizard::retry() {
  // Only from the retry panel: the pictures taken stay, only the run repeats.
  if (ending_ != Ending::Open || panel() != Panel::Retry) return;
  ports_.postToMonitor(kCalibrationMsg, kRunCalibration);
  result_ = 0;
  notify();
}

void CalibrationWizard::finish() {
  if (ending_ == Ending::Open && panel() == Panel::Success) end(Ending::Ok);
}

void CalibrationWizard::cancel() {
  if (ending_ == Ending::Open) end(Ending::Cancelled);
}

void CalibrationWizard::end(Ending ending) {
  stopSampling();
  ending_ = ending;
  if (ports_.ended) ports_.ended(ending);
}

platform::LRESULT CalibrationWizard::handle(platform::UINT msg, platform::WPARAM wParam,
                                            platform::LPARAM lParam) {
  if (msg == platform::WM_TIMER) {
    if (wParam == kSamplingTimer) tick();
    return 0;
  }
  if (ending_ != Ending::Open) return 0;
  if (msg == platform::WM_CLOSE) {
    cancel();
    return 0;
  }
  if (msg == kPictureStoredMsg) {
    if (ports_.pictureChanged) ports_.pictureChanged();
    return 0;
  }
  if (msg == kOutcomeMsg) {
    // Nothing was asked before Start: an outcome then is a stray one.
    if (step_ == 0) return 0;
    if (lParam == kOutcomeSucceeded) {
      step_ = 2;
      result_ = 1;
    } else {
      step_ = 1;
      result_ = 2;
    }
    notify();
    return 0;
  }
  return platform::DefWindowProc(window_, msg, wParam, lParam);
}

}  // namespace option
