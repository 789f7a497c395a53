// vesk-mouse-sim: the simulated mouse as a process, and its remote control.
#include <CLI/CLI.hpp>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <iostream>

#include "mousesim/MouseSimulator.h"
#include "mousesim/MouseStateFile.h"
#include "mousesim/SimServer.h"
#include "mousesim/SimWire.h"
#include "mousesim/UhidMouse.h"

namespace {

std::atomic<bool> g_stop{false};

void onSignal(int) { g_stop.store(true); }

// Where the mouse shows itself to programs besides the simulator's socket.
struct KernelDevice {
  bool uhid = false;
  std::string path = "/dev/uhid";
  std::string vendor = "1209";  // portkit.ini's placeholder identity
  std::string product = "0001";
};

bool parseUsbId(const std::string& text, std::uint16_t& out) {
  std::string_view s = text;
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s.remove_prefix(2);
  unsigned v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, 16);
  if (s.empty() || ec != std::errc() || end != s.data() + s.size() || v > 0xFFFF) return false;
  out = static_cast<std::uint16_t>(v);
  return true;
}

int runSimulator(const std::string& socketPath, const std::string& stateFile,
                 const KernelDevice& kernel) {
  std::string error;
  std::optional<mousesim::MouseMemory> memory =
      stateFile.empty() ? mousesim::factoryMemory(mousesim::kFactoryFirmwareVersion)
                        : mousesim::loadStateFile(stateFile, &error);
  if (!memory) {
    std::fprintf(stderr, "vesk-mouse-sim: state file %s: %s\n", stateFile.c_str(), error.c_str());
    return 2;
  }
  mousesim::MouseSimulator simulator(std::move(*memory));
  mousesim::SimServer server(simulator, socketPath, stateFile);
  if (!server.listen(&error)) {
    std::fprintf(stderr, "vesk-mouse-sim: %s\n", error.c_str());
    return 2;
  }
  std::unique_ptr<mousesim::UhidIo> uhid;
  std::unique_ptr<mousesim::UhidMouse> uhidMouse;
  if (kernel.uhid) {
    std::uint16_t vendor = 0, product = 0;
    if (!parseUsbId(kernel.vendor, vendor) || !parseUsbId(kernel.product, product)) {
      std::fprintf(stderr, "vesk-mouse-sim: --vid and --pid are 16-bit hexadecimal numbers\n");
      return 2;
    }
    uhid = mousesim::openUhid(kernel.path, &error);
    if (!uhid) {
      std::fprintf(stderr, "vesk-mouse-sim: %s\n", error.c_str());
      return 2;
    }
    uhidMouse = std::make_unique<mousesim::UhidMouse>(simulator.model(), *uhid, vendor, product);
    if (simulator.model().plugged() && !uhidMouse->create()) {
      std::fprintf(stderr, "vesk-mouse-sim: the kernel refused the HID device\n");
      return 2;
    }
    server.attach(uhidMouse.get());
    std::printf("vesk-mouse-sim: HID device %04x:%04x through %s\n", vendor, product,
                kernel.path.c_str());
  }
  struct sigaction action {};
  action.sa_handler = onSignal;  // no SA_RESTART: poll() returns and the loop sees the flag
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  std::signal(SIGPIPE, SIG_IGN);
  std::printf("vesk-mouse-sim: listening on %s\n", socketPath.c_str());
  std::fflush(stdout);
  server.run(g_stop);
  server.attach(nullptr);
  return 0;
}

