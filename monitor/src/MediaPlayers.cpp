#include "monitor/MediaPlayers.h"

#include <algorithm>

namespace monitor {
namespace {

constexpr std::string_view kPrefix = "org.mpris.MediaPlayer2.";

// "org.mpris.MediaPlayer2.vlc" and "org.mpris.MediaPlayer2.vlc.instance42"
// are both VLC.
bool isPlayer(std::string_view busName, std::string_view player) {
  if (busName.substr(0, kPrefix.size()) != kPrefix) return false;
  busName.remove_prefix(kPrefix.size());
  return busName == player ||
         (busName.size() > player.size() && busName.substr(0, player.size()) == player &&
          busName[player.size()] == '.');
}

}  // namespace

std::string MediaPlayers::playerName(int option) {
  switch (option) {
    case 1:
      return "rhythmbox";
    case 2:
      return "vlc";
    case 3:
      return "audacious";
    default:
      return {};
  }
}

std::string MediaPlayers::programOf(int option) {
  // The desktop's music player stands for the system's own.
  return option == 0 ? playerName(1) : playerName(option);
}

std::string MediaPlayers::findPlayer(int option) {
  if (!bus_) return {};
  const std::vector<std::string> running = bus_->players();
  if (option != 0) {
    const std::string wanted = playerName(option);
    if (wanted.empty()) return {};
    auto it = std::find_if(running.begin(), running.end(),
                           [&](const std::string& name) { return isPlayer(name, wanted); });
    return it == running.end() ? std::string() : *it;
  }
  for (const std::string& name : running) {
    if (bus_->playbackStatus(name) == "Playing") return lastPlaying_ = name;
  }
  if (std::find(running.begin(), running.end(), lastPlaying_) != running.end()) return lastPlaying_;
  return running.empty() ? std::string() : running.front();
}

void MediaPlayers::onMediaFunction(unsigned function, unsigned pressFlag,
                                   const settings::Profile& profile) {
  if (pressFlag != 0 || function < Open || function > Stop) return;
  const int option = profile.MediaOption;
  if (option < 0 || option > 3) return;
  const std::string player = findPlayer(option);
  if (function == Open) {
    if (!player.empty()) {
      bus_->raise(player);
    } else {
      shell_.start(programOf(option), {});
    }
    return;
  }
  if (player.empty()) return;
  switch (function) {
    case Previous:
      bus_->control(player, "Previous");
      break;
    case Next:
      bus_->control(player, "Next");
      break;
    case PlayPause:
      if (option == 3) {
        bus_->control(player, audaciousPlaying_ ? "Pause" : "Play");
        audaciousPlaying_ = !audaciousPlaying_;
      } else {
        bus_->control(player, "PlayPause");
      }
      break;
    case Stop:
      bus_->control(player, "Stop");
      break;
    default:
      break;
  }
}

}  // namespace monitor
