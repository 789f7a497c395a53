#pragma once

#include <QDBusConnection>

#include "monitor/MediaPlayerBus.h"

namespace mpris {

// The media players of the session bus, through their MPRIS interfaces.
// Queries wait at most kTimeoutMs for a player that hangs; commands are sent
// without waiting for an answer.
class QtMprisBus : public monitor::MediaPlayerBus {
 public:
  static constexpr int kTimeoutMs = 500;

  // The session bus of the user.
  QtMprisBus();
  explicit QtMprisBus(QDBusConnection connection);

  std::vector<std::string> players() override;
  std::string playbackStatus(const std::string& player) override;
  bool control(const std::string& player, std::string_view method) override;
  bool raise(const std::string& player) override;

 private:
  QDBusConnection bus_;
};

}  // namespace mpris
