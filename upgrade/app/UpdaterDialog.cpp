#include "UpdaterDialog.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include "UpdaterMessageDialog.h"
#include "platform/Clock.h"
#include "platform/Window.h"
#include "skin/PageSheets.h"
#include "skin/SkinResourceIds.h"
#include "skin/SkinResources.h"
#include "skin/UpdaterLayout.h"
#include "upgrade/PortkitDevice.h"
#include "upgrade/UpdaterNames.h"

namespace upgrade {
namespace layout = skin::updater;

UpdaterDialog::UpdaterDialog(MonitorPort& monitor, DialogScript& script,
                             const std::string& programFolder)
    : script_(script) {
  namespace res = skin::res;
  setObjectName(QStringLiteral("updater"));
  const skin::PageSheets sheets = skin::PageSheets::fromResources(
      res::kUpdaterFace, res::kUpdaterHover, res::kUpdaterPressed, res::kUpdaterFace);
  setFace(sheets.normal());
  setMaskBitmap(sheets.normal());

  exit_ = new skin::SkinButton(skin::parseLayout(layout::kExit), this);
  exit_->setObjectName(QStringLiteral("BUTTON_EXIT"));
  exit_->setSheets(sheets);
  connect(exit_, &QAbstractButton::clicked, this, [this] { done(Rejected); });

  progress_ = new skin::SkinProgressBar(skin::parseLayout(layout::kProgress), this);
  progress_->setObjectName(QStringLiteral("BUTTON_Progress"));
  progress_->setColors(QColor(161, 161, 161), QColor(60, 137, 191));
  progress_->setRange(0, 127);
  progress_->setStep(1);

  hwnd_ = platform::CreateWindow(
      kUpdaterTitle,
      [this](platform::HWND, platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam) {
        return handleMessage(msg, wParam, lParam);
      });
  messages_ = std::make_unique<QSocketNotifier>(platform::MessageLoopFd(), QSocketNotifier::Read);
  connect(messages_.get(), &QSocketNotifier::activated, this, [] { platform::PumpMessages(); });

  const platform::HWND self = hwnd_;
  core_ = std::make_unique<UpdaterWindow>(
      UpdaterWindow::Ports{monitor, *this, platform::clock(),
                           [](const std::string& folder) -> std::unique_ptr<DeviceAccess> {
                             return std::make_unique<PortkitDevice>(folder);
                           },
                           [self](platform::UINT msg, platform::WPARAM w, platform::LPARAM l) {
                             platform::PostMessage(self, msg, w, l);
                           }},
      programFolder);
}

UpdaterDialog::~UpdaterDialog() {
  if (core_) core_->destroy();
  messages_.reset();
  if (hwnd_ != platform::kNoWindow) platform::DestroyWindow(hwnd_);
}

int UpdaterDialog::run() {
  core_->initialize(hwnd_);
  platform::PumpMessages();
  const int result = exec();
  core_->destroy();
  return result;
}

platform::LRESULT UpdaterDialog::handleMessage(platform::UINT msg, platform::WPARAM wParam,
                                               platform::LPARAM lParam) {
  if (msg == platform::WM_CLOSE) {
    // Closed from outside: as if Exit was clicked.
    QTimer::singleShot(0, this, [this] { done(Rejected); });
    return 0;
  }
  if (msg == platform::WM_TIMER || msg == msg::kBlockWritten || msg == msg::kUpgradeResult) {
    // Dialogs open from Qt's own loop, never inside the message pump.
    QTimer::singleShot(0, this, [this, msg, wParam, lParam] {
      if (core_) core_->handle(msg, wParam, lParam);
    });
  }
  return 0;
}

void UpdaterDialog::setProgressRange(int minimum, int maximum) {
  progress_->setRange(minimum, maximum);
}

void UpdaterDialog::setProgress(int position) { progress_->setPosition(position); }

void UpdaterDialog::setTexts(const std::string& deviceVersion, const std::string& fileName) {
  deviceVersion_ = QString::fromStdString(deviceVersion);
  fileName_ = QString::fromStdString(fileName);
  update();
}

void UpdaterDialog::setTitle(const std::string& title) {
  setWindowTitle(QString::fromStdString(title));
}

void UpdaterDialog::centre() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
}

void UpdaterDialog::showSuccess() {
  UpdaterMessageDialog(UpdaterMessageDialog::Kind::Success, this).ask(script_);
}

void UpdaterDialog::showFailure() {
  UpdaterMessageDialog(UpdaterMessageDialog::Kind::Failure, this).ask(script_);
}

void UpdaterDialog::startTimer(std::uintptr_t id, unsigned periodMs) {
  platform::SetTimer(hwnd_, id, periodMs);
}

void UpdaterDialog::stopTimer(std::uintptr_t id) { platform::KillTimer(hwnd_, id); }

void UpdaterDialog::close() { done(Accepted); }

void UpdaterDialog::paintEvent(QPaintEvent* event) {
  skin::SkinDialog::paintEvent(event);
  QPainter p(this);
  // A 14-pixel line of Arial: the face's em is a little smaller than its line.
  p.setFont(skin::SkinResources::arialFont(layout::kTextSize * 7 / 8));
  p.setPen(QColor(107, 107, 107));
  const int line = p.fontMetrics().height();
  p.drawText(QRect(layout::kDeviceVersionX, layout::kVersionY, 300, line),
             Qt::AlignLeft | Qt::AlignTop,
             QString::fromLatin1(kDeviceVersionPrefix) + deviceVersion_);
  p.drawText(
      QRect(layout::kUpdaterVersionX, layout::kVersionY, width() - layout::kUpdaterVersionX, line),
      Qt::AlignLeft | Qt::AlignTop, QString::fromLatin1(kUpdaterVersionText));
  const QRect file(QPoint(layout::kFileNameLeft, layout::kFileNameTop),
                   QPoint(layout::kFileNameRight - 1, layout::kFileNameBottom - 1));
  p.drawText(file, Qt::AlignLeft | Qt::AlignVCenter,
             p.fontMetrics().elidedText(fileName_, Qt::ElideMiddle, file.width()));
}

void UpdaterDialog::keyPressEvent(QKeyEvent* event) {
  // Escape does not close the updater: only Exit does.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  skin::SkinDialog::keyPressEvent(event);
}

}  // namespace upgrade
