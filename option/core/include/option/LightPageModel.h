#pragma once

#include <array>
#include <functional>

#include "option/LightPalette.h"
#include "settings/SettingsImage.h"

// The Color page: the colour and on/off state of the four light zones, the
// effect, its flow direction and speed, and the "for all zones" switch of
// the profile being shown. Every change goes straight into that profile of
// the working image; the ones the colour indicators show are announced.
namespace option {

class LightPageModel {
 public:
  static constexpr int kSpeedSlider = 8;
  static constexpr int kZoneCount = settings::kLightZoneCount;

  struct View {
    std::array<Rgb, kZoneCount> preview{};  // black while a zone is dark
    int zone = 0;                           // the zone being edited
    int swatch = -1;                        // its colour index, -1 outside the palette
    bool switchVisible = true;              // "Turn light on/off", hidden for effect 0
    bool switchOn = false;
    bool forAll = false;
    int mode = -1;    // 0..2, -1 none
    int flow = -1;    // 0..5, -1 none
    int effect = -1;  // 0..4, -1 none
    int speed = 1;    // 1..3
  };

  // `profile` names the profile being shown (0..4) at the time of each call;
  // `lightChanged` tells the main window its colour indicators changed.
  LightPageModel(settings::SettingsImage& working, std::function<int()> profile,
                 std::function<void()> lightChanged);

  void load();
  const View& view() const { return view_; }

  void swatchClicked(int index);
  void lightSwitchClicked(bool on);
  void forAllClicked(bool on);
  void modeClicked(int mode);
  void flowClicked(int flow);
  void effectClicked(int effect);
  void sliderValue(int value, int id);
  // The preview picked a zone; anything outside 0..3 changes nothing.
  void zoneSelected(int zone);

  // The zone whose dot (grown by one pixel) holds the point of the preview,
  // the first in the order 0..3; -1 for none.
  static int zoneAt(int x, int y);
  // The dot of a zone in preview pixels: left, top, right, bottom (inclusive
  // of left/top, exclusive of right/bottom, as the preview draws it).
  struct Dot {
    int left, top, right, bottom;
  };
  static Dot zoneDot(int zone);

 private:
  settings::Profile& profile();

  settings::SettingsImage& working_;
  std::function<int()> profileIndex_;
  std::function<void()> lightChanged_;
  View view_;
};

}  // namespace option
