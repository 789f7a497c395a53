#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "monitor/Countdown.h"
#include "monitor/CrossDeviceHost.h"
#include "monitor/DeviceEvent.h"
#include "monitor/FeedbackSounds.h"
#include "monitor/HorizontalScroll.h"
#include "monitor/ImageShare.h"
#include "monitor/MediaPlayers.h"
#include "monitor/MonitorFiles.h"
#include "monitor/MouseDevice.h"
#include "monitor/SoundPlayer.h"
#include "monitor/TrayIcon.h"
#include "monitor/WindowPort.h"
#include "monitor/WorkerThread.h"
#include "platform/DesktopMouse.h"
#include "platform/ForegroundProgram.h"
#include "platform/Shell.h"
#include "platform/SoundOutput.h"

namespace monitor {

// Everything the Monitor's window works through. worker and tray may be
// null: the window then starts its own worker thread and shows no icon.
struct MonitorServices {
  WindowPort& window;
  MonitorFiles& files;
  MouseDevice& mouse;
  ImageShare& share;
  platform::SoundOutput& sound;
  platform::Shell& shell;
  platform::DesktopMouse& desktop;
  platform::ForegroundProgram& foreground;
  WorkerQueue* worker = nullptr;
  TrayIcon* tray = nullptr;
  // The cross-device host's files and messages; null runs without a host.
  ChorusLink* chorus = nullptr;
  // The desktop's media players; null controls none.
  MediaPlayerBus* media = nullptr;
  // Sideways scrolling of the window under the cursor; null scrolls nothing.
  ScrollInput* scroll = nullptr;
};

// The Monitor's one invisible window: owner of the settings image and of the
// mouse. Every message of the Monitor goes through handle(); the worker
// thread runs runWorkerCommand().
class MonitorWindow {
 public:
  enum class Plug { NotFound = 0, Connected = 1, Removed = 2 };

  MonitorWindow(MonitorServices services, bool openConfiguration);
  ~MonitorWindow();
  MonitorWindow(const MonitorWindow&) = delete;
  MonitorWindow& operator=(const MonitorWindow&) = delete;

  platform::LRESULT handle(platform::UINT message, platform::WPARAM wParam,
                           platform::LPARAM lParam);
  void runWorkerCommand(WorkerCommand command, platform::LPARAM lParam);

  Plug plug() const { return plug_; }
  bool connected() const { return plug_ == Plug::Connected; }
  // False when shutdown gave up waiting for the worker: it may still be
  // running on this window's state, which must then outlive it.
  bool workerEnded() const { return workerEnded_; }
  bool workerBusy() const { return workerBusy_; }
  bool abortFlag() const { return s_.mouse.aborted(); }
  bool trayVisible() const { return trayVisible_; }
  const settings::SettingsImage& image() const { return *image_; }
  settings::SettingsImage& image() { return *image_; }
  const FeedbackSounds& sounds() const { return sounds_; }
  const Countdown& countdown() const { return countdown_; }
  std::uint32_t lastEvent() const { return lastEvent_; }

 private:
  // Start-up and shutdown.
  bool create();
  void destroy();
  bool passesFirmwareCheck();
  void openConfiguration();
  void updateTray();
  void startOsdProgram();
  void crossDeviceStatus(platform::UINT message, platform::WPARAM wParam, platform::LPARAM lParam);
  void sendLightCommand(const device::codec::LightCommandBytes& command);

  platform::LRESULT handleLocked(platform::UINT message, platform::WPARAM wParam,
                                 platform::LPARAM lParam);
  // The device lock for the window thread. The image lock it holds is let
  // go while waiting, so a worker finishing its sequence can hand over
  // its result; the image may therefore change across this call.
  std::unique_lock<std::timed_mutex> lockDevice();

  // Messages from the Configuration program.
  bool apply(platform::WPARAM wParam);
  bool reReadShared();
  void captureSensorImage();

  // Device events.
  void dispatch(DeviceEvent event);
  void mouseArrived();
  void mouseRemoved();
  void profileChanged(int profile);
  void dpiChanged(int level);
  void sensitivityChanged(unsigned a, unsigned h);
  void pollingRateChanged(int code);
  void volumeFeedback(unsigned a);
  void startProgram(int slot);
  void countdownButton(int slot);
  void statistics(unsigned type, unsigned value);
  void automaticProfileSwitch();
  void applyWindowsMouse();
  void onTimer(std::uintptr_t id);

  settings::Profile* currentProfile();
  int soundVolume();
  void publish();
  void postToConfiguration(platform::UINT message);

  // The read's result becomes the image unless an apply overtook it.
  void handOverRead(const settings::SettingsImage& read, std::uint64_t generation, bool completed);
  // An apply is on its way when the shared image carries change flags: the
  // editor has written it and is about to send the apply message.
  bool applyPending();

  MonitorServices s_;
  std::unique_ptr<settings::SettingsImage> image_;
  MonitorFiles::OsdBlock osd_{};
  SoundPlayer player_;
  FeedbackSounds sounds_;
  Countdown countdown_;
  CrossDeviceHost crossDevice_;
  HorizontalScroll horizontalScroll_;
  MediaPlayers mediaPlayers_;
  std::unique_ptr<WorkerThread> ownWorker_;
  WorkerQueue* worker_ = nullptr;

  std::atomic<Plug> plug_{Plug::NotFound};
  std::atomic<bool> workerBusy_{false};
  // Counts removals, so that work begun on one mouse says nothing to the next.
  std::atomic<std::uint64_t> removals_{0};
  // Raised at the start of shutdown; from then on the worker starts nothing.
  std::atomic<bool> shuttingDown_{false};
  bool workerEnded_ = true;
  bool openConfiguration_ = false;
  bool trayVisible_ = false;
  bool created_ = false;
  bool destroyed_ = false;
  std::uint32_t lastEvent_ = 0;
  // Device sequences never interleave their reports, whichever thread runs them.
  std::timed_mutex deviceMutex_;
  // Guards the private image. The window thread holds it while it handles a
  // message; the worker takes it only to copy the image before a sequence
  // and to hand over a result, never while it holds the device lock.
  std::mutex imageMutex_;
  std::unique_lock<std::mutex>* windowImageLock_ = nullptr;
  // Counts applies; a read that saw it change hands over nothing, because
  // the apply's settings are newer than what the read began with.
  std::uint64_t applyGeneration_ = 0;
};

}  // namespace monitor
