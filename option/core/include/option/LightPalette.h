#pragma once

#include <cstdint>

#include "settings/SettingsImage.h"

// The 33 colours of the lighting: what the mouse is sent for each colour
// index, and how the colour looks on the screen.
namespace option {

struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr int kPaletteSize = 33;

Rgb deviceColor(int index);  // black outside 0..32
Rgb screenColor(int index);  // black outside 0..32

// How a zone of a profile looks in the colour indicators: black while the
// profile's light is off or the zone is not on; the screen colour of its
// index, or its own bytes when the index is outside the palette.
Rgb zoneScreenColor(const settings::Profile& profile, int zone);

}  // namespace option
