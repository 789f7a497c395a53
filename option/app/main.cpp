// VeskORBOpticalOption: the Configuration program. One instance per desktop
// session; its window is found by the Monitor by title and handles the
// Monitor's messages inside Qt's event loop.
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <iterator>
#include <span>
#include <thread>
#include <vector>

#include "MainDialog.h"
#include "platform/NamedMutex.h"
#include "platform/Paths.h"
#include "platform/ProcessShell.h"
#include "platform/SoundOutput.h"
#include "platform/SystemDesktopMouse.h"
#include "platform/Window.h"
#include "skin/PicturePrefetch.h"
#include "skin/SkinContext.h"
#include "skin/SkinResourceIds.h"

namespace {

constexpr const char* kSingleInstanceName = "Nivaro_VeskORBOptical_configure";

// SIGINT and SIGTERM end the program like Cancel, so its window leaves the
// session's list of windows in order.
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

void chooseQtPlatform() {
  const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
  if (!display && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

// Writes CLOCK_REALTIME in nanoseconds to $VESK_FIRST_PAINT once the watched
// window has painted for the first time; does nothing without the variable.
class FirstPaintStamp : public QObject {
 public:
  explicit FirstPaintStamp(QWidget* window) : path_(qEnvironmentVariable("VESK_FIRST_PAINT")) {
    if (!path_.isEmpty()) window->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      // After the paint has reached the screen.
      QTimer::singleShot(0, this, [this] {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        QFile file(path_);
        if (file.open(QIODevice::WriteOnly))
          file.write(
              QByteArray::number(static_cast<qint64>(now.tv_sec) * 1000000000 + now.tv_nsec));
      });
    }
    return false;
  }

 private:
  QString path_;
};

}  // namespace

int main(int argc, char** argv) {
  // A second start ends at once; the running one stays as it is.
  auto instance = platform::SingleInstance::acquire(kSingleInstanceName);
  if (!instance) return -1;

  chooseQtPlatform();
  const std::string folder = platform::ProgramFolder();
  skin::SkinContext& skinContext = skin::SkinContext::instance();
  skinContext.setProgramFolder(QString::fromStdString(folder));
  // The sheets of the first paint are decoded on two threads while Qt connects
  // to the display and the window is built; then the hover and disabled
  // sheets that follow the first paint, so the window takes them ready.
  skin::PicturePrefetch prefetch(
      {std::begin(skin::res::kFirstPaintSheets), std::end(skin::res::kFirstPaintSheets)});
  QApplication app(argc, argv);
  // So is the font database, on a thread of its own: the window's first text
  // then finds it read instead of reading it.
  std::thread fonts([] { QFontDatabase::families(); });

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
  fonts.join();

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
  catchTerminateSignals();
  QSocketNotifier terminate(g_signalPipe[0], QSocketNotifier::Read);
  QObject::connect(&terminate, &QSocketNotifier::activated, [&] {
    char drained[16];
    while (read(g_signalPipe[0], drained, sizeof drained) > 0) {
    }
    dialog.reject();
  });

  // For the start-up benchmark: the wall-clock time at which the window was
  // first painted, written to the file VESK_FIRST_PAINT names.
  FirstPaintStamp stamp(&dialog);

  dialog.show();
  dialog.bringToFront();
  platform::PumpMessages();
  app.exec();
  if (hwnd != platform::kNoWindow) platform::DestroyWindow(hwnd);
  return 0;
}
