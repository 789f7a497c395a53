#include "mousesim/MouseSimulator.h"

#include <charconv>
#include <sstream>

#include "device/TrafficLog.h"
#include "device/UpdateMode.h"
#include "mousesim/MouseStateFile.h"
#include "platform/Clock.h"

namespace mousesim {
namespace {

// Decimal or 0x-prefixed hexadecimal, within [lo, hi].
bool parseNumber(const std::string& text, long lo, long hi, long& out) {
  std::string_view s = text;
  int base = 10;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    s.remove_prefix(2);
    base = 16;
  }
  long v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, base);
  if (ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi) return false;
  out = v;
  return true;
}

MouseSimulator::Reply error(std::string text) { return {1, std::move(text)}; }

}  // namespace

MouseSimulator::MouseSimulator(MouseMemory memory)
    : model_(std::move(memory)), startMs_(platform::now()) {
  model_.setReportObserver([this](bool set, std::span<const std::uint8_t> report) {
    addToLog(
        std::to_string(platform::now() - startMs_) + " " +
        device::TrafficLog::format(
            set ? device::TrafficLog::Direction::Set : device::TrafficLog::Direction::Get, report));
  });
}

void MouseSimulator::addToLog(std::string line) {
  logBytes_ += line.size() + 1;
  log_.push_back(std::move(line));
  while (logBytes_ > kMaxLogBytes && !log_.empty()) {
    logBytes_ -= log_.front().size() + 1;
    log_.pop_front();
  }
}

MouseSimulator::Reply MouseSimulator::control(const std::vector<std::string>& args) {
  if (args.empty()) return error("no command");
  const std::string& cmd = args[0];
  const std::size_t n = args.size();
  long a = 0;
  long b = 0;
  if (cmd == "press") {
    if (n != 2 || !parseNumber(args[1], 1, settings::kSlotCount, a)) {
      return error("press: button must be 1..24");
    }
    if (!model_.press(static_cast<int>(a))) return error("press: the mouse is unplugged");
    return {};
  }
  if (cmd == "event") {
    if (n != 3 || !parseNumber(args[1], 0, 0xFFFF, a) || !parseNumber(args[2], 0, 0xFFFF, b)) {
      return error("event: TYPE and VALUE must be 0..65535 (decimal or 0x hex)");
    }
    if (!model_.emitEvent(static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b))) {
      return error("event: the mouse is unplugged");
    }
    return {};
  }
  if (cmd == "busy") {
    if (n != 2 || !parseNumber(args[1], 0, 1000000, a)) return error("busy: N must be >= 0");
    model_.busyFor(static_cast<int>(a));
    return {};
  }
  if (cmd == "status28") {
    if (n != 3 || !parseNumber(args[2], 0, 1000000, a) ||
        (args[1] != "repeat" && args[1] != "fail" && args[1] != "busy")) {
      return error("status28: usage status28 repeat|fail|busy N");
    }
    const int reads = static_cast<int>(a);
    if (args[1] == "busy") {
      model_.busyFor(device::update::kStatusReport, reads);
    } else {
      model_.updateStatusFault(
          args[1] == "repeat" ? MouseModel::UpdateFault::Repeat : MouseModel::UpdateFault::Fail,
          reads);
    }
    return {};
  }
  if (cmd == "fail-set" || cmd == "fail-get") {
    if (n < 2 || n > 3 || !parseNumber(args[1], 0, 255, a) ||
        (n == 3 && !parseNumber(args[2], 1, 1000000, b))) {
      return error(cmd + ": ID must be 0..255 and N >= 1");
    }
    const int times = n == 3 ? static_cast<int>(b) : 1;
    if (cmd == "fail-set") {
      model_.failSet(static_cast<std::uint8_t>(a), times);
    } else {
      model_.failGet(static_cast<std::uint8_t>(a), times);
    }
    return {};
  }
  if (cmd == "corrupt") {
    if (n != 2 || !parseNumber(args[1], 0, 255, a) ||
        !model_.corruptNext(static_cast<std::uint8_t>(a))) {
      return error("corrupt: ID must be 7 or 8");
    }
    return {};
  }
  if (cmd == "unplug") {
    if (n == 1) {
      model_.unplug();
      return {};
    }
    if (n == 3 && args[1] == "--after" && parseNumber(args[2], 0, 1000000, a)) {
      model_.unplugAfter(static_cast<int>(a));
      return {};
    }
    return error("unplug: usage unplug [--after N]");
  }
  if (cmd == "plug") {
    if (n != 1) return error("plug takes no arguments");
    model_.plug();
    return {};
  }
  if (cmd == "version") {
    if (n != 2 || !parseNumber(args[1], 0, 255, a)) return error("version: N must be 0..255");
    model_.setFirmwareVersion(static_cast<std::uint8_t>(a));
    return {};
  }
  if (cmd == "surface") {
    if (n != 2 || (args[1] != "good" && args[1] != "poor")) {
      return error("surface: usage surface good|poor");
    }
    model_.setSurface(args[1] == "good" ? MouseModel::Surface::Good : MouseModel::Surface::Poor);
    return {};
  }
  if (cmd == "state") {
    if (n == 1 || (n == 2 && args[1] == "--json")) return state(n == 2);
    return error("state: usage state [--json]");
  }
  if (cmd == "log") {
    if (n == 2 && args[1] == "--clear") {
      log_.clear();
      logBytes_ = 0;
      return {};
    }
    if (n != 1) return error("log: usage log [--clear]");
    std::string text;
    for (const std::string& line : log_) text += line + "\n";
    return {0, text};
  }
  return error("unknown command: " + cmd);
}

MouseSimulator::Reply MouseSimulator::state(bool json) const {
  const nlohmann::json d = describeModel(model_);
  if (json) return {0, d.dump(2) + "\n"};
  std::ostringstream out;
  out << "plugged: " << (model_.plugged() ? "yes" : "no") << "\n"
      << "firmware version: " << d["firmwareVersion"] << "\n"
      << "current profile: " << d["currentProfile"] << "\n"
      << "host active: " << (d["hostActive"].get<bool>() ? "yes" : "no") << "\n"
      << "tracking: lift-off " << d["tracking"]["liftOn"] << ", control "
      << d["tracking"]["trackControl"] << ", calibration " << d["tracking"]["calibrationValue"]
      << " state " << d["tracking"]["calibrationState"] << ", surface "
      << d["tracking"]["surface"].get<std::string>() << "\n"
      << "colour database: " << d["colourDatabaseSize"] << " bytes\n"
      << "update mode: " << (d["updateMode"].get<bool>() ? "yes" : "no") << "\n";
  for (std::size_t p = 0; p < d["profiles"].size(); ++p) {
    const auto& jp = d["profiles"][p];
    out << "profile " << p << ": dpi level " << jp["dpiLevel"] << " of " << jp["dpiLevels"].dump()
        << ", sensitivity " << jp["sensitivity"].dump() << ", macros " << jp["macros"].size()
        << "\n";
  }
  return {0, out.str()};
}

}  // namespace mousesim
