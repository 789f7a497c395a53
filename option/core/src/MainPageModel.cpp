#include "option/MainPageModel.h"

#include <algorithm>

#include "option/DoubleClickTable.h"
#include "platform/DesktopMouse.h"

namespace option {
namespace {

DpiLevelRowModel::Post rowPoster(MainPageModel* page, int index) {
  return [page, index](int code, int value) {
    const auto wParam =
        platform::MAKEWPARAM(static_cast<unsigned>(value) & 0xFFFFu, static_cast<unsigned>(code));
    page->dpiRowMessage(wParam, MainPageModel::kFirstRow + index);
  };
}

}  // namespace

MainPageModel::MainPageModel(settings::SettingsImage& working, std::function<int()> profile,
                             platform::DesktopMouse& desktop)
    : working_(working),
      profileIndex_(std::move(profile)),
      desktop_(desktop),
      rows_{DpiLevelRowModel(rowPoster(this, 0)), DpiLevelRowModel(rowPoster(this, 1)),
            DpiLevelRowModel(rowPoster(this, 2)), DpiLevelRowModel(rowPoster(this, 3)),
            DpiLevelRowModel(rowPoster(this, 4))} {}

settings::Profile& MainPageModel::profile() {
  return working_.Profiles[std::clamp(profileIndex_(), 0, settings::kProfileCount - 1)];
}

void MainPageModel::load() {
  const settings::Profile& p = profile();
  view_.sensitivity = std::clamp(p.Sensitivity, 1, 11);
  view_.scrollSpeed = std::clamp(p.ScrollWheelSpeed, 1, 10);
  view_.tiltSpeed = std::clamp(p.TiltSpeed, 1, 10);
  view_.doubleClick = doubleClickPositionFromMs(p.DbleClickSpeed);
  view_.sensitivitySpin = view_.sensitivity - 6;
  view_.pageMode = p.ScrollWheelFlag != 0 ? 1 : 0;
  for (int i = 0; i < kRowCount; ++i)
    rows_[static_cast<std::size_t>(i)].load(p.CpiLevel_X[i], p.CpiLevel_Y[i], p.dpi[i] != 0,
                                            p.XYCpiFlag[i] != 0);
  markCurrent(std::clamp(p.Cpi_X, 0, kRowCount - 1));
}

void MainPageModel::markCurrent(int row) {
  view_.currentRow = row;
  for (int i = 0; i < kRowCount; ++i) rows_[static_cast<std::size_t>(i)].setCurrent(i == row);
}

void MainPageModel::sliderValue(int value, int id) {
  settings::Profile& p = profile();
  switch (id) {
    case kSensitivitySlider:
      value = std::clamp(value, 1, 11);
      if (value != p.Sensitivity) {
        p.Sensitivity = value;
        view_.sensitivity = value;
        view_.sensitivitySpin = value - 6;
      }
      break;
    case kScrollSlider:
      p.ScrollWheelSpeed = view_.scrollSpeed = std::clamp(value, 1, 10);
      break;
    case kTiltSlider:
      p.TiltSpeed = view_.tiltSpeed = std::clamp(value, 1, 10);
      break;
    case kDoubleClickSlider: {
      view_.doubleClick = std::clamp(value, 1, 11);
      const int ms = doubleClickMsFromPosition(view_.doubleClick);
      p.DbleClickSpeed = ms;
      desktop_.setDoubleClickTime(ms);
      break;
    }
    default:
      break;
  }
}

void MainPageModel::spinValue(int value, int id) {
  if (id != kSensitivitySpin) return;
  value = std::clamp(value, -5, 5);
  // The field echoes what the page put into it; only a different number is
  // the user's.
  if (value == view_.sensitivitySpin) return;
  settings::Profile& p = profile();
  if (value + 6 != p.Sensitivity) {
    p.Sensitivity = value + 6;
    view_.sensitivity = value + 6;
  }
  view_.sensitivitySpin = value;
}

void MainPageModel::pageModeClicked(int mode) {
  view_.pageMode = mode != 0 ? 1 : 0;
  profile().ScrollWheelFlag = view_.pageMode;
}

void MainPageModel::dpiRowMessage(platform::WPARAM wParam, platform::LPARAM lParam) {
  const long long row = static_cast<long long>(lParam) - kFirstRow;
  if (row < 0 || row >= kRowCount) return;
  const int i = static_cast<int>(row);
  const int code = static_cast<int>(platform::HIWORD(wParam));
  const int value = static_cast<int>(platform::LOWORD(wParam));
  settings::Profile& p = profile();
  switch (code) {
    case DpiLevelRowModel::kEnabled:
      p.dpi[i] = static_cast<std::uint8_t>(value & 0xFF);
      break;
    case DpiLevelRowModel::kX:
      p.CpiLevel_X[i] = value;
      break;
    case DpiLevelRowModel::kBarClicked:
      p.Cpi_X = i;
      markCurrent(i);
      break;
    case DpiLevelRowModel::kY:
      p.CpiLevel_Y[i] = value;
      break;
    case DpiLevelRowModel::kLinked:
      p.XYCpiFlag[i] = static_cast<std::uint8_t>(value & 0xFF);
      break;
    default:
      break;
  }
}

}  // namespace option
