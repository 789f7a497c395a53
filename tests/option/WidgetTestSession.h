#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace option::testing {

// One offscreen application for the whole test program.
inline void ensureApp() {
  static int argc = 1;
  static char name[] = "option_widget_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);  // lives for the whole run
  (void)app;
}

inline void drain() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

// A throwaway session for a window test: its own runtime and config folders
// and an empty program folder ("<root>/suite/") with a help/ folder.
struct WidgetTestSession {
  WidgetTestSession() {
    ensureApp();
    char pattern[] = "/tmp/vesk-option-gui-XXXXXX";
    root = ::mkdtemp(pattern);
    ::setenv("XDG_RUNTIME_DIR", (root + "/run").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (root + "/config").c_str(), 1);
    std::filesystem::create_directories(root + "/run");
    std::filesystem::permissions(root + "/run", std::filesystem::perms::owner_all);
    folder = root + "/suite/";
    std::filesystem::create_directories(folder + "help");
  }
  ~WidgetTestSession() { std::filesystem::remove_all(root); }
  WidgetTestSession(const WidgetTestSession&) = delete;
  WidgetTestSession& operator=(const WidgetTestSession&) = delete;

  std::string root, folder;
};

}  // namespace option::testing
