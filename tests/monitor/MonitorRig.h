#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "MonitorFakes.h"
#include "TestFolder.h"
#include "monitor/MonitorWindow.h"
#include "platform/VirtualClock.h"

namespace monitor::testing {

// The Monitor's window on test doubles of everything it works through, in
// virtual time, with a throwaway program folder holding its sound files.
class MonitorRig : public ::testing::Test {
 protected:
  MonitorRig() : files(folder.folder()) {
    setenv("XDG_CONFIG_HOME", folder.path().c_str(), 1);
    writeSoundFiles(folder.path());
  }

  // The services on the doubles; without the fake worker the Monitor starts
  // its own worker thread.
  MonitorServices services(bool fakeWorker = true) {
    return MonitorServices{window,  files,      mouse,
                           share,   sound,      shell,
                           desktop, foreground, fakeWorker ? &worker : nullptr,
                           nullptr};
  }
  platform::LRESULT create(const MonitorServices& with, bool openConfiguration = false) {
    monitor = std::make_unique<MonitorWindow>(with, openConfiguration);
    return monitor->handle(platform::WM_CREATE, 0, 0);
  }
  void advance(std::int64_t ms) {
    window.advance(ms, [this](std::uintptr_t id) { monitor->handle(platform::WM_TIMER, id, 0); });
  }

  platform::ScopedVirtualClock clock;
  TestFolder folder;
  FakeWindowPort window;
  FakeFiles files;
  FakeMouse mouse;
  FakeShare share;
  FakeSound sound;
  FakeShell shell;
  platform::FakeDesktopMouse desktop;
  platform::FakeForegroundProgram foreground;
  FakeWorker worker;
  std::unique_ptr<MonitorWindow> monitor;
};

}  // namespace monitor::testing
