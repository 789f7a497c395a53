#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

// The settings image: the one fixed-layout record that the Monitor, the shared
// memory and the Configuration program all hold. It is copied only as a whole,
// byte for byte, so the layout below (padding included) is a wire format.
// Field names are the key names of the settings files.
namespace settings {

inline constexpr int kProfileCount = 5;
inline constexpr int kSlotCount = 24;
inline constexpr int kMaxMacroEvents = 500;
inline constexpr int kLightZoneCount = 4;
inline constexpr int kCpiLevelCount = 5;
inline constexpr int kDpiFlagCount = 6;
inline constexpr int kCounterCount = 13;
// Names that travel to and from the device are this long at most.
inline constexpr std::size_t kDeviceNameLength = 24;

// Macro events are "key code, action, delay after the event (ms, u16 LE)".
struct MacroEvent {
  std::uint8_t Key;     // HID keyboard usage, or 240..244 for the mouse buttons
  std::uint8_t Action;  // 1 press, 2 release
  std::uint8_t Delay[2];

  std::uint16_t delay() const { return static_cast<std::uint16_t>(Delay[0] | (Delay[1] << 8)); }
  void setDelay(std::uint16_t ms) {
    Delay[0] = static_cast<std::uint8_t>(ms & 0xFF);
    Delay[1] = static_cast<std::uint8_t>(ms >> 8);
  }
};
static_assert(sizeof(MacroEvent) == 4);

inline constexpr std::uint8_t kMacroActionPress = 1;
inline constexpr std::uint8_t kMacroActionRelease = 2;

// One light zone: colour index, on flag, red, green, blue.
struct LightZone {
  std::uint8_t ColorIndex;
  std::uint8_t OnFlag;  // 1 on; the Configuration program writes 2 for off, the device 0
  std::uint8_t Red;
  std::uint8_t Green;
  std::uint8_t Blue;
};
static_assert(sizeof(LightZone) == 5);

// Usage statistics block, stored whole as "InfoData".
struct UsageInfo {
  std::int32_t Counters[kCounterCount];     // counter k at 4k
  std::int32_t TrophyFlags[kCounterCount];  // 1 = earned
  std::int32_t LatestTrophy;                // 1..13
};
static_assert(sizeof(UsageInfo) == 108);

// One assignable button function, stored whole as "MacroKeyInfo%d".
struct ButtonSlot {
  std::uint8_t ButtonNumber;  // set from the device when a macro is read
  std::uint8_t FunctionCode;
  std::uint8_t Reserved2[6];  // bytes 4..5: signed 16-bit peer value (codes 81, 82)
  char Name1[50];
  char Name2[50];
  char Name3[50];  // macro name
  std::uint8_t Reserved158[2];
  std::int32_t MacroOption;
  std::uint16_t EventCount;  // 0..500
  MacroEvent Events[kMaxMacroEvents];
  std::uint8_t Reserved2166[2];
  std::int32_t TimerLength;  // seconds, code 49
  char TimerName[100];       // code 49
  char ProgramPath[260];     // code 15; never sent to the device

