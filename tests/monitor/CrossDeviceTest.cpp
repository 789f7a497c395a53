#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "MonitorRig.h"
#include "monitor/ChorusRecords.h"
#include "monitor/CrossDeviceHost.h"
#include "monitor/MonitorNames.h"
#include "monitor/MonitorWindow.h"
#include "monitor/PlatformChorusLink.h"
#include "platform/VirtualClock.h"
#include "settings/SettingsFiles.h"

namespace monitor {
namespace {

using namespace monitor::testing;
using Bytes = std::vector<std::uint8_t>;
using Light = device::codec::LightCommandBytes;

constexpr platform::UINT kChorus = 0xC101;
constexpr platform::UINT kAmbient = 0xC102;
constexpr platform::UINT kActiveStatus = 0xC103;
constexpr platform::HWND kHost = 0x5A5A1234;
constexpr platform::HWND kOption = 200;

class FakeChorusLink : public ChorusLink {
 public:
  struct Sent {
    platform::HWND window;
    platform::WPARAM wParam;
    std::uintptr_t dwData;
    Bytes bytes;
  };
  platform::UINT registerMessage(std::string_view name) override {
    if (name == kChorusMessage) return kChorus;
    if (name == kChorusAmbientMessage) return kAmbient;
    if (name == kChorusActiveStatusMessage) return kActiveStatus;
    return 0;
  }
  void broadcast(platform::UINT message, platform::WPARAM w, platform::LPARAM l) override {
    broadcasts.push_back({platform::HWND_BROADCAST, message, w, l});
  }
  bool sendCopyData(platform::HWND window, platform::WPARAM w, std::uintptr_t dwData,
                    std::span<const std::byte> bytes) override {
    const auto* b = reinterpret_cast<const std::uint8_t*>(bytes.data());
    sent.push_back({window, w, dwData, Bytes(b, b + bytes.size())});
    return true;
  }
  void postToHost(platform::UINT message, platform::WPARAM w, platform::LPARAM l) override {
    hostPosts.push_back({kHost, message, w, l});
  }
  void registerDevice() override { ++registrations; }
  void writePeers(const settings::DeviceInfoTable& table) override {
    written = table;
    ++peerWrites;
  }
  AmbientLight ambientLight() override { return ambient; }

  std::vector<Posted> broadcasts, hostPosts;
  std::vector<Sent> sent;
  int registrations = 0, peerWrites = 0;
  settings::DeviceInfoTable written{};
  AmbientLight ambient;
};

Bytes le16(unsigned v) { return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)}; }
Bytes le32(std::uint32_t v) {
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
          static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}
Bytes cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}
Light light(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
  return device::codec::encodeLightCommand(a, b, c);
}

chorus::PeerRecord peer(std::uint16_t id, std::u16string name, std::uint8_t level = 7) {
  chorus::PeerRecord r{};
  r.kind = 0x0B05;
  r.id = id;
  std::memcpy(r.name, name.data(), std::min<std::size_t>(name.size(), 20) * 2);
  std::memset(r.levels, level, sizeof r.levels);
  return r;
}

class CrossDeviceTest : public MonitorRig {
 protected:
  CrossDeviceTest() { window.windows[kOptionTitle] = kOption; }
  // The Monitor goes before the link it was given.
  ~CrossDeviceTest() override { monitor.reset(); }

  MonitorWindow& start(bool plugged = true) {
    mouse.plugged = plugged;
    MonitorServices with = services();
    with.chorus = &link;
    create(with);
    return *monitor;
  }
  void status(platform::UINT message, platform::WPARAM w, platform::LPARAM l) {
    monitor->handle(message, w, l);
  }
  platform::LRESULT sendPeer(const chorus::PeerRecord& record, platform::DWORD size = 64) {
    platform::COPYDATASTRUCT data{0, size, &record};
    return monitor->handle(platform::WM_COPYDATA, 0, reinterpret_cast<platform::LPARAM>(&data));
  }
  Bytes statusRecord() {
    const settings::Profile& p = monitor->image().Profiles[monitor->image().CurrentProfile];
    Bytes r = cat({le16(chorus::kVendorId), le16(chorus::kProductId),
                   le32(static_cast<std::uint32_t>(FakeWindowPort::kSelf))});
    for (int i = 0; i < 5; ++i)
      r = cat({r, le32(static_cast<std::uint32_t>(p.CpiLevel_X[i] * 100))});
    return r;
  }

