#include "option/UpdatePageModel.h"

#include <algorithm>
#include <cctype>

namespace option {
namespace {

bool equalNoCase(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

void replaceWhenDifferent(std::string& link, const std::string& text) {
  if (!equalNoCase(link, text)) link = text;
}

}  // namespace

UpdatePageModel::UpdatePageModel(MakerSite site)
    : site_(std::move(site)),
      driverLink_(site_.site +
                  "driver_check.php?product=xxx_number&driver=xxx_number&firmware=xxx_number"),
      helpLink_(site_.site +
                "support.php?product=xxx_number&driver=xxx_number&firmware=xxx_number") {}

void UpdatePageModel::rebuild(const std::string& software, const std::string& firmware) {
  const std::string versions = "_" + software + "_" + firmware;
  replaceWhenDifferent(driverLink_, site_.site + "support_driver_" + site_.articleCode + versions);
  replaceWhenDifferent(helpLink_, site_.site + "support_help_" + site_.articleCode + versions);
  softwareLabel_ = "V" + software;
  firmwareLabel_ = "V" + firmware;
}

std::string UpdatePageModel::target(Button button) const {
  switch (button) {
    case kProductSupport:
      return site_.site + "Support/Gaming-Mice/NIVARO-Vesk-ORB";
    case kSupportStart:
      return site_.site + "Support/";
    case kSupportForm:
      return site_.site + "Support/Support/Support-Form/";
    case kMail:
    case kMailLower:
    case kButtonCount:
      break;
  }
  return "mailto:" + site_.supportMail;
}

}  // namespace option
