// Discovery and hotplug through libudev.
#include <libudev.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "portkit/HidrawEnumerator.h"
#include "portkit/HotplugMonitor.h"

namespace portkit {
namespace {

struct UdevDeleter {
  void operator()(udev* u) const { udev_unref(u); }
  void operator()(udev_enumerate* e) const { udev_enumerate_unref(e); }
  void operator()(udev_device* d) const { udev_device_unref(d); }
  void operator()(udev_monitor* m) const { udev_monitor_unref(m); }
};
template <typename T>
using UdevPtr = std::unique_ptr<T, UdevDeleter>;

// The hidraw node with the identity of the hid device above it.
std::optional<HidrawNode> nodeFromDevice(udev_device* dev) {
  const char* devnode = udev_device_get_devnode(dev);
  const char* sysname = udev_device_get_sysname(dev);
  udev_device* hid = udev_device_get_parent_with_subsystem_devtype(dev, "hid", nullptr);
  if (!devnode || !hid) return std::nullopt;
  HidrawNode node;
  node.devnode = devnode;
  node.sysname = sysname ? sysname : "";
  const char* hidId = udev_device_get_property_value(hid, "HID_ID");
  if (!hidId || !parseHidId(hidId, node.vendor, node.product)) return std::nullopt;
  if (const char* syspath = udev_device_get_syspath(hid)) {
    std::ifstream in(std::string(syspath) + "/report_descriptor", std::ios::binary);
    node.reportDescriptor.assign(std::istreambuf_iterator<char>(in),
                                 std::istreambuf_iterator<char>());
  }
  return node;
}

class UdevEnumerator : public HidrawEnumerator {
 public:
  std::vector<HidrawNode> list() override {
    std::vector<HidrawNode> nodes;
    UdevPtr<udev> u(udev_new());
    if (!u) return nodes;
    UdevPtr<udev_enumerate> e(udev_enumerate_new(u.get()));
    if (!e) return nodes;
    udev_enumerate_add_match_subsystem(e.get(), "hidraw");
    udev_enumerate_scan_devices(e.get());
    udev_list_entry* entry = nullptr;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(e.get())) {
      UdevPtr<udev_device> dev(
          udev_device_new_from_syspath(u.get(), udev_list_entry_get_name(entry)));
      if (!dev) continue;
      if (auto node = nodeFromDevice(dev.get())) nodes.push_back(std::move(*node));
    }
    return nodes;
  }
};

class UdevHotplugMonitor : public HotplugMonitor {
 public:
  bool start() {
    udev_.reset(udev_new());
    if (!udev_) return false;
    monitor_.reset(udev_monitor_new_from_netlink(udev_.get(), "udev"));
    return monitor_ &&
           udev_monitor_filter_add_match_subsystem_devtype(monitor_.get(), "hidraw", nullptr) >=
               0 &&
           udev_monitor_enable_receiving(monitor_.get()) >= 0;
  }
  int fd() const override { return udev_monitor_get_fd(monitor_.get()); }
  std::optional<HotplugEvent> receive() override {
    UdevPtr<udev_device> dev(udev_monitor_receive_device(monitor_.get()));
    if (!dev) return std::nullopt;
    const char* action = udev_device_get_action(dev.get());
    if (!action) return std::nullopt;
    HotplugEvent event;
    if (std::strcmp(action, "add") == 0) {
      auto node = nodeFromDevice(dev.get());
      if (!node) return std::nullopt;
      event.added = true;
      event.node = std::move(*node);
      return event;
    }
    if (std::strcmp(action, "remove") == 0) {
      const char* devnode = udev_device_get_devnode(dev.get());
      if (!devnode) return std::nullopt;
      event.node.devnode = devnode;
      return event;
    }
    return std::nullopt;
  }

 private:
  UdevPtr<udev> udev_;
  UdevPtr<udev_monitor> monitor_;
};

}  // namespace

std::unique_ptr<HidrawEnumerator> makeUdevEnumerator() {
  return std::make_unique<UdevEnumerator>();
}

std::unique_ptr<HotplugMonitor> makeUdevHotplugMonitor() {
  auto monitor = std::make_unique<UdevHotplugMonitor>();
  if (!monitor->start()) return nullptr;
  return monitor;
}

}  // namespace portkit
