#include "UpdaterScenes.h"

#include <QDir>
#include <QTemporaryDir>

#include "UpdaterDialog.h"
#include "UpdaterMessageDialog.h"
#include "WindowScenes.h"
#include "skin/SkinButton.h"
#include "skin/SkinContext.h"
#include "upgrade/DialogScript.h"
#include "upgrade/MonitorPort.h"
#include "upgrade/UpdaterNames.h"

namespace gallery {
namespace {

// No Monitor to find, close or start: the gallery only looks at the window.
class NoMonitor : public upgrade::MonitorPort {
 public:
  platform::HWND findMonitor() override { return platform::kNoWindow; }
  void closeMonitor(platform::HWND) override {}
  void postCloseMonitor() override {}
  bool startProgram(const std::string&) override { return false; }
};

// The updater's skin art lies in its own folder, FWUpdate/ of the program
// folder, which is its program folder while it runs.
class UpdaterFolder {
 public:
  UpdaterFolder() : suite_(skin::SkinContext::instance().programFolder()) {
    skin::SkinContext::instance().setProgramFolder(suite_ + QStringLiteral("FWUpdate/"));
  }
  ~UpdaterFolder() { skin::SkinContext::instance().setProgramFolder(suite_); }
  UpdaterFolder(const UpdaterFolder&) = delete;
  UpdaterFolder& operator=(const UpdaterFolder&) = delete;

 private:
  QString suite_;
};

}  // namespace

QImage updaterWindow() {
  const UpdaterFolder folder;
  // The window registers itself with the message layer: in a session of
  // its own, so no running updater or Monitor of this user sees it.
  QTemporaryDir session;
  const QByteArray previous = qgetenv("XDG_RUNTIME_DIR");
  QFile::setPermissions(session.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", session.path().toLocal8Bit());
  QImage picture;
  {
    NoMonitor monitor;
    upgrade::DialogScript script;
    upgrade::UpdaterDialog window(monitor, script,
                                  (session.path() + QStringLiteral("/")).toStdString());
    window.setTitle(upgrade::kUpdaterTitle);
    window.setTexts("1.05", "VeskORBOptical_FW_106.bin");
    window.setProgressRange(0, 20);
    window.setProgress(12);
    picture = shapedGrab(&window, window.face());
  }
  if (previous.isEmpty())
    qunsetenv("XDG_RUNTIME_DIR");
  else
    qputenv("XDG_RUNTIME_DIR", previous);
  return picture;
}

std::vector<std::pair<QString, QImage>> updaterDialogs() {
  using Kind = upgrade::UpdaterMessageDialog::Kind;
  const UpdaterFolder folder;
  std::vector<std::pair<QString, QImage>> pictures;
  for (Kind kind : {Kind::Confirm, Kind::Notice, Kind::Success, Kind::Failure}) {
    upgrade::UpdaterMessageDialog dialog(kind);
    if (auto* ok = dialog.findChild<skin::SkinButton*>(QStringLiteral("BUTTON_OK")))
      ok->setHover(true);
    pictures.emplace_back(QString::fromLatin1(upgrade::UpdaterMessageDialog::name(kind)),
                          shapedGrab(&dialog, dialog.face()));
  }
  return pictures;
}

}  // namespace gallery
