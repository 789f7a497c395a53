// veskctl msg: the message windows of the user's programs, from a script.
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CommandSupport.h"
#include "Commands.h"
#include "platform/Window.h"

namespace veskctl {

// Each group's helpers have a namespace of their own: the groups are
// compiled as one unit.
namespace msg_group {
namespace {

using platform::HWND;
using platform::LPARAM;
using platform::LRESULT;
using platform::UINT;
using platform::WPARAM;

[[noreturn]] void fail(const std::string& message, int code = 1) {
  failCommand("veskctl msg", message, code);
}

std::optional<long long> parseInteger(const std::string& text) {
  if (text.empty()) return std::nullopt;
  try {
    std::size_t used = 0;
    long long v;
    if (text[0] == '-') {
      v = std::stoll(text, &used, 0);
    } else {
      v = static_cast<long long>(std::stoull(text, &used, 0));
    }
    if (used != text.size()) return std::nullopt;
    return v;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

long long integerArg(const std::string& text, const char* what) {
  auto v = parseInteger(text);
  if (!v) fail(std::string("not a number for ") + what + ": '" + text + "'");
  return *v;
}

// A message number: decimal, 0x-hex, or a known name ("WM_CLOSE",
// "WM_USER+200").
UINT messageNumber(const std::string& text) {
  static const std::pair<const char*, UINT> known[] = {
      {"WM_NULL", platform::WM_NULL},       {"WM_CREATE", platform::WM_CREATE},
      {"WM_DESTROY", platform::WM_DESTROY}, {"WM_CLOSE", platform::WM_CLOSE},
      {"WM_QUIT", platform::WM_QUIT},       {"WM_COPYDATA", platform::WM_COPYDATA},
      {"WM_COMMAND", platform::WM_COMMAND}, {"WM_TIMER", platform::WM_TIMER},
      {"WM_USER", platform::WM_USER}};
  std::string name = text;
  long long offset = 0;
  if (auto plus = text.find('+'); plus != std::string::npos && plus > 0) {
    name = text.substr(0, plus);
    offset = integerArg(text.substr(plus + 1), "MSG");
  }
  for (auto& [n, v] : known)
    if (name == n) return static_cast<UINT>(v + offset);
  long long v = integerArg(text, "MSG");
  if (v < 0 || v > 0xFFFFFFFFll) fail("message number out of range: " + text);
  return static_cast<UINT>(v);
}

struct Target {
  std::string title;
  std::vector<std::string> args;  // [MSG] [WPARAM [LPARAM]]
  std::string registered;
};

struct Message {
  HWND hwnd;
  UINT msg;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

HWND findOrFail(const std::string& title) {
  HWND hwnd = platform::FindWindow(title);
  if (hwnd == platform::kNoWindow) fail("no window titled '" + title + "'");
  return hwnd;
}

Message resolve(const Target& t) {
  std::vector<std::string> rest = t.args;
  Message m{};
  if (!t.registered.empty()) {
    m.msg = platform::RegisterWindowMessage(t.registered);
    if (m.msg == 0) fail("cannot register the message name '" + t.registered + "'");
  } else {
    if (rest.empty()) fail("a message number (or --registered NAME) is needed");
    m.msg = messageNumber(rest.front());
    rest.erase(rest.begin());
  }
  if (rest.size() > 2) fail("too many arguments: MSG [WPARAM [LPARAM]]");
  if (rest.size() > 0) m.wParam = static_cast<WPARAM>(integerArg(rest[0], "WPARAM"));
  if (rest.size() > 1) m.lParam = static_cast<LPARAM>(integerArg(rest[1], "LPARAM"));
  m.hwnd = t.title == "BROADCAST" ? platform::HWND_BROADCAST : findOrFail(t.title);
  return m;
}

std::vector<std::byte> parseHex(const std::string& hex) {
  std::string digits;
  for (char c : hex)
    if (c != ' ' && c != ':') digits += c;
  if (digits.size() % 2 != 0) fail("HEXBYTES needs two digits per byte");
  std::vector<std::byte> bytes;
  for (std::size_t i = 0; i < digits.size(); i += 2) {
    auto v = parseInteger("0x" + digits.substr(i, 2));
    if (!v) fail("not hexadecimal: '" + digits.substr(i, 2) + "'");
    bytes.push_back(static_cast<std::byte>(*v));
  }
  return bytes;
}

std::string toHex(const void* data, std::size_t size) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  auto* p = static_cast<const unsigned char*>(data);
  for (std::size_t i = 0; i < size; ++i) {
    out += digits[p[i] >> 4];
    out += digits[p[i] & 15];
  }
  return out;
}

void addTargetOptions(CLI::App* cmd, Target& t) {
  cmd->add_option("TITLE", t.title,
                  "Window title (exact, any letter case); BROADCAST for every window")
      ->required();
  cmd->add_option("MSG WPARAM LPARAM", t.args,
                  "Message number (decimal, 0x-hex or WM_CLOSE, WM_USER+N, ...) unless "
                  "--registered is given, then WPARAM and LPARAM (default 0)");
  cmd->add_option("--registered", t.registered,
                  "Use the registered message of this name instead of MSG");
}

int listen(const std::string& title, long long result) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  auto handler = [result](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
    if (msg == platform::WM_CREATE || msg == platform::WM_DESTROY) return 0;
    if (msg == platform::WM_COPYDATA && lp != 0) {
      auto* cds = reinterpret_cast<const platform::COPYDATASTRUCT*>(lp);
      std::printf("%u %llu 0x%08llx %s\n", msg, static_cast<unsigned long long>(wp),
                  static_cast<unsigned long long>(cds->dwData),
                  toHex(cds->lpData, cds->cbData).c_str());
    } else {
      std::printf("%u %llu %lld\n", msg, static_cast<unsigned long long>(wp),
                  static_cast<long long>(lp));
    }
    if (msg == platform::WM_CLOSE) {
      platform::DestroyWindow(hwnd);
      platform::PostQuitMessage(0);
      return 0;
    }
    return static_cast<LRESULT>(result);
  };
  HWND hwnd = platform::CreateWindow(title, handler);
  if (hwnd == platform::kNoWindow) fail("cannot create a window titled '" + title + "'");
  // On stderr, so that stdout holds only the messages: tells a script the
  // window can be found now.
  std::cerr << "veskctl msg: listening as " << hwnd << std::endl;
  return platform::RunMessageLoop();
}

}  // namespace
}  // namespace msg_group

void addMsgCommands(CLI::App& app) {
  using namespace msg_group;
  CLI::App* msg = app.add_subcommand("msg", "Find message windows and send them messages");
  msg->require_subcommand(1);

  auto find = msg->add_subcommand("find", "Print the handle of the window with this title");
  auto findTitle = std::make_shared<std::string>();
  find->add_option("TITLE", *findTitle, "Window title (exact, any letter case)")->required();
  find->callback([findTitle] {
    HWND hwnd = platform::FindWindow(*findTitle);
    if (hwnd == platform::kNoWindow) {
      std::cerr << "veskctl msg: no window titled '" << *findTitle << "'\n";
      throw CLI::RuntimeError(1);
    }
    std::cout << hwnd << "\n";
  });

  auto post = msg->add_subcommand("post", "Post a message to a window (does not wait)");
  auto postTarget = std::make_shared<Target>();
  addTargetOptions(post, *postTarget);
  post->callback([postTarget] {
    Message m = resolve(*postTarget);
    if (!platform::PostMessage(m.hwnd, m.msg, m.wParam, m.lParam)) fail("the post failed");
  });

  auto send = msg->add_subcommand("send", "Send a message to a window and print its answer");
  auto sendTarget = std::make_shared<Target>();
  addTargetOptions(send, *sendTarget);
  send->callback([sendTarget] {
    Message m = resolve(*sendTarget);
    auto result = platform::SendMessageChecked(m.hwnd, m.msg, m.wParam, m.lParam);
    if (!result) fail("the window went away before answering");
    std::cout << *result << "\n";
  });

  auto copy =
      msg->add_subcommand("copydata", "Send WM_COPYDATA (dwData, bytes) and print the answer");
  struct CopyArgs {
    std::string title, dwData, hex;
    long long wParam = 0;
  };
  auto copyArgs = std::make_shared<CopyArgs>();
  copy->add_option("TITLE", copyArgs->title, "Window title (exact, any letter case)")->required();
  copy->add_option("DWDATA", copyArgs->dwData, "The record tag (decimal or 0x-hex)")->required();
  copy->add_option("HEXBYTES", copyArgs->hex, "The bytes, two hex digits each")->required();
  copy->add_option("--wparam", copyArgs->wParam, "wParam (usually the sender's handle)");
  copy->callback([copyArgs] {
    const auto tag = integerArg(copyArgs->dwData, "DWDATA");
    const auto bytes = parseHex(copyArgs->hex);
    HWND hwnd = findOrFail(copyArgs->title);
    auto result = platform::SendCopyData(hwnd, static_cast<WPARAM>(copyArgs->wParam),
                                         static_cast<std::uintptr_t>(tag), bytes);
    if (!result) fail("the window went away before answering (or the data is too large)");
    std::cout << *result << "\n";
  });

  auto listenCmd = msg->add_subcommand(
      "listen",
      "Create a window with this title and print one line per message: 'MSG WPARAM LPARAM', "
      "or 'MSG WPARAM 0xDWDATA HEXBYTES' for WM_COPYDATA (numbers in decimal); exits on "
      "WM_CLOSE");
  struct ListenArgs {
    std::string title;
    long long result = 0;
  };
  auto listenArgs = std::make_shared<ListenArgs>();
  listenCmd->add_option("TITLE", listenArgs->title, "Title of the window to create")->required();
  listenCmd->add_option("--result", listenArgs->result, "Answer to synchronous messages");
  listenCmd->callback([listenArgs] {
    int code = listen(listenArgs->title, listenArgs->result);
    if (code != 0) throw CLI::RuntimeError(code);
  });
}

}  // namespace veskctl
