#include "settings/FieldTable.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

#include "settings/IniValue.h"

namespace settings {

namespace {

FieldInfo field(std::string name, FieldScope scope, FieldType type, std::size_t offset,
                std::size_t size, std::int32_t readDefault = -1) {
  return FieldInfo{std::move(name), scope, type, offset, size, readDefault};
}

std::string indexed(std::string_view stem, int i) { return std::string(stem) + std::to_string(i); }

std::vector<FieldInfo> makeGlobalFields() {
  constexpr auto G = FieldScope::Global;
  constexpr auto I = FieldType::Int;
  return {
      field("CurrentProfile", G, I, offsetof(SettingsImage, CurrentProfile), 4),
      field("WindowsProfile", G, I, offsetof(SettingsImage, WindowsProfile), 4),
      field("QuickHelpLan", G, I, offsetof(SettingsImage, QuickHelpLan), 4),
      field("MouseType", G, I, offsetof(SettingsImage, MouseType), 4),
      field("LiftOnFlag", G, I, offsetof(SettingsImage, LiftOnFlag), 4),
      field("TrackControlFlag", G, I, offsetof(SettingsImage, TrackControlFlag), 4),
      field("DisControl", G, I, offsetof(SettingsImage, DisControl), 4),
      field("InfoData", G, FieldType::Struct, offsetof(SettingsImage, InfoData), sizeof(UsageInfo)),
  };
}

std::vector<FieldInfo> makeProfileFields() {
  constexpr auto P = FieldScope::Profile;
  constexpr auto I = FieldType::Int;
  constexpr auto B = FieldType::Byte;
  constexpr auto T = FieldType::Text;
  constexpr auto S = FieldType::Struct;
  std::vector<FieldInfo> f;
  auto integer = [&](const char* name, std::size_t offset, std::int32_t def = -1) {
    f.push_back(field(name, P, I, offset, 4, def));
  };
  f.push_back(field("ProFileName", P, T, offsetof(Profile, ProFileName), 250));
  f.push_back(field("GameFile0", P, T, offsetof(Profile, GameFile0), 500));
  f.push_back(field("GameFile1", P, T, offsetof(Profile, GameFile1), 500));
  f.push_back(field("GameFile2", P, T, offsetof(Profile, GameFile2), 500));
  integer("DbleClickSpeed", offsetof(Profile, DbleClickSpeed));
  integer("ScrollWheelSpeed", offsetof(Profile, ScrollWheelSpeed));
  integer("ScrollWheelFlag", offsetof(Profile, ScrollWheelFlag));
  integer("MouseSpeed", offsetof(Profile, MouseSpeed));
  integer("Acceleration", offsetof(Profile, Acceleration));
  integer("AccelerationFlag", offsetof(Profile, AccelerationFlag));
  integer("MouseTrails", offsetof(Profile, MouseTrails));
  integer("TiltSpeed", offsetof(Profile, TiltSpeed));
  integer("MediaOption", offsetof(Profile, MediaOption));
  integer("HDDKeyboard", offsetof(Profile, HDDKeyboard));
  integer("Orientation", offsetof(Profile, Orientation));
  integer("XYSynchronous", offsetof(Profile, XYSynchronous));
  integer("Sensitivity_X", offsetof(Profile, Sensitivity_X));
  integer("Sensitivity_Y", offsetof(Profile, Sensitivity_Y));
  integer("Sensitivity", offsetof(Profile, Sensitivity));
  for (int i = 0; i < kDpiFlagCount; ++i)
    f.push_back(field(indexed("dpi", i), P, B, offsetof(Profile, dpi) + i, 1));
  integer("Cpi_X", offsetof(Profile, Cpi_X));
  integer("Cpi_Y", offsetof(Profile, Cpi_Y));
  for (int i = 0; i < kCpiLevelCount; ++i)
    f.push_back(field(indexed("XYCpiFlag", i), P, B, offsetof(Profile, XYCpiFlag) + i, 1));
  for (int i = 0; i < kCpiLevelCount; ++i)
    integer(indexed("CpiLevel_X", i).c_str(), offsetof(Profile, CpiLevel_X) + 4 * i);
  for (int i = 0; i < kCpiLevelCount; ++i)
    integer(indexed("CpiLevel_Y", i).c_str(), offsetof(Profile, CpiLevel_Y) + 4 * i);
  integer("PollingRate", offsetof(Profile, PollingRate));
  integer("LightOnFlag", offsetof(Profile, LightOnFlag));
  integer("LightEffectMode", offsetof(Profile, LightEffectMode));
  integer("LightColorFlow", offsetof(Profile, LightColorFlow));
  integer("LightEffectType", offsetof(Profile, LightEffectType));
  integer("LightEffectSpeed", offsetof(Profile, LightEffectSpeed));
  integer("SoundProfile", offsetof(Profile, SoundProfile));
  integer("SoundDpi", offsetof(Profile, SoundDpi));
  integer("SoundSens", offsetof(Profile, SoundSens));
  integer("VolumeUpDown", offsetof(Profile, VolumeUpDown));
  integer("SoundTrophy", offsetof(Profile, SoundTrophy));
  integer("SoundVolume", offsetof(Profile, SoundVolume));
  integer("UseColorForAll", offsetof(Profile, UseColorForAll), 0);
  integer("LtChoseType", offsetof(Profile, LtChoseType), 0);
  integer("ASnapFlag", offsetof(Profile, ASnapFlag));
  integer("ASnap", offsetof(Profile, ASnap));
  integer("SAlignmentFlag", offsetof(Profile, SAlignmentFlag));
  integer("SAlignment", offsetof(Profile, SAlignment));
  for (int i = 0; i < kLightZoneCount; ++i)
    f.push_back(field(indexed("LightInfo", i), P, S, offsetof(Profile, LightInfo) + 5 * i, 5));
  for (int i = 0; i < kLightZoneCount; ++i)
    f.push_back(
        field(indexed("CustomLightInfo", i), P, S, offsetof(Profile, CustomLightInfo) + 5 * i, 5));
  for (int i = 0; i < kSlotCount; ++i)
    f.push_back(field(indexed("MacroKeyInfo", i), P, S,
                      offsetof(Profile, MacroKeyInfo) + kSlotSize * i, kSlotSize));
  return f;
}

std::vector<FieldInfo> makeSlotFields() {
  constexpr auto S = FieldScope::Slot;
  return {
      field("ButtonNumber", S, FieldType::Byte, offsetof(ButtonSlot, ButtonNumber), 1),
      field("FunctionCode", S, FieldType::Byte, offsetof(ButtonSlot, FunctionCode), 1),
      field("PeerValue", S, FieldType::Int16, offsetof(ButtonSlot, Reserved2) + 2, 2),
      field("Name1", S, FieldType::Text, offsetof(ButtonSlot, Name1), 50),
      field("Name2", S, FieldType::Text, offsetof(ButtonSlot, Name2), 50),
      field("Name3", S, FieldType::Text, offsetof(ButtonSlot, Name3), 50),
      field("MacroOption", S, FieldType::Int, offsetof(ButtonSlot, MacroOption), 4),
      field("EventCount", S, FieldType::UInt16, offsetof(ButtonSlot, EventCount), 2),
      field("Events", S, FieldType::Struct, offsetof(ButtonSlot, Events),
            sizeof(MacroEvent) * kMaxMacroEvents),
      field("TimerLength", S, FieldType::Int, offsetof(ButtonSlot, TimerLength), 4),
      field("TimerName", S, FieldType::Text, offsetof(ButtonSlot, TimerName), 100),
      field("ProgramPath", S, FieldType::Text, offsetof(ButtonSlot, ProgramPath), 260),
  };
}

const std::vector<FieldInfo>& globalTable() {
  static const std::vector<FieldInfo> table = makeGlobalFields();
  return table;
}
const std::vector<FieldInfo>& profileTable() {
  static const std::vector<FieldInfo> table = makeProfileFields();
  return table;
}
const std::vector<FieldInfo>& slotTable() {
  static const std::vector<FieldInfo> table = makeSlotFields();
  return table;
}

bool sameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto low = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
           return low(x) == low(y);
         });
}

