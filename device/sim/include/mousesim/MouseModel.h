#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <span>

#include "device/Reports.h"
#include "mousesim/MouseMemory.h"
#include "mousesim/UpdateEngine.h"

namespace mousesim {

// The firmware of the simulated mouse: answers every feature report as the
// mouse does, emits events, and misbehaves on command. Not thread-safe; one
// owner drives it (the simulator's loop or a test).
class MouseModel {
 public:
  using EventSink = std::function<void(std::uint16_t type, std::uint16_t value)>;
  using PlugSink = std::function<void(bool plugged)>;
  using ReportObserver = std::function<void(bool set, std::span<const std::uint8_t> report)>;

  MouseModel();
  explicit MouseModel(MouseMemory memory);

  // The two transfers; false when the transfer itself failed.
  bool setFeature(std::span<const std::uint8_t> report);
  bool getFeature(std::span<std::uint8_t> report);

  // A press of button 1..24: what the mouse does for that slot's function
  // in the current profile. False for a button out of range or unplugged.
  bool press(int button);
  // Emits any event; false (nothing emitted) while unplugged.
  bool emitEvent(std::uint16_t type, std::uint16_t value);

  // Faults.
  // Busy for the next polls of report 4 (the status of every other report).
  void busyFor(int polls) { busyFor(device::kSelectReport, polls); }
  // Busy for the next polls of status report 4 or 28, each counted apart.
  void busyFor(std::uint8_t statusReport, int polls) { busyPolls_[statusReport] = polls; }
  // The update mode's status report 28 answers "repeat" (4), or a failed
  // status, for its next reads.
  enum class UpdateFault { Repeat, Fail };
  void updateStatusFault(UpdateFault fault, int reads);
  void failSet(std::uint8_t id, int times) { failSet_[id] = times; }
  void failGet(std::uint8_t id, int times) { failGet_[id] = times; }
  // The next read of report 7 or 8 carries a wrong checksum.
  bool corruptNext(std::uint8_t id);
  void unplug();
  // Unplugs once n more reports were exchanged (0 = now).
  void unplugAfter(int reports);
  void plug();
  void setFirmwareVersion(std::uint8_t version);

  // The surface under the sensor. A good one gives a textured picture and
  // lets a calibration run succeed; a poor one (glossy, glass) gives a dim,
  // flat picture and makes the next run report failure.
  enum class Surface { Good, Poor };
  void setSurface(Surface surface) { surface_ = surface; }
  Surface surface() const { return surface_; }
  int sensorCaptures() const { return captures_; }

  bool plugged() const { return plugged_; }
  const MouseMemory& memory() const { return memory_; }
  void restoreFactory();
  std::uint8_t status() const { return status_; }
  const UpdateEngine& updateEngine() const { return update_; }
  // Changes whenever the on-device memory changed (for saving it).
  std::uint64_t revision() const { return revision_; }

  void setEventSink(EventSink sink) { eventSink_ = std::move(sink); }
  void setPlugSink(PlugSink sink) { plugSink_ = std::move(sink); }
  void setReportObserver(ReportObserver observer) { reportObserver_ = std::move(observer); }

 private:
  bool takeFault(std::map<std::uint8_t, int>& faults, std::uint8_t id);
  void countReport();
  void changed() { ++revision_; }
  std::uint8_t handleSet(std::span<const std::uint8_t> r);
  bool handleGet(std::span<std::uint8_t> r);
  std::uint8_t handleTracking(std::span<const std::uint8_t> r);
  std::uint8_t handleColourBlock(std::span<const std::uint8_t> r);
  void captureSensorImage();
  std::uint8_t pollStatus(std::uint8_t statusReport, std::uint8_t status);

  // Button functions (MouseButtons.cpp).
  void changeProfile(int delta, bool wrap);
  void changeDpi(int direction, bool wrap);
  void changeSensitivity(int direction, bool wrap);
  void requestOrPlayMacro(int slot);
  ProfileMemory& currentProfile() { return memory_.profiles[memory_.currentProfile]; }

  MouseMemory memory_;
  UpdateEngine update_;
  std::uint8_t status_ = 1;
  std::uint8_t updateStatus_ = 1;
  int selectedProfile_ = 0;
  int selectedWhat_ = 0x80;
  bool plugged_ = true;
  std::map<std::uint8_t, int> busyPolls_;
  int repeatUpdateStatus_ = 0;
  int failUpdateStatus_ = 0;
  int unplugCountdown_ = -1;
  std::map<std::uint8_t, int> failSet_;
  std::map<std::uint8_t, int> failGet_;
  std::map<std::uint8_t, bool> corrupt_;
  bool liftOffTrial_ = false;
  std::uint8_t liftOnBeforeTrial_ = 0;
  int captures_ = 0;
  Surface surface_ = Surface::Good;
  std::uint64_t revision_ = 0;
  EventSink eventSink_;
  PlugSink plugSink_;
  ReportObserver reportObserver_;
};

}  // namespace mousesim