  FakeChorusLink link;
};

TEST_F(CrossDeviceTest, RegistersAnnouncesAndSendsNothingWithoutAHost) {
  start();
  EXPECT_EQ(link.registrations, 1);
  ASSERT_EQ(link.broadcasts.size(), 1u);
  EXPECT_EQ(link.broadcasts[0].message, kChorus);
  EXPECT_EQ(link.broadcasts[0].wParam, 11u);
  EXPECT_EQ(link.broadcasts[0].lParam, static_cast<platform::LPARAM>(FakeWindowPort::kSelf));
  monitor->handle(msg::kApply, 0, 0);
  EXPECT_TRUE(link.sent.empty());
  EXPECT_TRUE(link.hostPosts.empty());
}

TEST_F(CrossDeviceTest, HostStatusSixTakesTheTrayAndGetsTheRecordsOnce) {
  start();
  EXPECT_TRUE(monitor->trayVisible());
  status(kChorus, 6, static_cast<platform::LPARAM>(kHost));
  EXPECT_FALSE(monitor->trayVisible());
  ASSERT_EQ(link.sent.size(), 2u);
  for (const auto& s : link.sent) {
    EXPECT_EQ(s.window, kHost);
    EXPECT_EQ(s.wParam, 2024u);
    EXPECT_EQ(s.bytes, statusRecord());
  }
  EXPECT_EQ(link.sent[0].dwData, 0x07970003u);
  EXPECT_EQ(link.sent[1].dwData, 0x07970005u);

  // A second host keeps the first handle, and no records go out again.
  status(msg::kCrossDeviceStatus, 7, 0);
  EXPECT_TRUE(monitor->trayVisible());
  status(msg::kCrossDeviceStatus, 6, static_cast<platform::LPARAM>(kHost));
  status(kChorus, 6, 0x777);
  EXPECT_FALSE(monitor->trayVisible());
  ASSERT_EQ(link.sent.size(), 4u);
  EXPECT_EQ(link.sent.back().window, kHost);
  status(kChorus, 6, 0x777);
  EXPECT_EQ(link.sent.size(), 4u);

  // Apply and profile change send the notice and the active status.
  link.sent.clear();
  monitor->handle(msg::kApply, 0, 0);
  ASSERT_EQ(link.sent.size(), 1u);
  EXPECT_EQ(link.sent[0].dwData, 0x07970005u);
  ASSERT_EQ(link.hostPosts.size(), 1u);
  EXPECT_EQ(link.hostPosts[0].message, kActiveStatus);

  // Removal and shutdown report the device inactive.
  monitor->handle(msg::kDevicePlug, 0, 0);
  EXPECT_EQ(link.sent.back().dwData, 0x07970004u);
  monitor->handle(platform::WM_DESTROY, 0, 0);
  EXPECT_EQ(link.sent.back().dwData, 0x07970004u);
}

TEST_F(CrossDeviceTest, HostHandleIsTakenFromTheLow32Bits) {
  start();
  status(kChorus, 6, static_cast<platform::LPARAM>(0xFFFFFFFF00000000ull | kHost));
  EXPECT_EQ(link.sent.at(0).window, kHost);
}

TEST_F(CrossDeviceTest, WithoutTheMouseStatusSixSendsNoRecords) {
  start(false);
  status(kChorus, 6, static_cast<platform::LPARAM>(kHost));
  EXPECT_TRUE(link.sent.empty());
  EXPECT_FALSE(monitor->trayVisible());
}

