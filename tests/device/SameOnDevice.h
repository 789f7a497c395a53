#pragma once

#include <gtest/gtest.h>

#include "device/ReportCodec.h"
#include "settings/FunctionCodes.h"
#include "settings/SettingsImage.h"

// What a full write to the mouse carries of two images is the same: the
// current profile, every profile's settings and buttons, and the macros of its
// macro slots.
inline void expectSameOnDevice(const settings::SettingsImage& a, const settings::SettingsImage& b) {
  namespace codec = device::codec;
  constexpr auto kMacro = static_cast<std::uint8_t>(settings::FunctionCode::Macro);
  EXPECT_EQ(a.CurrentProfile, b.CurrentProfile);
  for (int p = 0; p < settings::kProfileCount; ++p) {
    EXPECT_EQ(codec::encodeProfileSettings(a.Profiles[p], p),
              codec::encodeProfileSettings(b.Profiles[p], p))
        << "profile " << p;
    EXPECT_EQ(codec::encodeButtons(a.Profiles[p], p), codec::encodeButtons(b.Profiles[p], p))
        << "buttons " << p;
    for (int s = 0; s < settings::kSlotCount; ++s) {
      if (a.Profiles[p].MacroKeyInfo[s].FunctionCode != kMacro) continue;
      EXPECT_EQ(codec::encodeMacro(a.Profiles[p].MacroKeyInfo[s], p, s),
                codec::encodeMacro(b.Profiles[p].MacroKeyInfo[s], p, s))
          << "macro " << p << "/" << s;
    }
  }
}