  std::int16_t peerValue() const {
    return static_cast<std::int16_t>(Reserved2[2] | (Reserved2[3] << 8));
  }
  void setPeerValue(std::int16_t v) {
    const auto u = static_cast<std::uint16_t>(v);
    Reserved2[2] = static_cast<std::uint8_t>(u & 0xFF);
    Reserved2[3] = static_cast<std::uint8_t>(u >> 8);
  }
};

// One on-device profile: settings, then the 24 button slots.
struct Profile {
  char ProFileName[250];
  char GameFile0[500];
  char GameFile1[500];
  char GameFile2[500];
  std::uint8_t Padding1750[2];
  std::int32_t DbleClickSpeed;
  std::int32_t ScrollWheelSpeed;
  std::int32_t ScrollWheelFlag;
  std::int32_t MouseSpeed;
  std::int32_t Acceleration;
  std::int32_t AccelerationFlag;
  std::int32_t MouseTrails;
  std::int32_t TiltSpeed;
  std::int32_t MediaOption;
  std::int32_t HDDKeyboard;
  std::int32_t Orientation;
  std::int32_t XYSynchronous;
  std::int32_t Sensitivity_X;
  std::int32_t Sensitivity_Y;
  std::int32_t Sensitivity;
  std::uint8_t dpi[kDpiFlagCount];
  std::uint8_t Padding1818[2];
  std::int32_t Cpi_X;
  std::int32_t Cpi_Y;
  std::uint8_t XYCpiFlag[kCpiLevelCount];
  std::uint8_t Padding1833[3];
  std::int32_t CpiLevel_X[kCpiLevelCount];
  std::int32_t CpiLevel_Y[kCpiLevelCount];
  std::int32_t PollingRate;
  std::int32_t LightOnFlag;
  std::int32_t LightEffectMode;
  std::int32_t LightColorFlow;
  std::int32_t LightEffectType;
  std::int32_t LightEffectSpeed;
  std::int32_t SoundProfile;
  std::int32_t SoundDpi;
  std::int32_t SoundSens;
  std::int32_t VolumeUpDown;
  std::int32_t SoundTrophy;
  std::int32_t SoundVolume;
  std::int32_t UseColorForAll;
  std::int32_t LtChoseType;
  std::int32_t ASnapFlag;
  std::int32_t ASnap;
  std::int32_t SAlignmentFlag;
  std::int32_t SAlignment;
  LightZone LightInfo[kLightZoneCount];
  LightZone CustomLightInfo[kLightZoneCount];
  ButtonSlot MacroKeyInfo[kSlotCount];
};

// The whole record. Allocate it on the heap (it is 307 KiB); value
// initialisation (`SettingsImage{}`, `std::make_unique<SettingsImage>()`)
// clears it.
struct SettingsImage {
  std::int32_t CurrentProfile;
  std::int32_t WindowsProfile;
  std::int32_t QuickHelpLan;
  std::int32_t LiftOnFlag;
  std::int32_t TrackControlFlag;
  std::int32_t MouseType;
  UsageInfo InfoData;
  Profile Profiles[kProfileCount];
  // Change flags: set by the Configuration program before an apply, read by
  // the Monitor when it writes to the device.
  std::int32_t SlotChanged[kProfileCount][kSlotCount];
  std::int32_t ProfileChanged[kProfileCount];
  std::int32_t CurrentProfileChanged;
  std::int32_t TrackingChanged;
  std::int32_t DisControl;
};

inline constexpr std::size_t kImageSize = 314424;
inline constexpr std::size_t kProfileSize = 62756;
inline constexpr std::size_t kSlotSize = 2532;
inline constexpr std::size_t kFirstProfileOffset = 132;
inline constexpr std::size_t kFirstSlotOffsetInProfile = 1988;
inline constexpr std::size_t kChangeFlagsBegin = 313912;
inline constexpr std::size_t kChangeFlagsEnd = 314420;  // one past the last flag byte

// ---- layout checks -------------------------------------------------------
static_assert(std::is_standard_layout_v<SettingsImage>);
static_assert(std::is_trivially_copyable_v<SettingsImage>);
static_assert(std::is_trivial_v<SettingsImage>);

static_assert(sizeof(ButtonSlot) == kSlotSize);
static_assert(offsetof(ButtonSlot, ButtonNumber) == 0);
static_assert(offsetof(ButtonSlot, FunctionCode) == 1);
static_assert(offsetof(ButtonSlot, Reserved2) == 2);
static_assert(offsetof(ButtonSlot, Name1) == 8);
static_assert(offsetof(ButtonSlot, Name2) == 58);
static_assert(offsetof(ButtonSlot, Name3) == 108);
static_assert(offsetof(ButtonSlot, Reserved158) == 158);
static_assert(offsetof(ButtonSlot, MacroOption) == 160);
static_assert(offsetof(ButtonSlot, EventCount) == 164);
static_assert(offsetof(ButtonSlot, Events) == 166);
static_assert(offsetof(ButtonSlot, Events) + sizeof(MacroEvent) * kMaxMacroEvents == 2166);
static_assert(offsetof(ButtonSlot, Reserved2166) == 2166);
static_assert(offsetof(ButtonSlot, TimerLength) == 2168);
static_assert(offsetof(ButtonSlot, TimerName) == 2172);
static_assert(offsetof(ButtonSlot, ProgramPath) == 2272);

static_assert(sizeof(Profile) == kProfileSize);
static_assert(offsetof(Profile, ProFileName) == 0);
static_assert(offsetof(Profile, GameFile0) == 250);
static_assert(offsetof(Profile, GameFile1) == 750);
static_assert(offsetof(Profile, GameFile2) == 1250);
static_assert(offsetof(Profile, Padding1750) == 1750);
static_assert(offsetof(Profile, DbleClickSpeed) == 1752);
static_assert(offsetof(Profile, ScrollWheelSpeed) == 1756);
static_assert(offsetof(Profile, ScrollWheelFlag) == 1760);
static_assert(offsetof(Profile, MouseSpeed) == 1764);
static_assert(offsetof(Profile, Acceleration) == 1768);
static_assert(offsetof(Profile, AccelerationFlag) == 1772);
static_assert(offsetof(Profile, MouseTrails) == 1776);
static_assert(offsetof(Profile, TiltSpeed) == 1780);
static_assert(offsetof(Profile, MediaOption) == 1784);
static_assert(offsetof(Profile, HDDKeyboard) == 1788);
static_assert(offsetof(Profile, Orientation) == 1792);
static_assert(offsetof(Profile, XYSynchronous) == 1796);
static_assert(offsetof(Profile, Sensitivity_X) == 1800);
static_assert(offsetof(Profile, Sensitivity_Y) == 1804);
static_assert(offsetof(Profile, Sensitivity) == 1808);
static_assert(offsetof(Profile, dpi) == 1812);
static_assert(offsetof(Profile, Padding1818) == 1818);
static_assert(offsetof(Profile, Cpi_X) == 1820);
static_assert(offsetof(Profile, Cpi_Y) == 1824);
static_assert(offsetof(Profile, XYCpiFlag) == 1828);
static_assert(offsetof(Profile, Padding1833) == 1833);
static_assert(offsetof(Profile, CpiLevel_X) == 1836);
static_assert(offsetof(Profile, CpiLevel_Y) == 1856);
static_assert(offsetof(Profile, PollingRate) == 1876);
static_assert(offsetof(Profile, LightOnFlag) == 1880);
static_assert(offsetof(Profile, LightEffectMode) == 1884);
static_assert(offsetof(Profile, LightColorFlow) == 1888);
static_assert(offsetof(Profile, LightEffectType) == 1892);
static_assert(offsetof(Profile, LightEffectSpeed) == 1896);
static_assert(offsetof(Profile, SoundProfile) == 1900);
static_assert(offsetof(Profile, SoundDpi) == 1904);
static_assert(offsetof(Profile, SoundSens) == 1908);
static_assert(offsetof(Profile, VolumeUpDown) == 1912);
static_assert(offsetof(Profile, SoundTrophy) == 1916);
static_assert(offsetof(Profile, SoundVolume) == 1920);
static_assert(offsetof(Profile, UseColorForAll) == 1924);
static_assert(offsetof(Profile, LtChoseType) == 1928);
static_assert(offsetof(Profile, ASnapFlag) == 1932);
static_assert(offsetof(Profile, ASnap) == 1936);
static_assert(offsetof(Profile, SAlignmentFlag) == 1940);
static_assert(offsetof(Profile, SAlignment) == 1944);
static_assert(offsetof(Profile, LightInfo) == 1948);
static_assert(offsetof(Profile, CustomLightInfo) == 1968);
static_assert(offsetof(Profile, MacroKeyInfo) == kFirstSlotOffsetInProfile);

static_assert(sizeof(SettingsImage) == kImageSize);
static_assert(offsetof(SettingsImage, CurrentProfile) == 0);
static_assert(offsetof(SettingsImage, WindowsProfile) == 4);
static_assert(offsetof(SettingsImage, QuickHelpLan) == 8);
static_assert(offsetof(SettingsImage, LiftOnFlag) == 12);
static_assert(offsetof(SettingsImage, TrackControlFlag) == 16);
static_assert(offsetof(SettingsImage, MouseType) == 20);
static_assert(offsetof(SettingsImage, InfoData) == 24);
static_assert(offsetof(SettingsImage, Profiles) == kFirstProfileOffset);
static_assert(kFirstProfileOffset + kProfileCount * kProfileSize == kChangeFlagsBegin,
              "profile 4's last slot ends where the change flags start");
static_assert(offsetof(SettingsImage, SlotChanged) == kChangeFlagsBegin);
static_assert(offsetof(SettingsImage, ProfileChanged) == 314392);
static_assert(offsetof(SettingsImage, CurrentProfileChanged) == 314412);
static_assert(offsetof(SettingsImage, TrackingChanged) == 314416);
static_assert(offsetof(SettingsImage, DisControl) == kChangeFlagsEnd);
static_assert(offsetof(SettingsImage, DisControl) == 314420);

// ---- addressing ----------------------------------------------------------

inline constexpr bool isValidProfile(int p) { return p >= 0 && p < kProfileCount; }
inline constexpr bool isValidSlot(int b) { return b >= 0 && b < kSlotCount; }

// Offset of the slot of profile p, slot b (0-based) from the start of the image.
inline constexpr std::size_t slotOffset(int p, int b) {
  return kFirstProfileOffset + static_cast<std::size_t>(p) * kProfileSize +
         kFirstSlotOffsetInProfile + static_cast<std::size_t>(b) * kSlotSize;
}
static_assert(slotOffset(4, 23) + kSlotSize == kChangeFlagsBegin);

inline constexpr std::size_t profileOffset(int p) {
  return kFirstProfileOffset + static_cast<std::size_t>(p) * kProfileSize;
}

// Device events number buttons 1..24; -1 when the number is out of range.
inline constexpr int slotFromButtonNumber(int number) {
  return number >= 1 && number <= kSlotCount ? number - 1 : -1;
}

// The slot, or nullptr when profile or slot is out of range.
inline ButtonSlot* findSlot(SettingsImage& image, int p, int b) {
  return isValidProfile(p) && isValidSlot(b) ? &image.Profiles[p].MacroKeyInfo[b] : nullptr;
}
inline const ButtonSlot* findSlot(const SettingsImage& image, int p, int b) {
  return isValidProfile(p) && isValidSlot(b) ? &image.Profiles[p].MacroKeyInfo[b] : nullptr;
}
// The slot a device event's button number (1..24) names; nullptr when invalid.
inline ButtonSlot* findSlotForButton(SettingsImage& image, int p, int buttonNumber) {
  return findSlot(image, p, slotFromButtonNumber(buttonNumber));
}

// ---- change flags --------------------------------------------------------

// Clears every change flag (bytes 313912..314419); DisControl is kept.
void clearChangeFlags(SettingsImage& image);
bool anyChangeFlag(const SettingsImage& image);
void markSlotChanged(SettingsImage& image, int p, int b);
void markProfileChanged(SettingsImage& image, int p);

// ---- text fields ---------------------------------------------------------

// The text of a fixed NUL-terminated field (stops at the field's end when the
// NUL is missing).
template <std::size_t N>
std::string_view fieldText(const char (&field)[N]) {
  const void* nul = std::memchr(field, 0, N);
  return {field, nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : N};
}

// Stores text into a fixed field, cut to N-1 characters, rest of the field
// cleared.
void setFieldText(char* field, std::size_t fieldSize, std::string_view text);
template <std::size_t N>
void setFieldText(char (&field)[N], std::string_view text) {
  setFieldText(field, N, text);
}

// A name that came from the device: at most 24 characters (stops at a NUL),
// trailing blanks removed.
std::string_view deviceNameText(std::string_view raw);
template <std::size_t N>
void setDeviceName(char (&field)[N], std::string_view raw) {
  static_assert(N > kDeviceNameLength);
  setFieldText(field, N, deviceNameText(raw));
}

}  // namespace settings