std::size_t scopeBase(const FieldInfo& f, int p, int b, bool& valid) {
  valid = true;
  switch (f.scope) {
    case FieldScope::Global:
      return 0;
    case FieldScope::Profile:
      valid = isValidProfile(p);
      return valid ? profileOffset(p) : 0;
    case FieldScope::Slot:
      valid = isValidProfile(p) && isValidSlot(b);
      return valid ? slotOffset(p, b) : 0;
  }
  valid = false;
  return 0;
}

}  // namespace

std::span<const FieldInfo> globalFields() { return globalTable(); }
std::span<const FieldInfo> profileFields() { return profileTable(); }
std::span<const FieldInfo> slotFields() { return slotTable(); }

const FieldInfo* findField(std::string_view name) {
  for (const auto* table : {&globalTable(), &profileTable(), &slotTable()})
    for (const FieldInfo& f : *table)
      if (sameName(f.name, name)) return &f;
  return nullptr;
}

unsigned char* fieldAddress(SettingsImage& image, const FieldInfo& field, int p, int b) {
  bool valid = false;
  const std::size_t base = scopeBase(field, p, b, valid);
  return valid ? reinterpret_cast<unsigned char*>(&image) + base + field.offset : nullptr;
}

const unsigned char* fieldAddress(const SettingsImage& image, const FieldInfo& field, int p,
                                  int b) {
  return fieldAddress(const_cast<SettingsImage&>(image), field, p, b);
}

