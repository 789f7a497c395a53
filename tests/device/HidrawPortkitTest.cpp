#include "portkit/HidrawPortkit.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>

#include "portkit/EventReport.h"

using namespace portkit;
namespace fs = std::filesystem;

namespace {

constexpr DeviceIds kMouse{0x1209, 0x0001};
const std::vector<std::uint8_t> kPointerDescriptor = {0x05, 0x01, 0x09, 0x02, 0xA1,
                                                      0x01, 0x81, 0x02, 0xC0};
const std::vector<std::uint8_t> kConfigDescriptor = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1,
                                                     0x01, 0x85, 0x06, 0xB1, 0x02, 0xC0};

// A sysfs tree as the kernel lays it out: class/hidraw/<node>/device links to
// the hid device, which holds uevent and report_descriptor.
struct FakeSysfs {
  fs::path root = fs::temp_directory_path() /
                  ("vesk-sysfs-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  static inline int counter = 0;
  FakeSysfs() { fs::create_directories(root / "class" / "hidraw"); }
  ~FakeSysfs() { fs::remove_all(root); }
  void add(const std::string& node, const std::string& hidId,
           const std::vector<std::uint8_t>& descriptor) {
    const fs::path hid = root / "devices" / "usb1" / (node + "-hid");
    fs::create_directories(hid);
    std::ofstream(hid / "uevent") << "DRIVER=hid-generic\nHID_ID=" << hidId << "\nHID_NAME=x\n";
    std::ofstream(hid / "report_descriptor", std::ios::binary)
        .write(reinterpret_cast<const char*>(descriptor.data()),
               static_cast<std::streamsize>(descriptor.size()));
    fs::create_directories(root / "class" / "hidraw" / node);
    fs::create_directory_symlink(hid, root / "class" / "hidraw" / node / "device");
  }
  void remove(const std::string& node) { fs::remove_all(root / "class" / "hidraw" / node); }
  std::unique_ptr<HidrawEnumerator> enumerator() {
    return std::make_unique<SysfsEnumerator>(root.string(), "/dev");
  }
};

// Stands in for the kernel: each open gives a socket whose other end the
// test writes input reports into; feature transfers are recorded and
// answered from data.
struct FakeHidIo : HidIo {
  struct Shared {
    std::mutex mutex;
    std::map<std::string, int> peers;  // devnode -> the test's end
    std::vector<std::vector<std::uint8_t>> sets;
    std::vector<std::uint8_t> getAnswer;
    int opens = 0;
    std::condition_variable opened;
  };
  explicit FakeHidIo(std::shared_ptr<Shared> shared) : s(std::move(shared)) {}
  int open(const std::string& devnode) override {
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, pair) != 0)
      return -1;
    std::lock_guard lock(s->mutex);
    ++s->opens;
    if (auto it = s->peers.find(devnode); it != s->peers.end()) ::close(it->second);
    s->peers[devnode] = pair[1];
    s->opened.notify_all();
    return pair[0];
  }
  void close(int fd) override { ::close(fd); }
  bool setFeature(int, std::span<const std::uint8_t> report) override {
    std::lock_guard lock(s->mutex);
    s->sets.emplace_back(report.begin(), report.end());
    return true;
  }
  bool getFeature(int, std::span<std::uint8_t> report) override {
    std::lock_guard lock(s->mutex);
    if (s->getAnswer.size() != report.size()) return false;
    std::copy(s->getAnswer.begin(), s->getAnswer.end(), report.begin());
    return true;
  }
  std::shared_ptr<Shared> s;
};

// Hotplug events fed by the test through a pipe.
struct FakeHotplug : HotplugMonitor {
  struct Shared {
    std::mutex mutex;
    std::deque<HotplugEvent> queue;
    int pipe[2] = {-1, -1};
  };
  explicit FakeHotplug(std::shared_ptr<Shared> shared) : s(std::move(shared)) {}
  int fd() const override { return s->pipe[0]; }
  std::optional<HotplugEvent> receive() override {
    char c;
    if (::read(s->pipe[0], &c, 1) != 1) return std::nullopt;
    std::lock_guard lock(s->mutex);
    if (s->queue.empty()) return std::nullopt;
    HotplugEvent e = s->queue.front();
    s->queue.pop_front();
    return e;
  }
  std::shared_ptr<Shared> s;
};

struct Posted {
  unsigned message;
  std::uintptr_t wParam;
  std::intptr_t lParam;
  bool operator==(const Posted&) const = default;
};

struct PortkitFixture : ::testing::Test {
  FakeSysfs sysfs;
  std::shared_ptr<FakeHidIo::Shared> io = std::make_shared<FakeHidIo::Shared>();
  std::shared_ptr<FakeHotplug::Shared> hotplug = std::make_shared<FakeHotplug::Shared>();
  std::mutex mutex;
  std::condition_variable cv;
  std::vector<Posted> posted;
  std::unique_ptr<HidrawPortkit> lib;

