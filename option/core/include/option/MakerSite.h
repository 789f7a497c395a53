#pragma once

#include <string>

// Where the maker's services live: the support site, the support mail
// address, the product's article code and the trophy service. Defaults are
// built in; the environment may point the programs elsewhere (tests and
// demos point the trophy service at a server of their own).
namespace option {

struct MakerSite {
  std::string site = "https://www.nivaro-gaming.com/";  // with trailing '/'
  std::string supportMail = "support@nivaro-gaming.com";
  std::string articleCode = "4026556473149";
  std::string trophyService = "https://trophy.nivaro-gaming.com/";  // with trailing '/'

  // The defaults, with VESK_MAKER_SITE, VESK_SUPPORT_MAIL, VESK_ARTICLE_CODE
  // and VESK_TROPHY_SERVICE taking their place when set and not empty.
  static MakerSite fromEnvironment();
};

}  // namespace option
