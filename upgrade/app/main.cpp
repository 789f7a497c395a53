// VeskORBOptical Firmware Upgrade: writes the packaged firmware image into
// the mouse. The Monitor starts it with "1" (a newer image is packaged) or
// "0" (the mouse has newer firmware than the image); the window's logic lives
// in the core library, this program adds the skinned window and dialogs.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "UpdaterDialog.h"
#include "UpdaterMessageDialog.h"
#include "platform/NamedMutex.h"
#include "platform/Paths.h"
#include "platform/ProcessShell.h"
#include "platform/Window.h"
#include "upgrade/DialogScript.h"
#include "upgrade/PlatformMonitorPort.h"
#include "upgrade/StartPath.h"
#include "upgrade/UpdaterNames.h"

namespace {

// Without a display the updater runs all the same, on Qt's offscreen platform.
void chooseQtPlatform() {
  const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
  if (!display && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

std::string commandLine(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) line += ' ';
    line += argv[i];
  }
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace upgrade;
  const auto instance = platform::SingleInstance::acquire(kSingleInstanceName);
  if (!instance) return -1;
  const std::string line = commandLine(argc, argv);
  std::fprintf(stderr, "FW Update: %s\n", line.c_str());

  chooseQtPlatform();
  QApplication app(argc, argv);
  DialogScript script = DialogScript::fromEnvironment();
  platform::ProcessShell shell;
  PlatformMonitorPort monitor(shell);

  switch (startPathFor(line)) {
    case StartPath::Confirm: {
      UpdaterMessageDialog confirm(UpdaterMessageDialog::Kind::Confirm);
      if (confirm.ask(script) != DialogAnswer::Ok) {
        monitor.postCloseMonitor();
        return 0;
      }
      break;
    }
    case StartPath::Notice: {
      UpdaterMessageDialog(UpdaterMessageDialog::Kind::Notice).ask(script);
      monitor.postCloseMonitor();
      return 0;
    }
    case StartPath::Direct:
      break;
  }

  UpdaterDialog window(monitor, script, platform::ProgramFolder());
  window.run();
  return 0;
}
