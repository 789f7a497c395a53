#include "option/MakerSite.h"

#include <cctype>
#include <cstdlib>
#include <string_view>

#include "settings/IniFile.h"
#include "settings/SettingsFiles.h"

namespace option {
namespace {

constexpr const char* kSection = "Maker";

std::string trimmed(std::string_view text) {
  auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

bool isWebAddress(std::string_view text) {
  auto startsWith = [&](std::string_view scheme) {
    if (text.size() <= scheme.size()) return false;
    for (std::size_t i = 0; i < scheme.size(); ++i)
      if (std::tolower(static_cast<unsigned char>(text[i])) != scheme[i]) return false;
    return true;
  };
  if (!startsWith("http://") && !startsWith("https://")) return false;
  for (char c : text)
    if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) return false;
  return true;
}

// `text` in place of `value` when it is not empty (and, for a folder, an
// http(s) address, given its trailing '/').
void take(std::string& value, const std::string& text, bool folder) {
  if (text.empty()) return;
  if (folder && !isWebAddress(text)) return;
  value = text;
  if (folder && value.back() != '/') value += '/';
}

void takeEnvironment(std::string& value, const char* variable, bool folder) {
  const char* set = std::getenv(variable);
  if (set != nullptr) take(value, trimmed(set), folder);
}

}  // namespace

MakerSite MakerSite::fromEnvironment() {
  MakerSite site;
  takeEnvironment(site.site, "VESK_MAKER_SITE", true);
  takeEnvironment(site.supportMail, "VESK_SUPPORT_MAIL", false);
  takeEnvironment(site.articleCode, "VESK_ARTICLE_CODE", false);
  takeEnvironment(site.trophyService, "VESK_TROPHY_SERVICE", true);
  return site;
}

MakerSite MakerSite::load(const std::string& programFolder) {
  MakerSite site;
  settings::IniFile ini(settings::SettingsFiles(programFolder).configIniPath());
  take(site.site, trimmed(ini.ReadString(kSection, "Site", "")), true);
  take(site.supportMail, trimmed(ini.ReadString(kSection, "SupportMail", "")), false);
  take(site.articleCode, trimmed(ini.ReadString(kSection, "ArticleCode", "")), false);
  take(site.trophyService, trimmed(ini.ReadString(kSection, "TrophyService", "")), true);
  takeEnvironment(site.site, "VESK_MAKER_SITE", true);
  takeEnvironment(site.supportMail, "VESK_SUPPORT_MAIL", false);
  takeEnvironment(site.articleCode, "VESK_ARTICLE_CODE", false);
  takeEnvironment(site.trophyService, "VESK_TROPHY_SERVICE", true);
  return site;
}

}  // namespace option
