#include "monitor/CrossDeviceHost.h"

#include <algorithm>
#include <cstring>

#include "monitor/ChorusRecords.h"
#include "monitor/MonitorNames.h"

namespace monitor {

using platform::LPARAM;
using platform::UINT;
using platform::WPARAM;

namespace {

// a, b or c of a light command from the host's on/off value: 0 = on, 1 = off.
std::uint8_t lightSwitch(LPARAM l, std::uint8_t on) {
  if (l == 0) return on;
  if (l == 1) return 0;
  return 255;
}

}  // namespace

CrossDeviceHost::CrossDeviceHost(WindowPort& window, ChorusLink* link)
    : window_(window), link_(link), peers_(std::make_unique<settings::DeviceInfoTable>()) {}

void CrossDeviceHost::registerInConfiguration() {
  if (link_) link_->registerDevice();
}

void CrossDeviceHost::announce(platform::HWND monitorWindow) {
  self_ = monitorWindow;
  if (!link_) return;
  chorusMessage_ = link_->registerMessage(kChorusMessage);
  ambientMessage_ = link_->registerMessage(kChorusAmbientMessage);
  activeStatusMessage_ = link_->registerMessage(kChorusActiveStatusMessage);
  if (chorusMessage_ != 0)
    link_->broadcast(chorusMessage_, kAnnounce, static_cast<LPARAM>(monitorWindow));
}

void CrossDeviceHost::sendStatusRecord(std::uintptr_t kind, const settings::SettingsImage& image) {
  const platform::HWND host = hostWindow_;
  if (!link_ || host == platform::kNoWindow) return;
  const int p = image.CurrentProfile;
  const chorus::StatusRecord record =
      chorus::makeStatusRecord(static_cast<std::uint32_t>(self_),
                               settings::isValidProfile(p) ? &image.Profiles[p] : nullptr);
  link_->sendCopyData(host, chorus::kCopyDataWParam, kind, chorus::bytesOf(record));
}

void CrossDeviceHost::sendDeviceStatus(bool active, const settings::SettingsImage& image) {
  sendStatusRecord(active ? chorus::kDeviceActive : chorus::kDeviceInactive, image);
}

void CrossDeviceHost::sendSteadyAimNotice(const settings::SettingsImage& image) {
  sendStatusRecord(chorus::kSteadyAimNotice, image);
}

void CrossDeviceHost::notifyChange() {
  if (link_ && hostActive_ && activeStatusMessage_ != 0)
    link_->postToHost(activeStatusMessage_, 0, 0);
  toggle_ = false;
}

void CrossDeviceHost::dualShift(const settings::ButtonSlot& slot, int pressFlag) {
  const platform::HWND host = hostWindow_;
  if (!link_ || host == platform::kNoWindow) return;
  const chorus::DualShiftRecord record =
      chorus::makeDualShiftRecord(slot, static_cast<std::uint8_t>(pressFlag));
  link_->sendCopyData(host, chorus::kCopyDataWParam, chorus::kRecordBase + record.command,
                      chorus::bytesOf(record));
}

platform::LRESULT CrossDeviceHost::onCopyData(LPARAM copyData) {
  const auto* data = reinterpret_cast<const platform::COPYDATASTRUCT*>(copyData);
  if (!link_ || !data || data->cbData != sizeof(chorus::PeerRecord) || !data->lpData) return 1;
  chorus::PeerRecord record;
  std::memcpy(&record, data->lpData, sizeof record);
  if (addPeer(chorus::peerEntry(record))) peersChanged();
  return 1;
}

bool CrossDeviceHost::addPeer(const settings::DeviceRecord& entry) {
  settings::DeviceInfoTable& table = *peers_;
  auto* end = table.Records + table.Count;
  auto* known = std::find_if(table.Records, end,
                             [&](const settings::DeviceRecord& r) { return r.PID == entry.PID; });
  if (known != end) {
    *known = entry;
  } else if (table.Count < kMaxPeers) {
    table.Records[table.Count++] = entry;
  } else {
    return false;
  }
  return true;
}

void CrossDeviceHost::peersChanged() {
  link_->writePeers(*peers_);
  window_.postTo(kOptionTitle, msg::kPeerListChanged);
}

bool CrossDeviceHost::isStatusMessage(UINT message) const {
  return message == msg::kCrossDeviceStatus || (chorusMessage_ != 0 && message == chorusMessage_);
}

bool CrossDeviceHost::isAmbientMessage(UINT message) const {
  return ambientMessage_ != 0 && message == ambientMessage_;
}

CrossDeviceHost::StatusAction CrossDeviceHost::onStatus(
    UINT message, WPARAM w, LPARAM l, const settings::SettingsImage* connectedImage) {
  StatusAction action;
  const bool plain = message == msg::kCrossDeviceStatus;
  switch (w) {
    case 4: {
      if (plain || !link_) break;
      const auto id = static_cast<std::uint16_t>(platform::HIWORD(static_cast<std::uintptr_t>(l)));
      settings::DeviceInfoTable& table = *peers_;
      auto* end = table.Records + table.Count;
      auto* gone = std::find_if(table.Records, end,
                                [&](const settings::DeviceRecord& r) { return r.PID == id; });
      if (gone == end) break;
      std::copy(gone + 1, end, gone);
      *(end - 1) = settings::DeviceRecord{};
      --table.Count;
      peersChanged();
      break;
    }
    case 6:
      if (hostWindow_ == platform::kNoWindow) {
        // Hosts hand over their handle in 32 bits.
        hostWindow_ = static_cast<platform::HWND>(static_cast<std::uint32_t>(l));
        if (connectedImage) {
          sendDeviceStatus(true, *connectedImage);
          sendSteadyAimNotice(*connectedImage);
        }
      }
      hostActive_ = true;
      action.updateTray = true;
      break;
    case 7:
      hostWindow_ = platform::kNoWindow;
      hostActive_ = false;
      action.updateTray = true;
      break;
    case 8:
      action.openConfiguration = plain;
      break;
    case 9:
      action.exit = plain;
      break;
    case 10:
      action.updateTray = plain;
      break;
    case 140:
    case 245:
      action.light = device::codec::encodeLightCommand(lightSwitch(l, 1), 255, 255);
      break;
    case 141:
    case 246:
      if (l != 0) break;
      toggle_ = !toggle_;
      action.light = device::codec::encodeLightCommand(255, toggle_ ? 1 : 0, 255);
      break;
    case 247:
    case 248:
    case 249:
    case 250:
    case 251:
      if (plain)
        action.light = device::codec::encodeLightCommand(
            255, 255, lightSwitch(l, static_cast<std::uint8_t>(w - 246)));
      break;
    default:
      break;
  }
  return action;
}

device::codec::LightCommandBytes CrossDeviceHost::ambientLightCommand() {
  const AmbientLight light = link_ ? link_->ambientLight() : AmbientLight{};
  return device::codec::encodeAmbientLight(light.on, light.colours);
}

}  // namespace monitor
