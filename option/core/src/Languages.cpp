#include "option/Languages.h"

namespace option {
namespace {

struct Language {
  const char* stem;
  const char* name;
};

constexpr Language kLanguages[kLanguageCount] = {
    {"Danish", "Dansk"},
    {"English", "English"},
    {"Finnish", "Suomi"},
    {"French",
     "Fran\xC3\xA7"
     "ais"},
    {"German", "Deutsch"},
    {"Italian", "Italiano"},
    {"Japanese", "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"},
    {"Korean", "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4"},
    {"Polish", "Polski"},
    {"Russian", "\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9"},
    {"SimplChinese", "\xE7\xAE\x80\xE4\xBD\x93\xE4\xB8\xAD\xE6\x96\x87"},
    {"Spanish", "Espa\xC3\xB1ol"},
    {"Swedish", "Svenska"},
    {"Thai", "\xE0\xB9\x84\xE0\xB8\x97\xE0\xB8\xA2"},
    {"TradChinese", "\xE7\xB9\x81\xE9\xAB\x94\xE4\xB8\xAD\xE6\x96\x87"},
    {"Turkish",
     "T\xC3\xBCrk\xC3\xA7"
     "e"},
    {"Vietnamese", "Ti\xE1\xBA\xBFng Vi\xE1\xBB\x87t"}};

}  // namespace

const char* languageStem(int index) { return kLanguages[shownLanguage(index)].stem; }
const char* languageDisplayName(int index) { return kLanguages[shownLanguage(index)].name; }

std::string helpFileName(int index) {
  return std::string("help/") + languageStem(index) + "_help.ini";
}

}  // namespace option