TEST_F(CrossDeviceTest, DualShiftRecordsFollowTheSlotsFunctionCode) {
  start();
  status(kChorus, 6, static_cast<platform::LPARAM>(kHost));
  link.sent.clear();
  auto& slot3 = monitor->image().Profiles[0].MacroKeyInfo[3];
  struct Case {
    std::uint8_t code;
    std::int16_t peer;
    unsigned command, value;
  } cases[] = {{81, 0x0B2C, 245, 0x0B2C},
               {82, -2, 246, 0xFFFE},
               {83, 5, 140, 0xFFFF},
               {84, 5, 141, 0xFFFF},
               {7, 5, 0, 0}};
  for (const Case& c : cases) {
    slot3.FunctionCode = c.code;
    slot3.setPeerValue(c.peer);
    monitor->handle(msg::kDeviceEvent, 0xFF00, 0x0104);  // slot 4, press flag 1
    ASSERT_FALSE(link.sent.empty());
    const auto& s = link.sent.back();
    EXPECT_EQ(s.dwData, 0x07970000u + c.command);
    EXPECT_EQ(s.bytes, cat({le16(chorus::kVendorId),
                            le16(chorus::kProductId),
                            {static_cast<std::uint8_t>(c.command)},
                            le16(chorus::kVendorId),
                            le16(c.value),
                            {1}}));
  }
}

TEST_F(CrossDeviceTest, LightCommandsFromTheHost) {
  start();
  struct Case {
    platform::UINT message;
    platform::WPARAM w;
    platform::LPARAM l;
    std::optional<Light> expected;
  } cases[] = {
      {kChorus, 140, 0, light(1, 255, 255)},
      {msg::kCrossDeviceStatus, 245, 1, light(0, 255, 255)},
      {kChorus, 245, 9, light(255, 255, 255)},
      {kChorus, 141, 1, std::nullopt},  // only l = 0 flips
      {kChorus, 141, 0, light(255, 1, 255)},
      {msg::kCrossDeviceStatus, 246, 0, light(255, 0, 255)},
      {msg::kCrossDeviceStatus, 247, 0, light(255, 255, 1)},
      {msg::kCrossDeviceStatus, 251, 0, light(255, 255, 5)},
      {msg::kCrossDeviceStatus, 249, 1, light(255, 255, 0)},
      {msg::kCrossDeviceStatus, 250, 3, light(255, 255, 255)},
      {kChorus, 248, 0, std::nullopt},  // the colour rows come only as 2025
  };
  for (const Case& c : cases) {
    mouse.lightCommands.clear();
    status(c.message, c.w, c.l);
    if (c.expected) {
      ASSERT_EQ(mouse.lightCommands.size(), 1u) << c.w << " " << c.l;
      EXPECT_EQ(mouse.lightCommands[0], *c.expected) << c.w << " " << c.l;
    } else {
      EXPECT_TRUE(mouse.lightCommands.empty()) << c.w << " " << c.l;
    }
  }
  // A change of profile or settings clears the toggle.
  monitor->handle(msg::kApply, 0, 0);
  mouse.lightCommands.clear();
  status(kChorus, 141, 0);
  EXPECT_EQ(mouse.lightCommands.at(0), light(255, 1, 255));
}

