#include "option/MakerSite.h"

#include <cstdlib>

namespace option {
namespace {

void take(std::string& value, const char* variable, bool folder) {
  const char* set = std::getenv(variable);
  if (set == nullptr || *set == '\0') return;
  value = set;
  if (folder && value.back() != '/') value += '/';
}

}  // namespace

MakerSite MakerSite::fromEnvironment() {
  MakerSite site;
  take(site.site, "VESK_MAKER_SITE", true);
  take(site.supportMail, "VESK_SUPPORT_MAIL", false);
  take(site.articleCode, "VESK_ARTICLE_CODE", false);
  take(site.trophyService, "VESK_TROPHY_SERVICE", true);
  return site;
}

}  // namespace option
