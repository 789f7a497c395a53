#include "monitor/ProfileSwitchRules.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "monitor/MonitorNames.h"

namespace monitor {
namespace {

std::string_view trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

std::string ProfileSwitchRules::fileNameLower(std::string_view path) {
  const auto slash = path.find_last_of("\\/");
  std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return name;
}

std::optional<ProfileSwitchRules::Target> ProfileSwitchRules::choose(
    const settings::SettingsImage& image, std::string_view foregroundExecutable,
    bool configurationOpen) {
  const std::string running = fileNameLower(foregroundExecutable);
  std::optional<Target> target;
  if (!running.empty()) {
    for (int p = 0; p < settings::kProfileCount && !target; ++p) {
      const auto& profile = image.Profiles[p];
      for (const auto* game : {&profile.GameFile0, &profile.GameFile1, &profile.GameFile2}) {
        const std::string_view path = trim(settings::fieldText(*game));
        if (!path.empty() && fileNameLower(path) == running) {
          target = Target{p, timer::kSoundProfile};
          break;
        }
      }
    }
  }
  if (!target) {
    if (configurationOpen || !settings::isValidProfile(image.WindowsProfile)) return std::nullopt;
    target = Target{image.WindowsProfile, timer::kSoundWindowsProfile};
  }
  if (target->profile == image.CurrentProfile) return std::nullopt;
  return target;
}

}  // namespace monitor
