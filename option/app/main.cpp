// VeskORBOpticalOption: the Configuration program. One instance per desktop
// session; its window is found by the Monitor by title and handles the
// Monitor's messages inside Qt's event loop.
#include <QApplication>
#include <QFile>
#include <QSocketNotifier>
#include <cstdlib>
#include <span>

#include "MainDialog.h"
#include "platform/NamedMutex.h"
#include "platform/Paths.h"
#include "platform/ProcessShell.h"
#include "platform/SoundOutput.h"
#include "platform/SystemDesktopMouse.h"
#include "platform/Window.h"
#include "skin/SkinContext.h"

namespace {

constexpr const char* kSingleInstanceName = "Nivaro_VeskORBOptical_configure";

void chooseQtPlatform() {
  const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
  if (!display && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

}  // namespace

int main(int argc, char** argv) {
  // A second start ends at once; the running one stays as it is.
  auto instance = platform::SingleInstance::acquire(kSingleInstanceName);
  if (!instance) return -1;

  chooseQtPlatform();
  QApplication app(argc, argv);
  const std::string folder = platform::ProgramFolder();

  skin::SkinContext& skinContext = skin::SkinContext::instance();
  skinContext.setProgramFolder(QString::fromStdString(folder));
  skinContext.registerMessages(platform::RegisterWindowMessage);
  auto sound = platform::makeSoundOutput();
  skinContext.setSoundPlayer([&sound](const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray wave = file.readAll();
    sound->play(path.toStdString(),
                std::as_bytes(std::span(wave.constData(), static_cast<std::size_t>(wave.size()))));
  });
  platform::ProcessShell shell;
  skinContext.setShellOpener([&shell](const QString& target) { shell.open(target.toStdString()); });

  platform::SystemDesktopMouse desktop;
  option::MainDialog dialog(folder, desktop);

  const platform::HWND hwnd =
      platform::CreateWindow(option::MainDialog::kTitle,
                             [&dialog](platform::HWND, platform::UINT msg, platform::WPARAM wParam,
                                       platform::LPARAM lParam) -> platform::LRESULT {
                               if (msg == platform::WM_CREATE || msg == platform::WM_DESTROY)
                                 return 0;
                               return dialog.handleMessage(msg, wParam, lParam);
                             });
  QSocketNotifier messages(platform::MessageLoopFd(), QSocketNotifier::Read);
  QObject::connect(&messages, &QSocketNotifier::activated, [&] {
    if (!platform::PumpMessages()) dialog.reject();
  });
  QObject::connect(&dialog, &QDialog::finished, &app, [&] { app.quit(); });

  dialog.show();
  dialog.bringToFront();
  platform::PumpMessages();
  const int result = app.exec();
  if (hwnd != platform::kNoWindow) platform::DestroyWindow(hwnd);
  (void)result;
  return 0;
}
