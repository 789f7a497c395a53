#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/SettingsFiles.h"

namespace settings {

namespace {

constexpr int kEnglish = 1;
constexpr int kEnglishUs = 1033;

struct LocaleId {
  std::string_view locale;  // "ll" or "ll_CC"
  int id;
};

// Language identifiers of the locales the help languages can come from; a
// bare language code stands for its primary country.
constexpr LocaleId kLocaleIds[] = {
    {"zh_TW", 1028},  {"zh_CN", 2052},  {"zh_HK", 3076},  {"zh_SG", 4100},  {"zh_MO", 5124},
    {"zh", 2052},     {"da", 1030},     {"de_CH", 2055},  {"de_AT", 3079},  {"de_LU", 4103},
    {"de_LI", 5127},  {"de", 1031},     {"en", 1033},     {"fi", 1035},     {"fr_BE", 2060},
    {"fr_CA", 3084},  {"fr_CH", 4108},  {"fr_LU", 5132},  {"fr", 1036},     {"it_CH", 2064},
    {"it", 1040},     {"ja", 1041},     {"ko", 1042},     {"pl", 1045},     {"ru", 1049},
    {"sv_FI", 2077},  {"sv", 1053},     {"th", 1054},     {"tr", 1055},     {"vi", 1066},
    {"es_MX", 2058},  {"es_GT", 4106},  {"es_CR", 5130},  {"es_PA", 6154},  {"es_DO", 7178},
    {"es_VE", 8202},  {"es_CO", 9226},  {"es_PE", 10250}, {"es_AR", 11274}, {"es_EC", 12298},
    {"es_CL", 13322}, {"es_UY", 14346}, {"es_PY", 15370}, {"es_BO", 16394}, {"es_SV", 17418},
    {"es_HN", 18442}, {"es_NI", 19466}, {"es_PR", 20490}, {"es_US", 21514}, {"es", 3082},
};

std::string_view firstSet(std::initializer_list<const char*> names) {
  for (const char* name : names) {
    const char* value = std::getenv(name);
    if (value && *value) return value;
  }
  return {};
}

}  // namespace

int LanguageIndexFromLanguageId(int id) {
  switch (id) {
    case 1028:
      return 14;
    case 1030:
      return 0;
    case 1031:
    case 2055:
    case 3079:
    case 4103:
    case 5127:
      return 4;
    case 1035:
      return 2;
    case 1036:
    case 2060:
    case 3084:
    case 4108:
    case 5132:
      return 3;
    case 1040:
    case 2064:
      return 5;
    case 1041:
      return 6;
    case 1042:
      return 7;
    case 1045:
      return 8;
    case 1049:
      return 9;
    case 1053:
      return 12;
    case 1054:
      return 13;
    case 1055:
      return 15;
    case 1066:
      return 16;
    case 2052:
      return 10;
    case 1034:
    case 2058:
    case 3082:
    case 4106:
    case 5130:
      return 11;
    default:
      break;
  }
  if (id >= 6154 && id <= 20490 && (id - 6154) % 1024 == 0) return 11;
  return kEnglish;
}

int LanguageIdFromLocale(std::string_view locale) {
  // "de_AT.UTF-8@euro" -> "de_AT"
  locale = locale.substr(0, locale.find_first_of(".@"));
  const std::string_view language = locale.substr(0, locale.find('_'));
  for (const LocaleId& l : kLocaleIds)
    if (l.locale == locale) return l.id;
  for (const LocaleId& l : kLocaleIds)
    if (l.locale == language) return l.id;
  return kEnglishUs;
}

int LanguageIndexFromSystem() {
  std::string_view locale = firstSet({"LANGUAGE"});
  locale = locale.substr(0, locale.find(':'));  // the first of the preferred languages
  if (locale.empty()) locale = firstSet({"LC_ALL", "LC_MESSAGES", "LANG"});
  return LanguageIndexFromLanguageId(LanguageIdFromLocale(locale));
}

}  // namespace settings
