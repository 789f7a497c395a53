#pragma once

#include <string>

// Where the maker's services live: the support site, the support mail
// address, the product's article code and the trophy service. Defaults are
// built in; the program folder's config.ini may name others in its [Maker]
// section (Site, SupportMail, ArticleCode, TrophyService), and the
// environment takes precedence over both (tests and demos point the trophy
// service at a server of their own).
namespace option {

struct MakerSite {
  std::string site = "https://www.nivaro-gaming.com/";  // with trailing '/'
  std::string supportMail = "support@nivaro-gaming.com";
  std::string articleCode = "4026556473149";
  std::string trophyService = "https://trophy.nivaro-gaming.com/";  // with trailing '/'

  // The defaults, with VESK_MAKER_SITE, VESK_SUPPORT_MAIL, VESK_ARTICLE_CODE
  // and VESK_TROPHY_SERVICE taking their place when set and not empty.
  static MakerSite fromEnvironment();
  // The defaults, then config.ini's [Maker] values in `programFolder` (with
  // its trailing '/'), then the environment. A site or service that is not
  // an http:// or https:// address keeps what it had, so a mistyped entry
  // never sends the user to a program or a file.
  static MakerSite load(const std::string& programFolder);
};

}  // namespace option
