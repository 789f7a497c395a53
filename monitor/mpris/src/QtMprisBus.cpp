#include "mpris/QtMprisBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>

namespace mpris {
namespace {

const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kRootInterface = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kPrefix = QStringLiteral("org.mpris.MediaPlayer2.");

}  // namespace

QtMprisBus::QtMprisBus() : bus_(QDBusConnection::sessionBus()) {}

QtMprisBus::QtMprisBus(QDBusConnection connection) : bus_(std::move(connection)) {}

std::vector<std::string> QtMprisBus::players() {
  std::vector<std::string> names;
  if (!bus_.isConnected()) return names;
  QDBusMessage list = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListNames"));
  const QDBusMessage reply = bus_.call(list, QDBus::Block, kTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return names;
  for (const QString& name : reply.arguments().first().toStringList())
    if (name.startsWith(kPrefix)) names.push_back(name.toStdString());
  return names;
}

std::string QtMprisBus::playbackStatus(const std::string& player) {
  QDBusMessage get = QDBusMessage::createMethodCall(
      QString::fromStdString(player), kObjectPath,
      QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  get << kPlayerInterface << QStringLiteral("PlaybackStatus");
  const QDBusMessage reply = bus_.call(get, QDBus::Block, kTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
  return reply.arguments().first().value<QDBusVariant>().variant().toString().toStdString();
}

bool QtMprisBus::control(const std::string& player, std::string_view method) {
  QDBusMessage call = QDBusMessage::createMethodCall(
      QString::fromStdString(player), kObjectPath, kPlayerInterface,
      QString::fromUtf8(method.data(), static_cast<qsizetype>(method.size())));
  call.setAutoStartService(false);
  return bus_.send(call);
}

bool QtMprisBus::raise(const std::string& player) {
  QDBusMessage call = QDBusMessage::createMethodCall(QString::fromStdString(player), kObjectPath,
                                                     kRootInterface, QStringLiteral("Raise"));
  call.setAutoStartService(false);
  return bus_.send(call);
}

}  // namespace mpris
