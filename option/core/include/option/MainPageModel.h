#pragma once

#include <array>
#include <functional>

#include "option/DpiLevelRowModel.h"
#include "platform/Types.h"
#include "settings/SettingsImage.h"

namespace platform {
class DesktopMouse;
}

// The Main page: sensitivity, wheel and tilt speed, page mode, the Windows
// double-click time and the five DPI levels of the profile being shown.
// Everything the user changes goes straight into that profile of the working
// image; the double-click time also reaches the desktop at once. Loading
// shows out-of-range values as the nearest valid one and writes nothing.
namespace option {

class MainPageModel {
 public:
  // Control ids as the page's controls report them.
  enum Id {
    kSensitivitySlider = 300,
    kScrollSlider = 301,
    kTiltSlider = 302,
    kDoubleClickSlider = 303,
    kSensitivitySpin = 400,
    kFirstRow = 500,
  };
  static constexpr platform::UINT kDpiRowMsg = platform::WM_USER + 93;  // 1117
  static constexpr int kRowCount = settings::kCpiLevelCount;

  // What the controls show.
  struct View {
    int sensitivity = 6;      // 1..11
    int scrollSpeed = 1;      // 1..10
    int tiltSpeed = 1;        // 1..10
    int doubleClick = 7;      // slider position 1..11
    int sensitivitySpin = 0;  // -5..5
    int pageMode = 0;         // 0 not one page, 1 one page
    int currentRow = 0;       // 0..4
  };

  // `profile` names the profile being shown (0..4) at the time of each call.
  MainPageModel(settings::SettingsImage& working, std::function<int()> profile,
                platform::DesktopMouse& desktop);

  void load();
  const View& view() const { return view_; }
  const DpiLevelRowModel& row(int index) const { return rows_.at(static_cast<std::size_t>(index)); }
  DpiLevelRowModel& row(int index) { return rows_.at(static_cast<std::size_t>(index)); }

  void sliderValue(int value, int id);
  void spinValue(int value, int id);
  void pageModeClicked(int mode);
  // Message 1117: code in the high word of wParam, value in the low word,
  // lParam the row id 500..504 (others are ignored).
  void dpiRowMessage(platform::WPARAM wParam, platform::LPARAM lParam);

 private:
  settings::Profile& profile();
  void markCurrent(int row);

  settings::SettingsImage& working_;
  std::function<int()> profileIndex_;
  platform::DesktopMouse& desktop_;
  View view_;
  std::array<DpiLevelRowModel, kRowCount> rows_;
};

}  // namespace option
