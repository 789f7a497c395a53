// veskctl chorus: plays the cross-device host's part towards the Monitor.
// Together with `veskctl msg listen "NIVARO Chorus Monitor"` (which prints
// the records the Monitor sends) a person can take the host's place.
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "CommandSupport.h"
#include "Commands.h"
#include "apply/MonitorAddress.h"
#include "monitor/ChorusRecords.h"
#include "monitor/CrossDeviceHost.h"
#include "platform/Window.h"

namespace veskctl {
// Each group's helpers have a namespace of their own: the groups are
// compiled as one unit.
namespace chorus_group {
namespace {

using platform::HWND;

constexpr platform::UINT kPlainStatus = 2025;

[[noreturn]] void fail(const std::string& message, int code = 1) {
  failCommand("veskctl chorus", message, code);
}

HWND monitorWindow() {
  const HWND monitor = platform::FindWindow(apply::kMonitorTitle);
  if (monitor == platform::kNoWindow) fail("the Monitor is not running", 3);
  return monitor;
}

platform::UINT chorusMessage(const char* name) {
  const platform::UINT message = platform::RegisterWindowMessage(name);
  if (message == 0) fail(std::string("cannot register ") + name);
  return message;
}

// UTF-8 to the record's 20 UTF-16 units (shorter names end in a NUL).
void putName(monitor::chorus::PeerRecord& record, const std::string& name) {
  std::size_t out = 0, i = 0;
  while (i < name.size() && out < 20) {
    const auto c = static_cast<unsigned char>(name[i]);
    const std::size_t extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (i + extra >= name.size()) break;
    char32_t cp = extra ? (c & (0x3Fu >> extra)) : c;
    for (std::size_t k = 1; k <= extra; ++k)
      cp = (cp << 6) | (static_cast<unsigned char>(name[i + k]) & 0x3Fu);
    i += extra + 1;
    if (cp < 0x10000) {
      record.name[out++] = static_cast<char16_t>(cp);
    } else if (out + 2 <= 20) {
      cp -= 0x10000;
      record.name[out++] = static_cast<char16_t>(0xD800 + (cp >> 10));
      record.name[out++] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      break;
    }
  }
}

struct StatusArgs {
  unsigned w = 0;
  long long l = -1;
  bool plain = false;
};

struct PeerArgs {
  unsigned id = 0;
  std::string name;
  unsigned kind = 0;
  std::vector<int> levels;
};

}  // namespace
}  // namespace chorus_group

void addChorusCommands(CLI::App& app) {
  using namespace chorus_group;
  CLI::App* group = app.add_subcommand(
      "chorus", "Play the cross-device host towards the Monitor (status, peers, ambient light)");
  group->require_subcommand(1);

  auto status = group->add_subcommand(
      "status",
      "Post a status message to the Monitor: W 6 = host takes over (L defaults to the handle "
      "of the window titled \"NIVARO Chorus Monitor\"), 7 = host gone, 4 = remove peer "
      "(L = id * 65536), 140/141/245/246 = light commands; with --plain as message 2025, "
      "which also knows 8 = open the Configuration program, 9 = exit, 10 = update the tray "
      "icon, 247..251 = light commands");
  auto statusArgs = std::make_shared<StatusArgs>();
  status->add_option("W", statusArgs->w, "Status (wParam)")->required();
  status->add_option("L", statusArgs->l, "Value (lParam)");
  status->add_flag("--plain", statusArgs->plain, "Send as message 2025");
  status->callback([statusArgs] {
    const HWND monitor = monitorWindow();
    long long l = statusArgs->l;
    if (l < 0 && statusArgs->w == 6) {
      l = static_cast<long long>(platform::FindWindow(monitor::kChorusHostTitle));
      if (l == 0)
        fail(
            "no window titled \"NIVARO Chorus Monitor\"; give L or start "
            "`veskctl msg listen \"NIVARO Chorus Monitor\"` first");
    }
    if (l < 0) l = 0;
    const platform::UINT message =
        statusArgs->plain ? kPlainStatus : chorusMessage(monitor::kChorusMessage);
    if (!platform::PostMessage(monitor, message, statusArgs->w, static_cast<platform::LPARAM>(l)))
      fail("the post failed");
  });

  auto peer = group->add_subcommand(
      "peer", "Announce a peer device to the Monitor (it lists it in DeviceInfo.ini)");
  auto peerArgs = std::make_shared<PeerArgs>();
  peer->add_option("ID", peerArgs->id, "Peer id (16-bit, the device's product id)")
      ->required()
      ->check(CLI::Range(0, 0xFFFF));
  peer->add_option("NAME", peerArgs->name, "Peer name (up to 20 characters)")->required();
  peer->add_option("--kind", peerArgs->kind, "Kind (16-bit, stored as VID)")
      ->check(CLI::Range(0, 0xFFFF));
  peer->add_option("--levels", peerArgs->levels, "Up to five 32-bit level values (CPI 0..4)")
      ->expected(0, 5);
  peer->callback([peerArgs] {
    monitor::chorus::PeerRecord record{};
    record.kind = static_cast<std::uint16_t>(peerArgs->kind);
    record.id = static_cast<std::uint16_t>(peerArgs->id);
    putName(record, peerArgs->name);
    for (std::size_t i = 0; i < peerArgs->levels.size(); ++i)
      std::memcpy(record.levels + 4 * i, &peerArgs->levels[i], 4);
    const HWND host = platform::FindWindow(monitor::kChorusHostTitle);
    if (!platform::SendCopyData(monitorWindow(), host, 0, monitor::chorus::bytesOf(record)))
      fail("the Monitor went away before answering");
  });

  auto ambient = group->add_subcommand("ambient", "Send the ambient light event to the Monitor");
  ambient->callback([] {
    if (!platform::PostMessage(monitorWindow(), chorusMessage(monitor::kChorusAmbientMessage), 0,
                               0))
      fail("the post failed");
  });
}

}  // namespace veskctl
