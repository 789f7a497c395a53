// veskctl settings: the settings image as the settings files of a program
// folder hold it.
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "CommandSupport.h"
#include "Commands.h"
#include "settings/FieldTable.h"
#include "settings/FunctionCodes.h"
#include "settings/IniValue.h"
#include "settings/SettingsFiles.h"
#include "settings/SettingsImage.h"

namespace veskctl {

// Each group's helpers have a namespace of their own: the groups are
// compiled as one unit.
namespace settings_group {
namespace {

using Json = nlohmann::ordered_json;
using settings::FieldInfo;
using settings::FieldScope;
using settings::FieldType;

struct SettingsOptions {
  std::string folder;
  int profile = -1;
  int slot = -1;
  bool raw = false;
  std::string field;
  std::string value;
};

[[noreturn]] void fail(const std::string& message, int code = 1) {
  failCommand("veskctl settings", message, code);
}

std::unique_ptr<settings::SettingsImage> loadImage(const settings::SettingsFiles& files) {
  // A FIFO or device in a settings file's place is never read: say so rather
  // than show or save defaults as if they were the user's settings.
  if (const std::string refused = files.refusedFiles(); !refused.empty())
    fail(refused + " (settings files must be plain files)");
  auto image = std::make_unique<settings::SettingsImage>();
  files.LoadAll(*image);
  return image;
}

void saveImage(const settings::SettingsFiles& files, const settings::SettingsImage& image) {
  if (!files.SaveAll(image)) fail("could not write the settings files in " + files.programFolder());
}

// ---- JSON -----------------------------------------------------------------

Json fieldJson(const unsigned char* at, const FieldInfo& f) {
  if (settings::isIntegerType(f.type)) return settings::fieldInteger(at, f.type);
  return settings::fieldValueText(at, f);
}

Json lightJson(const settings::LightZone& z) {
  return Json{{"ColorIndex", z.ColorIndex},
              {"OnFlag", z.OnFlag},
              {"Red", z.Red},
              {"Green", z.Green},
              {"Blue", z.Blue}};
}

std::string hexOf(const void* bytes, std::size_t size) {
  std::string hex = settings::encodeStruct(bytes, size);
  hex.resize(2 * size);
  return hex;
}

bool allZero(const std::uint8_t* bytes, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i)
    if (bytes[i]) return false;
  return true;
}

Json slotJson(const settings::ButtonSlot& slot, const settings::Profile& profile) {
  Json j;
  const auto* base = reinterpret_cast<const unsigned char*>(&slot);
  for (const FieldInfo& f : settings::slotFields()) {
    if (f.name == "Events") {
      Json events = Json::array();
      const int count = std::min<int>(slot.EventCount, settings::kMaxMacroEvents);
      for (int i = 0; i < count; ++i)
        events.push_back({slot.Events[i].Key, slot.Events[i].Action, slot.Events[i].delay()});
      j["Events"] = std::move(events);
      continue;
    }
    j[f.name] = fieldJson(base + f.offset, f);
    if (f.name == "FunctionCode") j["FunctionName"] = settings::FunctionDisplayName(slot, profile);
  }
  // Bytes the suite does not interpret travel unchanged; show them when set.
  if (!allZero(slot.Reserved2, 2) || !allZero(slot.Reserved2 + 4, 2))
    j["Reserved2"] = hexOf(slot.Reserved2, sizeof slot.Reserved2);
  if (!allZero(slot.Reserved158, 2)) j["Reserved158"] = hexOf(slot.Reserved158, 2);
  if (!allZero(slot.Reserved2166, 2)) j["Reserved2166"] = hexOf(slot.Reserved2166, 2);
  return j;
}

Json profileJson(const settings::Profile& p, int index) {
  Json j{{"Index", index}};
  const auto* base = reinterpret_cast<const unsigned char*>(&p);
  for (const FieldInfo& f : settings::profileFields()) {
    if (f.type != FieldType::Struct) j[f.name] = fieldJson(base + f.offset, f);
  }
  for (int i = 0; i < settings::kLightZoneCount; ++i)
    j["LightInfo" + std::to_string(i)] = lightJson(p.LightInfo[i]);
  for (int i = 0; i < settings::kLightZoneCount; ++i)
    j["CustomLightInfo" + std::to_string(i)] = lightJson(p.CustomLightInfo[i]);
  for (int b = 0; b < settings::kSlotCount; ++b)
    j["MacroKeyInfo" + std::to_string(b)] = slotJson(p.MacroKeyInfo[b], p);
  return j;
}

Json imageJson(const settings::SettingsImage& image) {
  Json j;
  const auto* base = reinterpret_cast<const unsigned char*>(&image);
  for (const FieldInfo& f : settings::globalFields()) {
    if (f.type != FieldType::Struct) j[f.name] = fieldJson(base + f.offset, f);
  }
  const settings::UsageInfo& info = image.InfoData;
  j["InfoData"] = Json{{"Counters", info.Counters},
                       {"TrophyFlags", info.TrophyFlags},
                       {"LatestTrophy", info.LatestTrophy}};
  Json profiles = Json::array();
  for (int p = 0; p < settings::kProfileCount; ++p)
    profiles.push_back(profileJson(image.Profiles[p], p));
  j["Profiles"] = std::move(profiles);
  j["SlotChanged"] = image.SlotChanged;
  j["ProfileChanged"] = image.ProfileChanged;
  j["CurrentProfileChanged"] = image.CurrentProfileChanged;
  j["TrackingChanged"] = image.TrackingChanged;
  return j;
}

// ---- commands -------------------------------------------------------------

void checkProfile(int p, bool required, const std::string& what) {
  if (p == -1 && required) fail(what + " is a profile field: give --profile 0..4");
  if (p != -1 && !settings::isValidProfile(p)) fail("--profile takes 0..4");
}

// The field and its bytes for get and set.
unsigned char* locateField(settings::SettingsImage& image, const SettingsOptions& o,
                           const FieldInfo*& field) {
  field = settings::findField(o.field);
  if (field == nullptr) fail("no field named '" + o.field + "' (see 'veskctl settings dump')");
  switch (field->scope) {
    case FieldScope::Global:
      if (o.profile != -1 || o.slot != -1)
        fail(field->name + " is a global field: --profile and --slot do not apply");
      break;
    case FieldScope::Profile:
      checkProfile(o.profile, true, field->name);
      if (o.slot != -1) fail(field->name + " is a profile field: --slot does not apply");
      break;
    case FieldScope::Slot:
      if (!settings::isValidProfile(o.profile) || !settings::isValidSlot(o.slot))
        fail(field->name + " is a button-slot field: give --profile 0..4 and --slot 0..23");
      break;
  }
  return settings::fieldAddress(image, *field, o.profile, o.slot);
}

void runDump(const SettingsOptions& o) {
  const settings::SettingsFiles files(programFolderOption(o.folder));
  const auto image = loadImage(files);
  if (o.raw) {
    if (o.profile != -1) fail("--raw writes the whole image; --profile does not apply");
    if (std::fwrite(image.get(), 1, settings::kImageSize, stdout) != settings::kImageSize ||
        std::fflush(stdout) != 0)
      fail("could not write the image to standard output");
    return;
  }
  checkProfile(o.profile, false, "");
  const Json j =
      o.profile == -1 ? imageJson(*image) : profileJson(image->Profiles[o.profile], o.profile);
  std::cout << j.dump(2, ' ', false, Json::error_handler_t::replace) << "\n";
}

void runSave(const SettingsOptions& o) {
  const settings::SettingsFiles files(programFolderOption(o.folder));
  saveImage(files, *loadImage(files));
}

void runReset(const SettingsOptions& o) {
  const settings::SettingsFiles files(programFolderOption(o.folder));
  auto image = loadImage(files);
  for (int p = 0; p < settings::kProfileCount; ++p) settings::ResetProfile(image->Profiles[p], p);
  saveImage(files, *image);
}

void runGet(const SettingsOptions& o) {
  const settings::SettingsFiles files(programFolderOption(o.folder));
  auto image = loadImage(files);
  const FieldInfo* field = nullptr;
  const unsigned char* at = locateField(*image, o, field);
  std::cout << settings::fieldValueText(at, *field) << "\n";
}

void runSet(const SettingsOptions& o) {
  const settings::SettingsFiles files(programFolderOption(o.folder));
  auto image = loadImage(files);
  const FieldInfo* field = nullptr;
  unsigned char* at = locateField(*image, o, field);
  std::string error;
  if (!settings::setFieldValueText(at, *field, o.value, error)) fail(error);
  saveImage(files, *image);
}

void addFolderOption(CLI::App& cmd, SettingsOptions& o) {
  cmd.add_option("--folder", o.folder,
                 "program folder holding config.ini and config/ (default: veskctl's own folder)");
}

void addAddressOptions(CLI::App& cmd, SettingsOptions& o) {
  cmd.add_option("--profile", o.profile, "profile 0..4 (for profile and button-slot fields)");
  cmd.add_option("--slot", o.slot,
                 "button slot 0..23, as in MacroKeyInfo0..23 (device button - 1)");
}

template <typename Run>
void guarded(Run run, const SettingsOptions& o) {
  runGuarded("veskctl settings", run, o);
}

}  // namespace
}  // namespace settings_group

