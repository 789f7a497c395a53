#include <filesystem>
#include <fstream>
#include <iterator>

#include "portkit/HidrawEnumerator.h"

namespace portkit {

namespace fs = std::filesystem;

std::vector<HidrawNode> SysfsEnumerator::list() {
  std::vector<HidrawNode> nodes;
  std::error_code ec;
  const fs::path classDir = fs::path(sysfsRoot_) / "class" / "hidraw";
  for (const fs::directory_entry& entry : fs::directory_iterator(classDir, ec)) {
    const fs::path device = entry.path() / "device";
    std::ifstream uevent(device / "uevent");
    if (!uevent) continue;
    HidrawNode node;
    node.sysname = entry.path().filename().string();
    node.devnode = (fs::path(devRoot_) / node.sysname).string();
    bool identified = false;
    for (std::string line; std::getline(uevent, line);) {
      if (line.rfind("HID_ID=", 0) == 0) {
        identified = parseHidId(std::string_view(line).substr(7), node.vendor, node.product);
      }
    }
    if (!identified) continue;
    std::ifstream descriptor(device / "report_descriptor", std::ios::binary);
    node.reportDescriptor.assign(std::istreambuf_iterator<char>(descriptor),
                                 std::istreambuf_iterator<char>());
    nodes.push_back(std::move(node));
  }
  return nodes;
}

}  // namespace portkit