TEST_F(CrossDeviceTest, AmbientEventSendsTheMonitorsOwnLight) {
  start();
  link.ambient = {true, {1, 2, 3, 4, 5, 6, 7, 8}};
  status(kAmbient, 0, 0);
  ASSERT_EQ(mouse.lightCommands.size(), 1u);
  const Light expected = {16, 16, 255, 255, 255, 1, 3, 1, 1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(mouse.lightCommands[0], expected);
  link.ambient.on = false;
  status(kAmbient, 0, 0);
  EXPECT_EQ(mouse.lightCommands[1][6], 4);
}

TEST_F(CrossDeviceTest, NoLightCommandReachesAnAbsentMouse) {
  start(false);
  status(kChorus, 140, 0);
  status(kAmbient, 0, 0);
  EXPECT_TRUE(mouse.lightCommands.empty());
}

TEST_F(CrossDeviceTest, PlainStatusAsksTheMonitorItself) {
  start();
  const std::string program = folder.folder() + kOptionProgram;
  std::ofstream(program).put('x');
  window.windows.erase(kOptionTitle);
  status(msg::kCrossDeviceStatus, 8, 0);
  ASSERT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(shell.calls[0].target, program);
  status(kChorus, 8, 0);  // not a row of the host's message
  EXPECT_EQ(shell.calls.size(), 1u);

  // A Configuration program already running comes to the front instead.
  window.windows[kOptionTitle] = kOption;
  status(msg::kCrossDeviceStatus, 8, 0);
  monitor->handle(platform::WM_COMMAND, msg::kCommandOpenOption, 0);
  EXPECT_EQ(shell.calls.size(), 1u);
  EXPECT_EQ(window.postedCount(kOption, platform::WM_ACTIVATE), 2);

  status(kChorus, 6, static_cast<platform::LPARAM>(kHost));
  EXPECT_FALSE(monitor->trayVisible());
  status(msg::kCrossDeviceStatus, 10, 0);
  EXPECT_FALSE(monitor->trayVisible());

  status(kChorus, 9, 0);
  EXPECT_EQ(window.postedCount(FakeWindowPort::kSelf, platform::WM_CLOSE), 0);
  status(msg::kCrossDeviceStatus, 9, 0);
  EXPECT_EQ(window.postedCount(FakeWindowPort::kSelf, platform::WM_CLOSE), 1);
}

TEST(CrossDeviceWithoutLink, PlainStatusStillWorks) {
  FakeWindowPort window;
  CrossDeviceHost host(window, nullptr);
  host.announce(FakeWindowPort::kSelf);
  EXPECT_TRUE(host.onStatus(msg::kCrossDeviceStatus, 8, 0, nullptr).openConfiguration);
  EXPECT_TRUE(host.onStatus(msg::kCrossDeviceStatus, 9, 0, nullptr).exit);
  EXPECT_TRUE(host.onStatus(msg::kCrossDeviceStatus, 10, 0, nullptr).updateTray);
  EXPECT_TRUE(host.onStatus(msg::kCrossDeviceStatus, 247, 0, nullptr).light.has_value());
  EXPECT_FALSE(host.isStatusMessage(0));
}

TEST_F(CrossDeviceTest, PeerListKeepsIdsInPlaceAndTellsTheEditor) {
  start();
  EXPECT_EQ(sendPeer(peer(0x10, u"Keys")), 1);
  EXPECT_EQ(sendPeer(peer(0x20, u"Pad")), 1);
  EXPECT_EQ(sendPeer(peer(0x10, u"Keyboard", 9)), 1);
  EXPECT_EQ(link.written.Count, 2);
  EXPECT_STREQ(link.written.Records[0].Name, "Keyboard");
  EXPECT_EQ(link.written.Records[0].PID, 0x10);
  EXPECT_EQ(link.written.Records[0].VID, 0x0B05);
  EXPECT_EQ(link.written.Records[0].Cpi[0], 0x09090909);
  EXPECT_EQ(window.postedCount(kOption, msg::kPeerListChanged), 3);

  // Other sizes are not peer records.
  sendPeer(peer(0x30, u"X"), 63);
  EXPECT_EQ(link.peerWrites, 3);

  // Removal by the id in the high word, from the host's message only.
  status(msg::kCrossDeviceStatus, 4, 0x100000);
  EXPECT_EQ(link.written.Count, 2);
  status(kChorus, 4, 0x100000);
  EXPECT_EQ(link.written.Count, 1);
  EXPECT_STREQ(link.written.Records[0].Name, "Pad");
  status(kChorus, 4, 0x770000);  // unknown id
  EXPECT_EQ(link.peerWrites, 4);
}

TEST_F(CrossDeviceTest, AFullPeerListTurnsNewPeersAwayButTakesUpdates) {
  start();
  for (int id = 1; id <= 100; ++id) sendPeer(peer(static_cast<std::uint16_t>(id), u"P"));
  EXPECT_EQ(link.written.Count, 100);
  const int writes = link.peerWrites;
  sendPeer(peer(101, u"Late"));
  EXPECT_EQ(link.peerWrites, writes);
  EXPECT_EQ(monitor->handle(platform::WM_COPYDATA, 0, 0), 1);  // no data at all
  sendPeer(peer(100, u"Renamed"));
  EXPECT_EQ(link.written.Count, 100);
  EXPECT_STREQ(link.written.Records[99].Name, "Renamed");
}

TEST(ChorusRecordsTest, PeerNamesBecomeUtf8CutOnACharacterBoundary) {
  // 20 characters and no NUL: the stored name still ends in one.
  auto entry = chorus::peerEntry(peer(1, u"ABCDEFGHIJKLMNOPQRST"));
  EXPECT_STREQ(entry.Name, "ABCDEFGHIJKLMNOPQRS");
  entry = chorus::peerEntry(peer(1, u"Maus \u00e4\u00f6\u00fc\u00df \u20ac"));
  EXPECT_STREQ(entry.Name, "Maus \xc3\xa4\xc3\xb6\xc3\xbc\xc3\x9f \xe2\x82\xac");
  entry = chorus::peerEntry(peer(1, u"\u20ac\u20ac\u20ac\u20ac\u20ac\u20ac\u20ac"));
  EXPECT_EQ(std::strlen(entry.Name), 18u);  // six of seven three-byte characters
  entry = chorus::peerEntry(peer(1, std::u16string(u"a") + char16_t(0xD800) + u"b"));
  EXPECT_STREQ(entry.Name, "a?b");
}

class ChorusLinkFilesTest : public ::testing::Test {
 protected:
  ChorusLinkFilesTest() : link(folder.folder(), (folder.path() / "shared").string()) {}
  std::string registration() {
    std::ifstream in(folder.path() / "shared" / "TConfig.ini", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  TestFolder folder;
  PlatformChorusLink link;
};

TEST_F(ChorusLinkFilesTest, RegistrationWritesTheSectionOnce) {
  link.registerDevice();
  const std::string first = registration();
  EXPECT_EQ(first,
            "[VeskORB]\r\nName=Vesk ORB Optical\r\nWindowName=NIVARO Vesk ORB Optical Mouse "
            "Monitor\r\nDevice=0\r\n");
  link.registerDevice();
  EXPECT_EQ(registration(), first);
}

TEST_F(ChorusLinkFilesTest, ASectionOfAnyNameWithOurNameCounts) {
  std::filesystem::create_directories(folder.path() / "shared");
  const std::string other = "[Keys]\r\nName=K1\r\n[Mine]\r\nName= vesk orb OPTICAL \r\n";
  std::ofstream(folder.path() / "shared" / "TConfig.ini", std::ios::binary) << other;
  link.registerDevice();
  EXPECT_EQ(registration(), other);
}

TEST_F(ChorusLinkFilesTest, DefaultSharedFolderFollowsXdgDataHome) {
  setenv("XDG_DATA_HOME", "/data/home", 1);
  EXPECT_EQ(PlatformChorusLink::defaultSharedFolder(), "/data/home/NIVARO/Chorus/");
  unsetenv("XDG_DATA_HOME");
  setenv("HOME", "/home/u", 1);
  EXPECT_EQ(PlatformChorusLink::defaultSharedFolder(), "/home/u/.local/share/NIVARO/Chorus/");
}

TEST_F(ChorusLinkFilesTest, AmbientLightAndPeersUseTheProgramFolder) {
  std::ofstream(folder.path() / "config.ini", std::ios::binary)
      << "[Chorus]\r\nAmbientLight=1\r\nAmbientColor=FF00107f0000A0B1\r\n";
  const AmbientLight on = link.ambientLight();
  EXPECT_TRUE(on.on);
  EXPECT_EQ(on.colours, (std::array<std::uint8_t, 8>{0xFF, 0, 0x10, 0x7F, 0, 0, 0xA0, 0xB1}));
  std::ofstream(folder.path() / "config.ini", std::ios::binary)
      << "[Chorus]\r\nAmbientColor=zz\r\n";
  EXPECT_EQ(link.ambientLight().colours, (std::array<std::uint8_t, 8>{}));

  auto table = std::make_unique<settings::DeviceInfoTable>();
  table->Count = 1;
  table->Records[0] = chorus::peerEntry(peer(0x42, u"Pad"));
  link.writePeers(*table);
  auto back = std::make_unique<settings::DeviceInfoTable>();
  settings::SettingsFiles(folder.folder()).ReadDeviceInfo(*back);
  EXPECT_EQ(back->Count, 1);
  EXPECT_EQ(back->Records[0].PID, 0x42);
  EXPECT_STREQ(back->Records[0].Name, "Pad");
}

}  // namespace
}  // namespace monitor
