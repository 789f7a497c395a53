#include "option/HelpTexts.h"

#include "option/Languages.h"
#include "platform/Paths.h"
#include "settings/IniFile.h"

namespace option {
namespace {

// No real help text is this; it marks a key the file lacks.
constexpr const char* kMissing = "\x01missing\x01";

void readInto(std::map<int, std::string>& texts, const std::string& path,
              const std::vector<int>& ids) {
  if (!platform::FileExists(path)) return;
  settings::IniFile file(path);
  for (const int id : ids) {
    if (texts.count(id)) continue;
    std::string text = file.ReadString(HelpTexts::kSection, std::to_string(id), kMissing);
    if (text != kMissing) texts.emplace(id, std::move(text));
  }
}

}  // namespace

void HelpTexts::load(const std::string& programFolder, int language, const std::vector<int>& ids) {
  texts_.clear();
  readInto(texts_, platform::ResolveIn(programFolder, helpFileName(language)), ids);
  if (shownLanguage(language) != kEnglish)
    readInto(texts_, platform::ResolveIn(programFolder, helpFileName(kEnglish)), ids);
}

std::optional<std::string> HelpTexts::text(int id) const {
  const auto it = texts_.find(id);
  if (it == texts_.end()) return std::nullopt;
  return it->second;
}

const std::vector<int>& mainWindowHelpIds() {
  static const std::vector<int> ids = [] {
    std::vector<int> v;
    for (int id = 1001; id <= 1027; ++id) v.push_back(id);
    return v;
  }();
  return ids;
}

const std::vector<int>& mainPageHelpIds() {
  static const std::vector<int> ids = {1028, 1029, 1030, 1031, 1032, 1033, 1034};
  return ids;
}

const std::vector<int>& otherPagesHelpIds() {
  static const std::vector<int> ids = [] {
    std::vector<int> v;
    for (int id = 1038; id <= 1058; ++id) v.push_back(id);  // Advanced
    for (int id = 1071; id <= 1109; ++id) v.push_back(id);  // Update, Color, Trophy
    return v;
  }();
  return ids;
}

std::vector<int> allHelpIds() {
  std::vector<int> all = mainWindowHelpIds();
  all.insert(all.end(), mainPageHelpIds().begin(), mainPageHelpIds().end());
  all.insert(all.end(), otherPagesHelpIds().begin(), otherPagesHelpIds().end());
  return all;
}

}  // namespace option
