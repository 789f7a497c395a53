// veskctl device read|write: back up and restore the mouse without the GUI,
// through the device access library of a program folder.
#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "CommandSupport.h"
#include "Commands.h"
#include "apply/MonitorAddress.h"
#include "device/DeviceLayer.h"
#include "device/DeviceSequences.h"
#include "device/LibraryTransport.h"
#include "device/PortkitLibrary.h"
#include "device/TrafficLog.h"
#include "platform/Clock.h"
#include "platform/Window.h"
#include "settings/SettingsFiles.h"

namespace veskctl {
// Each group's helpers have a namespace of their own: the groups are
// compiled as one unit.
namespace device_group {
namespace {

struct DeviceOptions {
  std::string folder;
  bool verbose = false;
};

[[noreturn]] void fail(const std::string& message) { failCommand("veskctl device", message); }

// The Monitor of this session owns the mouse: two programs selecting and
// reading at once could put one profile's data into another's backup.
void refuseWhileMonitorRuns() {
  if (platform::FindWindow(apply::kMonitorTitle) == platform::kNoWindow) return;
  fail(
      "the Monitor is running and owns the mouse. Use 'veskctl apply' to write the settings "
      "files to the mouse through it, 'veskctl image --raw' for what it read from the mouse, "
      "or stop the Monitor first");
}

// The opened mouse and the protocol stack on top of it.
class MouseSession {
 public:
  explicit MouseSession(const DeviceOptions& options)
      : library_(device::PortkitLibrary::load(programFolderOption(options.folder))),
        transport_(*library_),
        log_(transport_,
             [this, verbose = options.verbose](device::TrafficLog::Direction d,
                                               std::span<const std::uint8_t> report, bool ok) {
               if (!ok && !report.empty()) failedReports_.insert(report[0]);
               if (!verbose) return;
               std::printf("%s%s\n", device::TrafficLog::format(d, report).c_str(),
                           ok ? "" : "  (failed)");
             }),
        layer_(log_, platform::clock()),
        sequences_(layer_) {
    if (!library_->present()) fail("no device access library: " + library_->loadError());
    if (!library_->openFeatureDevice()) fail("the mouse is not connected");
  }
  ~MouseSession() { library_->closeFeatureDevice(); }

  device::DeviceSequences& sequences() { return sequences_; }
  // Ids of the reports whose transfer failed, e.g. "6, 7".
  std::string failedReports() const {
    std::string text;
    for (const int id : failedReports_) text += (text.empty() ? "" : ", ") + std::to_string(id);
    return text;
  }

 private:
  std::set<int> failedReports_;
  std::unique_ptr<device::PortkitLibrary> library_;
  device::LibraryTransport transport_;
  device::TrafficLog log_;
  device::DeviceLayer layer_;
  device::DeviceSequences sequences_;
};

void readMouse(const DeviceOptions& options) {
  refuseWhileMonitorRuns();
  const settings::SettingsFiles files(programFolderOption(options.folder));
  auto image = std::make_unique<settings::SettingsImage>();
  files.LoadAll(*image);  // what the mouse does not carry stays as the files have it
  int version = -1;       // stays -1 when the mouse did not tell its version
  {
    MouseSession session(options);
    if (!session.sequences().readEverything(*image, version)) fail("reading the mouse failed");
    // The read goes on past a report the mouse did not give, keeping what
    // the files hold for it; a backup must not pass that off as the mouse's.
    if (const std::string failed = session.failedReports(); !failed.empty()) {
      fail("the mouse did not give report " + failed + "; the folder is left as it was");
    }
  }
  if ((version >= 0 && !files.SaveFirmwareVersion(version)) || !files.SaveAll(*image)) {
    fail("cannot write the settings files in " + files.programFolder());
  }
  const std::string versionText = version >= 0 ? std::to_string(version) : "unknown";
  std::printf("Read the mouse (firmware version %s) into %s\n", versionText.c_str(),
              files.programFolder().c_str());
}

void writeMouse(const DeviceOptions& options) {
  refuseWhileMonitorRuns();
  const settings::SettingsFiles files(programFolderOption(options.folder));
  auto image = std::make_unique<settings::SettingsImage>();
  files.LoadAll(*image);
  MouseSession session(options);
  if (!settings::isValidProfile(image->CurrentProfile)) {
    std::printf(
        "config.ini names no current profile 0..4 (CurrentProfile %d): the mouse keeps "
        "its own; report 5 is not sent\n",
        image->CurrentProfile);
  }
  if (!session.sequences().writeEverything(*image)) fail("writing the mouse failed");
  std::printf("Wrote the settings of %s to the mouse\n", files.programFolder().c_str());
}

void addFolderOptions(CLI::App* cmd, DeviceOptions& options) {
  cmd->add_option("--folder", options.folder,
                  "Program folder with portkit.so and the settings files (default: veskctl's)");
  cmd->add_flag("--verbose", options.verbose, "Print every report exchanged");
}

}  // namespace
}  // namespace device_group

void addDeviceCommands(CLI::App& app) {
  using namespace device_group;
  auto* group = app.add_subcommand("device", "Back up and restore the mouse through portkit.so");
  group->require_subcommand(1);
  auto options = std::make_shared<DeviceOptions>();

  auto* read = group->add_subcommand(
      "read", "Read everything from the mouse and save it into the folder's settings files");
  addFolderOptions(read, *options);
  read->callback([options] { readMouse(*options); });

  auto* write = group->add_subcommand(
      "write",
      "Write the folder's settings to the mouse: current profile, every profile's settings, "
      "buttons and macros");
  addFolderOptions(write, *options);
  write->callback([options] { writeMouse(*options); });
}

}  // namespace veskctl