  void SetUp() override {
    ASSERT_EQ(::pipe(hotplug->pipe), 0);
    sysfs.add("hidraw0", "0003:0000046D:0000C077", kConfigDescriptor);  // another mouse
    sysfs.add("hidraw1", "0003:00001209:00000001", kPointerDescriptor);
    sysfs.add("hidraw2", "0003:00001209:00000001", kConfigDescriptor);
    lib = std::make_unique<HidrawPortkit>(
        kMouse, sysfs.enumerator(), std::make_unique<FakeHidIo>(io),
        [h = hotplug] { return std::make_unique<FakeHotplug>(h); },
        [this](std::uint64_t window, unsigned m, std::uintptr_t w, std::intptr_t l) {
          EXPECT_EQ(window, 77u);
          std::lock_guard lock(mutex);
          posted.push_back({m, w, l});
          cv.notify_all();
        });
  }
  void TearDown() override {
    lib.reset();
    ::close(hotplug->pipe[0]);
    ::close(hotplug->pipe[1]);
    for (auto& [node, fd] : io->peers) ::close(fd);
  }
  bool waitForPosts(std::size_t n) {
    std::unique_lock lock(mutex);
    return cv.wait_for(lock, std::chrono::seconds(10), [&] { return posted.size() >= n; });
  }
  int peer(const std::string& devnode) {
    std::lock_guard lock(io->mutex);
    return io->peers.count(devnode) ? io->peers[devnode] : -1;
  }
  // The library's thread opens the node when it starts.
  int waitForPeer(const std::string& devnode) {
    std::unique_lock lock(io->mutex);
    io->opened.wait_for(lock, std::chrono::seconds(10),
                        [&] { return io->peers.count(devnode) > 0; });
    return io->peers.count(devnode) ? io->peers[devnode] : -1;
  }
  void pushHotplug(bool added, const std::string& node, std::uint16_t vendor,
                   std::uint16_t product) {
    {
      std::lock_guard lock(hotplug->mutex);
      HotplugEvent e;
      e.added = added;
      e.node.devnode = "/dev/" + node;
      e.node.sysname = node;
      e.node.vendor = vendor;
      e.node.product = product;
      hotplug->queue.push_back(e);
    }
    ASSERT_EQ(::write(hotplug->pipe[1], "x", 1), 1);
  }
};

}  // namespace

TEST(HidrawDiscovery, IdentityAndDescriptors) {
  std::uint16_t v = 0, p = 0;
  ASSERT_TRUE(parseHidId("0003:0000046D:0000C52B", v, p));
  EXPECT_EQ(v, 0x046D);
  EXPECT_EQ(p, 0xC52B);
  EXPECT_FALSE(parseHidId("0003:0000046D", v, p));
  EXPECT_FALSE(parseHidId("0003:zz:0001", v, p));
  EXPECT_FALSE(parseHidId("0003:00010000:0001", v, p));

  EXPECT_TRUE(declaresFeatureReports(kConfigDescriptor));
  EXPECT_FALSE(declaresFeatureReports(kPointerDescriptor));
  // A long item whose data happens to contain 0xB1 is skipped whole.
  EXPECT_FALSE(declaresFeatureReports(std::vector<std::uint8_t>{0xFE, 2, 0x10, 0xB1, 0x02}));
  EXPECT_FALSE(declaresFeatureReports(std::vector<std::uint8_t>{0x27}));  // truncated
}

TEST(HidrawDiscovery, FakeSysfsTreeFindsTheConfigurationInterface) {
  FakeSysfs sysfs;
  sysfs.add("hidraw9", "0003:00001209:00000001", kPointerDescriptor);
  sysfs.add("hidraw10", "0003:00001209:00000001", kConfigDescriptor);
  sysfs.add("hidraw3", "0003:00001209:00000001", kConfigDescriptor);
  sysfs.add("hidraw0", "0003:0000046D:0000C077", kConfigDescriptor);
  fs::create_directories(sysfs.root / "class" / "hidraw" / "hidraw7");  // no device link
  SysfsEnumerator enumerator(sysfs.root.string(), "/dev");
  const auto nodes = enumerator.list();
  EXPECT_EQ(nodes.size(), 4u);
  auto chosen = chooseMouse(nodes, kMouse);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->devnode, "/dev/hidraw3") << "configuration interface, lowest number";
  sysfs.remove("hidraw3");
  EXPECT_EQ(chooseMouse(enumerator.list(), kMouse)->devnode, "/dev/hidraw10");
  EXPECT_FALSE(chooseMouse(enumerator.list(), DeviceIds{0x1209, 0x0002}));
  EXPECT_TRUE(SysfsEnumerator("/nonexistent", "/dev").list().empty());
}

