#include "ProgramScenes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>

#include "LanguageListDialog.h"
#include "MainDialog.h"
#include "WindowScenes.h"
#include "WindowsProfileDialog.h"
#include "platform/FakeDesktopMouse.h"
#include "skin/SkinButton.h"
#include "skin/SkinContext.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"

namespace gallery {

namespace {

// A program folder with the shipped help texts and nothing else, and a
// desktop session of its own, for as long as it lives.
class ThrowawaySuite {
 public:
  ThrowawaySuite() {
    const QString root = dir_.path();
    QDir().mkpath(root + QStringLiteral("/suite/help"));
    QDir().mkpath(root + QStringLiteral("/run"));
    QDir().mkpath(root + QStringLiteral("/config"));
    QFile::setPermissions(root + QStringLiteral("/run"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", (root + QStringLiteral("/run")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/config")).toLocal8Bit());
    const QString shipped = skin::SkinContext::instance().programFolder() + QStringLiteral("help/");
    for (const QString& name : QDir(shipped).entryList(QDir::Files))
      QFile::copy(shipped + name, root + QStringLiteral("/suite/help/") + name);
    folder_ = (root + QStringLiteral("/suite/")).toStdString();
  }
  const std::string& folder() const { return folder_; }

 private:
  QTemporaryDir dir_;
  std::string folder_;
};

void settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

}  // namespace

QImage programMainWindow() {
  ThrowawaySuite suite;
  platform::FakeDesktopMouse desktop;
  option::MainDialog window(suite.folder(), desktop);
  settings::SettingsImage& image = window.model().working();
  const char* const names[5] = {"FPS Arena", "MMO Raid", "Desktop", "Racing", "Default 5"};
  const int levels[5] = {4, 8, 16, 32, 64};
  for (int slot = 0; slot < 5; ++slot) {
    settings::Profile& profile = image.Profiles[slot];
    std::strncpy(profile.ProFileName, names[slot], sizeof profile.ProFileName - 1);
    for (int level = 0; level < 5; ++level) {
      profile.CpiLevel_X[level] = levels[level];
      profile.CpiLevel_Y[level] = level == 3 ? 24 : levels[level];
      profile.XYCpiFlag[level] = level == 3 ? 0 : 1;
      profile.dpi[level] = level == 4 ? 0 : 1;
    }
    profile.Cpi_X = 2;
    profile.Sensitivity = 7;
    profile.ScrollWheelSpeed = 3;
    profile.TiltSpeed = 5;
    profile.DbleClickSpeed = 480;
  }
  image.CurrentProfile = 0;
  image.WindowsProfile = 2;
  window.refresh();
  window.show();
  settle();
  return shapedGrab(&window, skin::SkinResources::bitmap(skin::res::kMainFace));
}

QImage programWindowsProfileDialog() {
  option::WindowsProfileDialog dialog(3);
  return shapedGrab(&dialog, dialog.face());
}

QImage programLanguageList() {
  option::LanguageListDialog list;
  list.entry(1)->setSelected(true);
  list.entry(4)->setHover(true);
  return shapedGrab(&list, list.face());
}

}  // namespace gallery
