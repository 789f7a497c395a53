#pragma once

#include <memory>
#include <string>
#include <vector>

#include "portkit/HidrawNode.h"

namespace portkit {

// Lists the hidraw nodes of the machine with their USB identity.
class HidrawEnumerator {
 public:
  virtual ~HidrawEnumerator() = default;
  virtual std::vector<HidrawNode> list() = 0;
};

// Through libudev (the library's normal way).
std::unique_ptr<HidrawEnumerator> makeUdevEnumerator();

// Walks a sysfs tree: <sysfsRoot>/class/hidraw/<node>/device is the hid
// device, whose "uevent" holds HID_ID and which has "report_descriptor";
// nodes are named <devRoot>/<node>. Used where udev cannot look (tests with
// a fake tree).
class SysfsEnumerator : public HidrawEnumerator {
 public:
  SysfsEnumerator(std::string sysfsRoot, std::string devRoot)
      : sysfsRoot_(std::move(sysfsRoot)), devRoot_(std::move(devRoot)) {}
  std::vector<HidrawNode> list() override;

 private:
  std::string sysfsRoot_;
  std::string devRoot_;
};

}  // namespace portkit
