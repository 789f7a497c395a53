// veskctl status, set, profile, apply, image: the settings as the Monitor
// holds them. With the Monitor running, changes go through the shared image
// and an apply message, exactly as the Configuration program saves; without
// it they go to the settings files.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "CommandSupport.h"
#include "Commands.h"
#include "apply/ApplySession.h"
#include "platform/NamedMutex.h"
#include "platform/Paths.h"
#include "platform/SharedMemory.h"
#include "platform/Window.h"
#include "settings/FieldTable.h"
#include "settings/IniFile.h"
#include "settings/SettingsFiles.h"
#include "settings/SharedImage.h"

namespace veskctl {
// Each group's helpers have a namespace of their own: the groups are
// compiled as one unit.
namespace monitor_group {
namespace {

struct MonitorOptions {
  std::string folder;
  std::string field;
  std::string value;
  int profile = -1;
  int slot = -1;
  bool json = false;
  bool reset = false;
  bool raw = false;
};

[[noreturn]] void fail(const std::string& message, int code = 1) {
  failCommand("veskctl", message, code);
}

std::string programFolder(const MonitorOptions& o) { return programFolderOption(o.folder); }

bool monitorRunning() { return platform::FindWindow(apply::kMonitorTitle) != platform::kNoWindow; }

// The image as the Monitor shares it; nullptr when it does not.
std::unique_ptr<settings::SettingsImage> sharedImage() {
  auto mutex = platform::NamedMutex::open(settings::kImageMutexName);
  auto memory = platform::SharedMemory::open(settings::kSharedImageName, settings::kImageSize);
  if (!mutex || !memory) return nullptr;
  auto image = std::make_unique<settings::SettingsImage>();
  if (!settings::readSharedImage(*memory, *mutex, *image)) return nullptr;
  return image;
}

// Exit codes: 0 applied (or saved, without a Monitor), 1 files not written,
// 3 the Monitor did not answer, 4 the mouse did not take the change, 5 the
// shared image could not be written.
void reportSave(const apply::ApplySession::Outcome& outcome) {
  using Result = apply::ApplySession::Result;
  if (!outcome.filesSaved) fail("could not write the settings files");
  const char* text = apply::ApplySession::describe(outcome.result);
  switch (outcome.result) {
    case Result::Applied:
    case Result::SavedToFiles:
      std::cout << text << "\n";
      return;
    case Result::MonitorNoAnswer:
      fail(text, 3);
    case Result::MouseNotUpdated:
      fail(text, 4);
    case Result::SharedImageNotWritten:
      fail(text, 5);
  }
}

void runStatus(const MonitorOptions& o) {
  const std::string folder = programFolder(o);
  settings::SettingsFiles files(folder);
  const bool running = monitorRunning();
  settings::IniFile config(files.configIniPath());
  const bool connected = running && config.ReadInt("Setting", "Device", 0) == 1;
  const auto shared = running ? sharedImage() : nullptr;
  const int profile =
      shared ? shared->CurrentProfile : config.ReadInt("Setting", "CurrentProfile", -1);
  const int firmware = files.ReadFirmwareVersion();
  if (o.json) {
    nlohmann::ordered_json j;
    j["monitorRunning"] = running;
    j["mouseConnected"] = connected;
    j["sharedImage"] = shared != nullptr;
    j["currentProfile"] = profile;
    j["firmwareVersion"] = firmware;
    std::cout << j.dump(2) << "\n";
    return;
  }
  std::cout << "Monitor:          " << (running ? "running" : "not running") << "\n"
            << "Mouse:            " << (connected ? "connected" : "not connected") << "\n"
            << "Current profile:  " << profile << "\n"
            << "Firmware version: " << firmware << "\n";
}

void runSet(const MonitorOptions& o) {
  const settings::FieldInfo* field = settings::findField(o.field);
  if (!field) fail("unknown field '" + o.field + "' (see veskctl settings dump for the names)", 2);
  apply::ApplySession session(programFolder(o));
  session.open();
  auto& image = session.working();
  int p = 0, b = 0;
  if (field->scope != settings::FieldScope::Global) {
    // Default: the current profile, or the first when none is current yet.
    p = o.profile >= 0                                   ? o.profile
        : settings::isValidProfile(image.CurrentProfile) ? image.CurrentProfile
                                                         : 0;
    if (!settings::isValidProfile(p)) fail("--profile must be 0..4", 2);
  }
  if (field->scope == settings::FieldScope::Slot) {
    if (!settings::isValidSlot(o.slot))
      fail(o.field + " is a button-slot field: give --slot 0..23", 2);
    b = o.slot;
  }
  unsigned char* at = settings::fieldAddress(image, *field, p, b);
  if (!at) fail("no such field address", 2);
  std::string error;
  if (!settings::setFieldValueText(at, *field, o.value, error)) fail(error, 2);
  if (field->scope == settings::FieldScope::Slot) settings::markSlotChanged(image, p, b);
  reportSave(session.save(apply::ApplySession::Mode::Apply));
}

void runProfile(const MonitorOptions& o) {
  if (!settings::isValidProfile(o.profile)) fail("the profile must be 0..4", 2);
  apply::ApplySession session(programFolder(o));
  session.open();
  session.working().CurrentProfile = o.profile;
  reportSave(session.save(apply::ApplySession::Mode::Apply));
}

void runApply(const MonitorOptions& o) {
  apply::ApplySession session(programFolder(o));
  session.open();
  reportSave(
      session.save(o.reset ? apply::ApplySession::Mode::Reset : apply::ApplySession::Mode::Apply));
}

void runImage(const MonitorOptions& o) {
  const auto image = sharedImage();
  if (!image) fail("no shared image: the Monitor is not running");
  if (o.raw) {
    std::fwrite(image.get(), 1, sizeof(settings::SettingsImage), stdout);
    std::fflush(stdout);
    return;
  }
  int flags = 0;
  for (std::size_t at = settings::kChangeFlagsBegin; at < settings::kChangeFlagsEnd; at += 4) {
    std::int32_t v = 0;
    std::memcpy(&v, reinterpret_cast<const char*>(image.get()) + at, 4);
    flags += v != 0;
  }
  std::cout << "Shared image: " << sizeof(settings::SettingsImage) << " bytes\n"
            << "CurrentProfile: " << image->CurrentProfile << "\n"
            << "WindowsProfile: " << image->WindowsProfile << "\n"
            << "Change flags set: " << flags << "\n"
            << "(--raw writes the bytes to standard output)\n";
}

template <typename Run>
void guarded(Run run, const MonitorOptions& o) {
  runGuarded("veskctl", run, o);
}

void addFolderOption(CLI::App& cmd, MonitorOptions& o) {
  cmd.add_option("--folder", o.folder,
                 "program folder holding config.ini and config/ (default: veskctl's own folder)");
}

}  // namespace
}  // namespace monitor_group

void addMonitorCommands(CLI::App& app) {
  using namespace monitor_group;
  auto o = std::make_shared<MonitorOptions>();

  CLI::App* status = app.add_subcommand(
      "status", "is the Monitor running, is the mouse connected, current profile, firmware");
  addFolderOption(*status, *o);
  status->add_flag("--json", o->json, "print JSON");
  status->callback([o] { guarded(runStatus, *o); });

  CLI::App* set = app.add_subcommand(
      "set", "change one setting and apply it as the Configuration program does");
  addFolderOption(*set, *o);
  set->add_option("FIELD", o->field, "field name, e.g. CpiLevel_X2, PollingRate, FunctionCode")
      ->required();
  set->add_option("VALUE", o->value, "new value: a number, a text, or hex bytes for a struct")
      ->required();
  set->add_option("--profile", o->profile, "profile 0..4 (default: the current profile)");
  set->add_option("--slot", o->slot, "button slot 0..23 for button-slot fields");
  set->callback([o] { guarded(runSet, *o); });

  CLI::App* profile = app.add_subcommand("profile", "make profile N (0..4) the current profile");
  addFolderOption(*profile, *o);
  profile->add_option("N", o->profile, "profile 0..4")->required();
  profile->callback([o] { guarded(runProfile, *o); });

  CLI::App* applyCmd = app.add_subcommand(
      "apply", "save the settings files and have the Monitor apply them to the mouse");
  addFolderOption(*applyCmd, *o);
  applyCmd->add_flag("--reset", o->reset, "send the mouse's reset command instead");
  applyCmd->callback([o] { guarded(runApply, *o); });

  CLI::App* image = app.add_subcommand("image", "the Monitor's shared settings image");
  image->add_flag("--raw", o->raw, "write its 314424 bytes to standard output");
  image->callback([o] { guarded(runImage, *o); });
}

}  // namespace veskctl