bool isIntegerType(FieldType type) {
  return type == FieldType::Int || type == FieldType::Byte || type == FieldType::UInt16 ||
         type == FieldType::Int16;
}

std::int64_t fieldInteger(const unsigned char* at, FieldType type) {
  switch (type) {
    case FieldType::Int: {
      std::int32_t v;
      std::memcpy(&v, at, 4);
      return v;
    }
    case FieldType::Byte:
      return at[0];
    case FieldType::UInt16:
      return static_cast<std::uint16_t>(at[0] | at[1] << 8);
    case FieldType::Int16:
      return static_cast<std::int16_t>(at[0] | at[1] << 8);
    default:
      return 0;
  }
}

void setFieldInteger(unsigned char* at, FieldType type, std::int64_t value) {
  switch (type) {
    case FieldType::Int: {
      const auto v = static_cast<std::int32_t>(value);
      std::memcpy(at, &v, 4);
      break;
    }
    case FieldType::Byte:
      at[0] = static_cast<unsigned char>(value);
      break;
    case FieldType::UInt16:
    case FieldType::Int16:
      at[0] = static_cast<unsigned char>(value & 0xFF);
      at[1] = static_cast<unsigned char>((value >> 8) & 0xFF);
      break;
    default:
      break;
  }
}

std::string fieldValueText(const unsigned char* at, const FieldInfo& field) {
  if (isIntegerType(field.type)) return std::to_string(fieldInteger(at, field.type));
  if (field.type == FieldType::Text) {
    const char* text = reinterpret_cast<const char*>(at);
    const void* nul = std::memchr(text, 0, field.size);
    return std::string(text, nul ? static_cast<const char*>(nul) - text : field.size);
  }
  std::string hex = encodeStruct(at, field.size);
  hex.resize(2 * field.size);  // without the checksum byte
  return hex;
}

bool setFieldValueText(unsigned char* at, const FieldInfo& field, std::string_view text,
                       std::string& error) {
  if (isIntegerType(field.type)) {
    std::int64_t v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc{} || end != text.data() + text.size()) {
      error = "'" + std::string(text) + "' is not a whole number";
      return false;
    }
    std::int64_t lo = INT32_MIN, hi = INT32_MAX;
    if (field.type == FieldType::Byte) lo = 0, hi = 255;
    if (field.type == FieldType::UInt16) lo = 0, hi = 65535;
    if (field.type == FieldType::Int16) lo = -32768, hi = 32767;
    if (v < lo || v > hi) {
      error = field.name + " takes " + std::to_string(lo) + ".." + std::to_string(hi);
      return false;
    }
    setFieldInteger(at, field.type, v);
    return true;
  }
  if (field.type == FieldType::Text) {
    setFieldText(reinterpret_cast<char*>(at), field.size, text);
    return true;
  }
  // Struct: hex of exactly the field's size (the checksum is added here).
  std::string withSum(text);
  if (withSum.size() == 2 * field.size) {
    std::string bytes(field.size, '\0');
    for (std::size_t i = 0; i < field.size; ++i) {
      unsigned v = 0;
      const auto [end, ec] =
          std::from_chars(withSum.data() + 2 * i, withSum.data() + 2 * i + 2, v, 16);
      if (ec != std::errc{} || end != withSum.data() + 2 * i + 2) break;
      bytes[i] = static_cast<char>(v);
      if (i + 1 == field.size) {
        std::memcpy(at, bytes.data(), field.size);
        return true;
      }
    }
  }
  error = field.name + " takes " + std::to_string(2 * field.size) + " hexadecimal digits";
  return false;
}

}  // namespace settings
