#include "ProgramScenes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstring>
#include <ctime>

#include "LanguageListDialog.h"
#include "LightPage.h"
#include "MainDialog.h"
#include "TrophyResetDialog.h"
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

// The first start recorded `daysAgo` days before now, as the Monitor
// writes it, for the Trophy page's per-hour and per-day views.
void recordFirstStart(const std::string& folder, int daysAgo) {
  const std::time_t then = std::time(nullptr) - static_cast<std::time_t>(daysAgo) * 86400;
  std::tm local{};
  localtime_r(&then, &local);
  QFile file(QString::fromStdString(folder) + QStringLiteral("RunsStart.ini"));
  if (!file.open(QIODevice::WriteOnly)) return;
  QTextStream(&file) << "[StartTime]\nYear=" << local.tm_year + 1900
                     << "\nMonth=" << local.tm_mon + 1 << "\nDay=" << local.tm_mday
                     << "\nHour=" << local.tm_hour << "\nMinute=" << local.tm_min << "\n";
}

// A well-used mouse: a few weeks of clicks, scrolls and distance, and the
// trophies those earn.
void sampleStatistics(settings::UsageInfo& info) {
  const std::int32_t counters[13] = {612034, 201877, 48211,   15320, 9876, 190412, 3390,
                                     0,      0,      1733590, 16840, 2205, 0};
  for (int k = 0; k < 13; ++k) info.Counters[k] = counters[k];
  const bool earned[13] = {true,  true,  false, true,  true,  false, true,
                           false, false, true,  false, false, false};
  for (int t = 0; t < 13; ++t) info.TrophyFlags[t] = earned[t] ? 1 : 0;
  info.LatestTrophy = 10;
}

// Four zones in a sunset run, zone 2 blue, breathing.
void sampleLights(settings::Profile& profile) {
  const int indexes[4] = {1, 4, 23, 27};
  const std::uint8_t device[4][3] = {{250, 0, 0}, {250, 40, 0}, {0, 0, 250}, {250, 0, 250}};
  for (int zone = 0; zone < 4; ++zone) {
    settings::LightZone& z = profile.LightInfo[zone];
    z.ColorIndex = static_cast<std::uint8_t>(indexes[zone]);
    z.OnFlag = 1;
    z.Red = device[zone][0];
    z.Green = device[zone][1];
    z.Blue = device[zone][2];
  }
  profile.LightEffectType = 3;
  profile.LightEffectMode = 1;
  profile.LightColorFlow = 1;
  profile.LightEffectSpeed = 2;
  profile.UseColorForAll = 0;
}

}  // namespace

QImage programMainWindow() { return programPage(option::OptionPage::Main); }

QImage programPage(int kind) {
  ThrowawaySuite suite;
  recordFirstStart(suite.folder(), 23);
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
  sampleLights(image.Profiles[0]);
  sampleStatistics(image.InfoData);
  image.CurrentProfile = 0;
  image.WindowsProfile = 2;
  window.refresh();
  window.showPage(kind);
  if (kind == option::OptionPage::Color)
    static_cast<option::LightPage*>(window.page(kind))->model().zoneSelected(2);
  window.page(kind)->refresh();
  window.show();
  settle();
  return shapedGrab(&window, skin::SkinResources::bitmap(skin::res::kMainFace));
}

QImage programTrophyResetDialog() {
  option::TrophyResetDialog dialog;
  dialog.okButton()->setHover(true);
  return shapedGrab(&dialog, dialog.face());
}

QImage programWindowsProfileDialog() {
  option::WindowsProfileDialog dialog;
  return shapedGrab(&dialog, dialog.face());
}

QImage programLanguageList() {
  option::LanguageListDialog list;
  list.entry(1)->setSelected(true);
  list.entry(4)->setHover(true);
  return shapedGrab(&list, list.face());
}

}  // namespace gallery
