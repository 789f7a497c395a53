#pragma once

#include <string>

#include "option/MakerSite.h"

// The Update page: the software and firmware versions and the addresses of
// the maker's support resources, with the driver-check and help links that
// follow the versions.
namespace option {

class UpdatePageModel {
 public:
  enum Button { kProductSupport, kSupportStart, kMail, kSupportForm, kMailLower, kButtonCount };

  explicit UpdatePageModel(MakerSite site = MakerSite::fromEnvironment());

  // The links and labels for these version texts; a link changes only when
  // its new text differs other than in case.
  void rebuild(const std::string& software, const std::string& firmware);

  const std::string& driverLink() const { return driverLink_; }
  const std::string& helpLink() const { return helpLink_; }
  const std::string& softwareLabel() const { return softwareLabel_; }
  const std::string& firmwareLabel() const { return firmwareLabel_; }
  // What a button opens with the desktop's "open".
  std::string target(Button button) const;

 private:
  MakerSite site_;
  std::string driverLink_;
  std::string helpLink_;
  std::string softwareLabel_;
  std::string firmwareLabel_;
};

}  // namespace option
