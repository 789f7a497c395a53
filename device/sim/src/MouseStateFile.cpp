#include "mousesim/MouseStateFile.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/Paths.h"

namespace mousesim {
namespace {

using nlohmann::json;

std::string toHex(std::span<const std::uint8_t> bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string s;
  s.reserve(bytes.size() * 2);
  for (std::uint8_t b : bytes) {
    s += kHex[b >> 4];
    s += kHex[b & 15];
  }
  return s;
}

bool fromHex(const std::string& s, std::vector<std::uint8_t>& out) {
  if (s.size() % 2) return false;
  out.clear();
  out.reserve(s.size() / 2);
  for (std::size_t i = 0; i < s.size(); i += 2) {
    unsigned v = 0;
    if (std::sscanf(s.c_str() + i, "%2x", &v) != 1) return false;
    out.push_back(static_cast<std::uint8_t>(v));
  }
  return true;
}

template <std::size_t N>
bool hexInto(const json& j, const char* key, std::array<std::uint8_t, N>& out) {
  std::vector<std::uint8_t> bytes;
  if (!j.contains(key) || !j[key].is_string() || !fromHex(j[key].get<std::string>(), bytes) ||
      bytes.size() != N) {
    return false;
  }
  std::copy(bytes.begin(), bytes.end(), out.begin());
  return true;
}

std::uint8_t byteField(const json& j, const char* key, std::uint8_t fallback) {
  if (!j.contains(key) || !j[key].is_number_integer()) return fallback;
  const auto v = j[key].get<long long>();
  return v >= 0 && v <= 255 ? static_cast<std::uint8_t>(v) : fallback;
}

// A macro slot worth keeping: events, or a name or option without events
// (the slot of a macro whose events were all deleted keeps its name).
bool macroHoldsAnything(const device::codec::MacroBytes& macro) {
  if (device::readU16(macro, device::kMacroCountOffset) != 0) return true;
  // Byte 5 is the macro option; the three names follow up to the count.
  constexpr long kOptionOffset = 5;
  static_assert(device::kMacroName1Offset == kOptionOffset + 1);
  return std::any_of(macro.begin() + kOptionOffset,
                     macro.begin() + static_cast<long>(device::kMacroCountOffset),
                     [](std::uint8_t b) { return b != 0; });
}

}  // namespace

json memoryToJson(const MouseMemory& m) {
  json profiles = json::array();
  for (const ProfileMemory& p : m.profiles) {
    json macros = json::object();
    for (std::size_t b = 0; b < p.macros.size(); ++b) {
      if (macroHoldsAnything(p.macros[b])) macros[std::to_string(b)] = toHex(p.macros[b]);
    }
    profiles.push_back(
        {{"settings", toHex(p.settings)}, {"buttons", toHex(p.buttons)}, {"macros", macros}});
  }
  return {{"format", 1},
          {"firmwareVersion", m.firmwareVersion},
          {"currentProfile", m.currentProfile},
          {"liftOn", m.liftOn},
          {"trackControl", m.trackControl},
          {"calibrationValue", m.calibrationValue},
          {"calibrationState", m.calibrationState},
          {"hostActive", m.hostActive},
          {"colourDatabase", toHex(m.colourDatabase)},
          {"sensorImage", toHex(m.sensorImage)},
          {"lastLightCommand", toHex(m.lastLightCommand)},
          {"profiles", profiles}};
}

std::optional<MouseMemory> memoryFromJson(const json& j, std::string* error) {
  auto fail = [&](const std::string& why) -> std::optional<MouseMemory> {
    if (error) *error = why;
    return std::nullopt;
  };
  if (!j.is_object() || !j.contains("profiles") || !j["profiles"].is_array() ||
      j["profiles"].size() != settings::kProfileCount) {
    return fail("not a mouse state (five profiles expected)");
  }
  MouseMemory m = factoryMemory(byteField(j, "firmwareVersion", kFactoryFirmwareVersion));
  m.currentProfile = byteField(j, "currentProfile", 0);
  if (m.currentProfile >= settings::kProfileCount) return fail("current profile out of range");
  m.liftOn = byteField(j, "liftOn", m.liftOn);
  m.trackControl = byteField(j, "trackControl", 0);
  m.calibrationValue = byteField(j, "calibrationValue", 0);
  m.calibrationState = byteField(j, "calibrationState", 0);
  m.hostActive = j.value("hostActive", false);
  if (j.contains("colourDatabase") && j["colourDatabase"].is_string() &&
      !fromHex(j["colourDatabase"].get<std::string>(), m.colourDatabase)) {
    return fail("bad colour database");
  }
  hexInto(j, "sensorImage", m.sensorImage);
  hexInto(j, "lastLightCommand", m.lastLightCommand);
  for (int p = 0; p < settings::kProfileCount; ++p) {
    const json& jp = j["profiles"][p];
    ProfileMemory& pm = m.profiles[p];
    if (!jp.is_object() || !hexInto(jp, "settings", pm.settings) ||
        !hexInto(jp, "buttons", pm.buttons)) {
      return fail("profile " + std::to_string(p) + " is broken");
    }
    if (!jp.contains("macros") || !jp["macros"].is_object()) continue;
    for (const auto& [key, value] : jp["macros"].items()) {
      int b = -1;
      try {
        b = std::stoi(key);
      } catch (const std::exception&) {
      }
      if (!settings::isValidSlot(b) || !value.is_string()) return fail("bad macro slot " + key);
      json holder = {{"m", value}};
      if (!hexInto(holder, "m", pm.macros[b])) return fail("bad macro in slot " + key);
    }
  }
  return m;
}

std::optional<MouseMemory> loadStateFile(const std::string& path, std::string* error) {
  if (!platform::FileExists(path)) return factoryMemory(kFactoryFirmwareVersion);
  std::ifstream in(path, std::ios::binary);
  json j = json::parse(in, nullptr, false);
  if (j.is_discarded()) {
    if (error) *error = "not valid JSON";
    return std::nullopt;
  }
  return memoryFromJson(j, error);
}

bool saveStateFile(const std::string& path, const MouseMemory& memory, std::string* error) {
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out << memoryToJson(memory).dump(1) << '\n';
    if (!out.flush()) {
      if (error) *error = "cannot write " + temp;
      return false;
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    if (error) *error = "cannot replace " + path;
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

json describeModel(const MouseModel& model) {
  const MouseMemory& m = model.memory();
  json profiles = json::array();
  for (int p = 0; p < settings::kProfileCount; ++p) {
    const ProfileMemory& pm = m.profiles[p];
    json functions = json::array();
    json macros = json::object();
    for (int b = 0; b < settings::kSlotCount; ++b) {
      functions.push_back(pm.buttons[3 + 3 * b]);
      const auto count = device::readU16(pm.macros[b], device::kMacroCountOffset);
      if (!macroHoldsAnything(pm.macros[b])) continue;
      const char* name =
          reinterpret_cast<const char*>(pm.macros[b].data() + device::kMacroName3Offset);
      macros[std::to_string(b)] = {
          {"name", std::string(settings::deviceNameText({name, device::kMacroNameLength}))},
          {"events", count}};
    }
    json levels = json::array();
    for (int i = 0; i < settings::kCpiLevelCount; ++i) levels.push_back(pm.settings[7 + i] / 2);
    profiles.push_back({{"dpiLevel", pm.settings[12]},
                        {"dpiLevels", levels},
                        {"sensitivity", {pm.settings[4], pm.settings[5]}},
                        {"pollingRate", pm.settings[19]},
                        {"functions", functions},
                        {"macros", macros}});
  }
  return {{"plugged", model.plugged()},
          {"firmwareVersion", m.firmwareVersion},
          {"currentProfile", m.currentProfile},
          {"hostActive", m.hostActive},
          {"status", model.status()},
          {"tracking",
           {{"liftOn", m.liftOn},
            {"trackControl", m.trackControl},
            {"calibrationValue", m.calibrationValue},
            {"calibrationState", m.calibrationState},
            {"surface", model.surface() == MouseModel::Surface::Good ? "good" : "poor"},
            {"sensorCaptures", model.sensorCaptures()}}},
          {"colourDatabaseSize", m.colourDatabase.size()},
          {"updateMode", model.updateEngine().inUpdateMode()},
          {"profiles", profiles}};
}

}  // namespace mousesim