void addSettingsCommands(CLI::App& app) {
  using namespace settings_group;
  auto options = std::make_shared<SettingsOptions>();
  CLI::App* group =
      app.add_subcommand("settings", "read and edit the settings files of a program folder");
  group->require_subcommand(1);

  CLI::App* dump = group->add_subcommand("dump", "load the settings and print the image as JSON");
  addFolderOption(*dump, *options);
  dump->add_flag("--raw", options->raw, "write the 314424 image bytes instead of JSON");
  dump->add_option("--profile", options->profile, "print only profile 0..4");
  dump->callback([options] { guarded(runDump, *options); });

  CLI::App* save = group->add_subcommand("save", "load the settings and save them again");
  addFolderOption(*save, *options);
  save->callback([options] { guarded(runSave, *options); });

  CLI::App* reset = group->add_subcommand(
      "reset", "load the settings, restore the factory values of all five profiles and save");
  addFolderOption(*reset, *options);
  reset->callback([options] { guarded(runReset, *options); });

  CLI::App* get = group->add_subcommand("get", "print one field of the loaded image");
  addFolderOption(*get, *options);
  get->add_option("FIELD", options->field, "field name, e.g. CurrentProfile, CpiLevel_X2, Name3")
      ->required();
  addAddressOptions(*get, *options);
  get->callback([options] { guarded(runGet, *options); });

  CLI::App* set = group->add_subcommand("set", "change one field and save the settings");
  addFolderOption(*set, *options);
  set->add_option("FIELD", options->field, "field name, e.g. DbleClickSpeed, FunctionCode")
      ->required();
  set->add_option("VALUE", options->value,
                  "new value: a whole number, a text, or hex bytes for a struct field")
      ->required();
  addAddressOptions(*set, *options);
  set->callback([options] { guarded(runSet, *options); });
}

}  // namespace veskctl