TEST(HidrawDiscovery, DeviceIdsFromIni) {
  const fs::path dir = fs::temp_directory_path() / ("vesk-ini-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string ini = (dir / "portkit.ini").string();
  EXPECT_EQ(readDeviceIds(ini).vendor, kDefaultDeviceIds.vendor) << "missing file";
  std::ofstream(ini) << "[Device]\r\nVID=0x046d\r\nPID=C52B\r\n";
  EXPECT_EQ(readDeviceIds(ini).vendor, 0x046D);
  EXPECT_EQ(readDeviceIds(ini).product, 0xC52B);
  std::ofstream(ini) << "[Device]\nVID=nothex\nPID=123456\n";
  EXPECT_EQ(readDeviceIds(ini).vendor, kDefaultDeviceIds.vendor);
  EXPECT_EQ(readDeviceIds(ini).product, kDefaultDeviceIds.product);
  fs::remove_all(dir);
}

TEST(HidrawDiscovery, EventReportsAndPlugTracking) {
  const auto e = parseEventReport(std::vector<std::uint8_t>{0x20, 0x00, 0x20, 0x03, 0x00});
  ASSERT_TRUE(e);
  EXPECT_EQ(e->type, 0x2000);
  EXPECT_EQ(e->value, 3);
  EXPECT_FALSE(parseEventReport(std::vector<std::uint8_t>{0x01, 0, 0x20, 3, 0}));
  EXPECT_FALSE(parseEventReport(std::vector<std::uint8_t>{0x20, 0, 0x20}));

  PlugTracker t;
  EXPECT_EQ(t.nodeAdded("/dev/hidraw1"), true);
  EXPECT_EQ(t.nodeAdded("/dev/hidraw2"), std::nullopt) << "second interface of the same mouse";
  EXPECT_EQ(t.nodeRemoved("/dev/hidraw9"), std::nullopt);
  EXPECT_EQ(t.nodeRemoved("/dev/hidraw1"), std::nullopt);
  EXPECT_EQ(t.nodeRemoved("/dev/hidraw2"), false);
}

TEST_F(PortkitFixture, FeatureReportsGoToTheChosenNode) {
  const std::uint8_t report[3] = {5, 3, 1};
  EXPECT_FALSE(lib->setFeature(report)) << "not open yet";
  EXPECT_EQ(lib->productId(), 0);
  ASSERT_TRUE(lib->openFeatureDevice());
  EXPECT_GE(peer("/dev/hidraw2"), 0);
  EXPECT_EQ(lib->productId(), 0x0001);
  ASSERT_TRUE(lib->setFeature(report));
  EXPECT_EQ(io->sets.back(), (std::vector<std::uint8_t>{5, 3, 1}));
  io->getAnswer = {9, 6, 107, 0, 0, 0};
  std::uint8_t version[6] = {9};
  ASSERT_TRUE(lib->getFeature(version));
  EXPECT_EQ(version[2], 107);
  lib->closeFeatureDevice();
  EXPECT_FALSE(lib->getFeature(version));

  sysfs.remove("hidraw2");
  sysfs.remove("hidraw1");
  EXPECT_FALSE(lib->openFeatureDevice()) << "mouse absent";
}

TEST_F(PortkitFixture, EventsAndPlugChangesArePostedFromTheLibraryThread) {
  lib->openDevMonitor(77, 1325, 1326);
  const int fd = waitForPeer("/dev/hidraw2");
  ASSERT_GE(fd, 0);
  const std::uint8_t pointer[4] = {0x01, 0x05, 0x00, 0x00};
  const std::uint8_t dpi[5] = {0x20, 0x00, 0xB0, 0x03, 0x00};
  ASSERT_EQ(::write(fd, pointer, sizeof pointer), 4);
  ASSERT_EQ(::write(fd, dpi, sizeof dpi), 5);
  ASSERT_TRUE(waitForPosts(1));
  EXPECT_EQ(posted[0], (Posted{1325, 0xB000, 3}));

  pushHotplug(true, "hidraw5", 0x046D, 0xC077);  // not ours
  pushHotplug(false, "hidraw1", 0, 0);           // one interface of two
  pushHotplug(false, "hidraw2", 0, 0);
  ASSERT_TRUE(waitForPosts(2));
  EXPECT_EQ(posted[1], (Posted{1326, 0, 0}));
  pushHotplug(true, "hidraw2", 0x1209, 0x0001);
  ASSERT_TRUE(waitForPosts(3));
  EXPECT_EQ(posted[2], (Posted{1326, 1, 0}));
  lib->closeDevMonitor();
  const std::size_t count = posted.size();
  EXPECT_EQ(count, 3u);
}
