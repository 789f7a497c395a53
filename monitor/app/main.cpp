// VeskORBOpticalMonitor: the resident owner of the mouse. The window, the
// mouse and everything the mouse asks for live in the core library; this
// program adds the Qt event loop and the tray icon.
#include <fcntl.h>
#include <unistd.h>
#include <QApplication>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "QtTrayIcon.h"
#include "monitor/MonitorNames.h"
#include "monitor/MonitorWindow.h"
#include "monitor/PlatformChorusLink.h"
#include "monitor/PlatformWindowPort.h"
#include "monitor/PortkitMouse.h"
#include "monitor/ScrollBackend.h"
#include "monitor/SettingsMonitorFiles.h"
#include "monitor/SharedImageShare.h"
#include "mpris/QtMprisBus.h"
#include "platform/NamedMutex.h"
#include "platform/Paths.h"
#include "platform/ProcessShell.h"
#include "platform/SoundOutput.h"
#include "platform/SystemDesktopMouse.h"
#include "platform/Window.h"
#include "platform/X11ForegroundProgram.h"
#include "settings/SettingsFiles.h"
#include "uinput/SystemUinputFile.h"
#include "uinput/UinputScrollInput.h"
#include "xscroll/X11ScrollInput.h"

namespace {

// SIGINT and SIGTERM close the window like "Exit" does, so the mouse, the
// shared memory and the files are left in order.
int g_signalPipe[2] = {-1, -1};

void onTerminateSignal(int) {
  const char byte = 1;
  [[maybe_unused]] auto n = write(g_signalPipe[1], &byte, 1);
}

void catchTerminateSignals() {
  if (pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction action {};
  action.sa_handler = onTerminateSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

// Without a display the Monitor runs all the same, on Qt's offscreen platform.
void chooseQtPlatform() {
  const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
  if (!display && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

bool environmentSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// X programs through XTest on an X desktop; on a Wayland desktop a uinput
// virtual pointer, made now so the compositor has adopted it by the first tilt.
monitor::ScrollInput* chooseScrollInput(xscroll::X11ScrollInput& x11,
                                        uinput::UinputScrollInput& virtualPointer) {
  const bool xDisplay = environmentSet("DISPLAY");
  const bool wayland = environmentSet("WAYLAND_DISPLAY");
  const bool uinputWritable = access("/dev/uinput", W_OK) == 0;
  switch (monitor::chooseScrollBackend(xDisplay, wayland, uinputWritable)) {
    case monitor::ScrollBackend::X11:
      return &x11;
    case monitor::ScrollBackend::Uinput:
      virtualPointer.available();
      return &virtualPointer;
    case monitor::ScrollBackend::Off:
      break;
  }
  std::fprintf(stderr, "VeskORBOpticalMonitor: %s\n",
               monitor::scrollOffReason(xDisplay, wayland, uinputWritable));
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  const bool openConfiguration = argc > 1 && argv[1][0] == '1';
  // Without its session's runtime folder the Monitor can neither keep a second
  // instance out nor be found by the other programs: say why and stop.
  if (const std::string refusal = platform::RuntimeFolderRefusal(); !refusal.empty()) {
    std::fprintf(stderr, "VeskORBOpticalMonitor: %s\n", refusal.c_str());
    return 1;
  }
  auto instance = platform::SingleInstance::acquire(monitor::kSingleInstanceName);
  if (!instance) {
    if (openConfiguration) {
      const platform::HWND running = platform::FindWindow(monitor::kMonitorTitle);
      if (running != platform::kNoWindow)
        platform::PostMessage(running, platform::WM_COMMAND, monitor::msg::kCommandOpenOption, 0);
    }
    return 0;
  }

  chooseQtPlatform();
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);

  const std::string folder = platform::ProgramFolder();
  if (const std::string refused = settings::SettingsFiles(folder).refusedFiles(); !refused.empty())
    std::fprintf(stderr,
                 "VeskORBOpticalMonitor: %s: its settings read as defaults and are not saved\n",
                 refused.c_str());
  monitor::PlatformWindowPort window;
  monitor::SettingsMonitorFiles files(folder);
  monitor::PortkitMouse mouse(folder);
  monitor::SharedImageShare share;
  auto sound = platform::makeSoundOutput();
  platform::ProcessShell shell;
  platform::SystemDesktopMouse desktop;
  platform::X11ForegroundProgram foreground;
  monitor::QtTrayIcon tray;
  monitor::PlatformChorusLink chorus(folder);
  mpris::QtMprisBus media;
  xscroll::X11ScrollInput x11Scroll;
  uinput::SystemUinputFile uinputFile;
  uinput::UinputScrollInput uinputScroll(uinputFile, std::cerr);
  monitor::ScrollInput* scroll = chooseScrollInput(x11Scroll, uinputScroll);

  monitor::MonitorWindow monitorWindow({window, files, mouse, share, *sound, shell, desktop,
                                        foreground, nullptr, &tray, &chorus, &media, scroll},
                                       openConfiguration);
  const platform::HWND hwnd = platform::CreateWindow(
      monitor::kMonitorTitle,
      [&](platform::HWND self, platform::UINT message, platform::WPARAM wParam,
          platform::LPARAM lParam) -> platform::LRESULT {
        if (message == platform::WM_CREATE) {
          window.attach(self);
          tray.attach(self);
        }
        if (message == platform::WM_CLOSE) {
          platform::DestroyWindow(self);
          return 0;
        }
        const platform::LRESULT result = monitorWindow.handle(message, wParam, lParam);
        if (message == platform::WM_DESTROY) platform::PostQuitMessage(0);
        return result;
      });
  if (hwnd == platform::kNoWindow) return 1;

  catchTerminateSignals();
  QSocketNotifier terminate(g_signalPipe[0], QSocketNotifier::Read);
  QObject::connect(&terminate, &QSocketNotifier::activated, [&] {
    char drained[16];
    while (read(g_signalPipe[0], drained, sizeof drained) > 0) {
    }
    platform::PostMessage(hwnd, platform::WM_CLOSE, 0, 0);
  });
  QSocketNotifier messages(platform::MessageLoopFd(), QSocketNotifier::Read);
  QObject::connect(&messages, &QSocketNotifier::activated, [&] {
    if (!platform::PumpMessages()) app.quit();
  });
  // Anything posted during start-up is handled before the first wait.
  if (!platform::PumpMessages()) return 0;
  const int result = app.exec();
  // A worker that did not end within the shutdown's limit may still be in
  // the device library: end the process without taking anything from under
  // it. The settings files are always replaced whole, so none is torn.
  if (!monitorWindow.workerEnded()) std::_Exit(result);
  return result;
}