int control(const std::string& socketPath, const std::vector<std::string>& args) {
  const int fd = mousesim::wire::connectTo(socketPath);
  if (fd < 0) {
    std::fprintf(stderr, "vesk-mouse-sim: no simulated mouse listens on %s\n", socketPath.c_str());
    return 2;
  }
  std::vector<std::uint8_t> payload;
  for (const std::string& a : args) {
    payload.insert(payload.end(), a.begin(), a.end());
    payload.push_back(0);
  }
  std::uint8_t kind = 0;
  std::vector<std::uint8_t> reply;
  const bool ok = mousesim::wire::sendFrame(fd, mousesim::wire::kControl, payload) &&
                  mousesim::wire::receiveFrame(fd, kind, reply) && kind == mousesim::wire::kText &&
                  !reply.empty();
  ::close(fd);
  if (!ok) {
    std::fprintf(stderr, "vesk-mouse-sim: the simulated mouse did not answer\n");
    return 2;
  }
  const std::string text(reply.begin() + 1, reply.end());
  if (reply[0] != 0) {
    std::fprintf(stderr, "vesk-mouse-sim: %s\n", text.c_str());
    return reply[0];
  }
  std::fputs(text.c_str(), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"vesk-mouse-sim: a simulated mouse for the suite, and its remote control"};
  app.require_subcommand(1);
  std::string socketPath;

  auto* run = app.add_subcommand("run", "Run the simulated mouse until interrupted");
  std::string stateFile;
  run->add_option("--state", stateFile, "Keep the mouse's on-device memory in this file");
  run->add_option("--socket", socketPath,
                  "Listen here (default: $VESK_MOUSE_SIM or the runtime folder)");
  KernelDevice kernel;
  run->add_flag("--uhid", kernel.uhid,
                "Also be a HID device of the kernel through uhid (a hidraw node for the real "
                "device access library)");
  run->add_option("--uhid-path", kernel.path, "The uhid device (default /dev/uhid)");
  run->add_option("--vid", kernel.vendor, "USB vendor id of the HID device, hexadecimal")
      ->capture_default_str();
  run->add_option("--pid", kernel.product, "USB product id of the HID device, hexadecimal")
      ->capture_default_str();

  auto* ctl = app.add_subcommand("ctl", "Control a running simulated mouse");
  ctl->add_option("--socket", socketPath, "The simulator's socket");
  ctl->require_subcommand(1);
  std::vector<std::string> args;
  auto command = [&](const std::string& name, const std::string& help) {
    auto* sub = ctl->add_subcommand(name, help);
    sub->callback([&args, name] { args.insert(args.begin(), name); });
    return sub;
  };
  std::string a1, a2;
  int afterReports = -1;
  bool json = false, clear = false;
  command("press", "Press button B (1..24)")->add_option("B", a1)->required();
  auto* event = command("event", "Emit an event (TYPE and VALUE decimal or 0x hex)");
  event->add_option("TYPE", a1)->required();
  event->add_option("VALUE", a2)->required();
  command("busy", "Answer busy to the next N polls of status report 4")
      ->add_option("N", a1)
      ->required();
  auto* status28 =
      command("status28",
              "Update mode: answer the next N reads of status report 28 with 'repeat' (status 4), "
              "a failed status (2), or busy (3; counted apart from report 4's busy)");
  status28->add_option("KIND", a1, "repeat, fail or busy")
      ->required()
      ->check(CLI::IsMember({"repeat", "fail", "busy"}));
  status28->add_option("N", a2)->required();
  for (const char* name : {"fail-set", "fail-get"}) {
    auto* sub = command(name, std::string("Fail the next ") +
                                  (name[5] == 's' ? "SetFeature" : "GetFeature") +
                                  " of report ID (N times, default once)");
    sub->add_option("ID", a1)->required();
    sub->add_option("N", a2);
  }
  command("corrupt", "Corrupt the checksum of the next read of report 7 or 8")
      ->add_option("ID", a1)
      ->required();
  command("unplug", "Unplug the mouse now, or after N more reports")
      ->add_option("--after", afterReports, "Reports to exchange before unplugging");
  command("plug", "Plug the mouse in again");
  command("version", "Set the firmware version (0..255)")->add_option("N", a1)->required();
  command("surface",
          "Put the mouse on a good or a poor surface: the sensor picture and whether the next "
          "calibration succeeds")
      ->add_option("KIND", a1, "good or poor")
      ->required()
      ->check(CLI::IsMember({"good", "poor"}));
  command("state", "Show the mouse's state")->add_flag("--json", json, "As JSON");
  command("log", "Show every report exchanged")
      ->add_flag("--clear", clear, "Empty the log instead");

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  }
  if (socketPath.empty()) socketPath = mousesim::wire::defaultSocketPath();
  if (run->parsed()) return runSimulator(socketPath, stateFile, kernel);

  for (const std::string* a : {&a1, &a2}) {
    if (!a->empty()) args.push_back(*a);
  }
  if (afterReports >= 0) {
    args.push_back("--after");
    args.push_back(std::to_string(afterReports));
  }
  if (json) args.push_back("--json");
  if (clear) args.push_back("--clear");
  return control(socketPath, args);
}
