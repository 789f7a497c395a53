#include "QtTrayIcon.h"

#include <QAction>
#include <QApplication>
#include <QPainter>
#include <QPixmap>

#include "monitor/MonitorNames.h"
#include "platform/Window.h"

namespace monitor {
namespace {

// A small mouse silhouette, drawn so the program needs no icon file.
QIcon mouseIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(30, 30, 34));
  painter.setPen(QPen(QColor(250, 80, 0), 2));
  painter.drawRoundedRect(QRectF(8, 3, 16, 26), 8, 8);
  painter.drawLine(QPointF(16, 4), QPointF(16, 13));
  return QIcon(pixmap);
}

}  // namespace

QtTrayIcon::QtTrayIcon() : menu_(std::make_unique<QMenu>()) {
  QAction* configuration = menu_->addAction(QStringLiteral("Configuration"));
  menu_->setDefaultAction(configuration);
  menu_->addSeparator();
  QAction* exitAction = menu_->addAction(QStringLiteral("Exit"));
  QObject::connect(configuration, &QAction::triggered,
                   [this] { postCommand(msg::kCommandOpenOption); });
  QObject::connect(exitAction, &QAction::triggered, [this] { postCommand(msg::kCommandExit); });
  if (QSystemTrayIcon::isSystemTrayAvailable()) {
    // An installed suite's icon theme has the tray icon; a build folder draws its own.
    icon_ = std::make_unique<QSystemTrayIcon>(
        QIcon::fromTheme(QStringLiteral("vesk-orb-tray"), mouseIcon()));
    icon_->setToolTip(QString::fromLatin1(kTrayTip));
    icon_->setContextMenu(menu_.get());
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                       if (reason == QSystemTrayIcon::DoubleClick)
                         postCommand(msg::kCommandOpenOption);
                     });
  }
}

void QtTrayIcon::setVisible(bool visible) {
  if (icon_) icon_->setVisible(visible);
}

void QtTrayIcon::postCommand(platform::WPARAM command) {
  if (window_ != platform::kNoWindow)
    platform::PostMessage(window_, platform::WM_COMMAND, command, 0);
}

}  // namespace monitor
