#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "RuntimeFolderFixture.h"
#include "platform/Window.h"

using namespace platform;

namespace {

const std::string kVeskctl = std::string(VESK_SUITE_DIR) + "/veskctl";

// A veskctl process with its stdout and stderr on pipes.
class Veskctl {
 public:
  explicit Veskctl(std::vector<std::string> args) {
    int out[2], err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0) return;
    args.insert(args.begin(), kVeskctl);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t parent = ::getpid();
    pid_ = ::fork();
    if (pid_ == 0) {
      ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlive a crashed test
      if (::getppid() != parent) ::_exit(127);
      ::dup2(out[1], 1);
      ::dup2(err[1], 2);
      ::close(out[0]);
      ::close(err[0]);
      ::execv(kVeskctl.c_str(), argv.data());
      ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    out_ = ::fdopen(out[0], "r");
    err_ = ::fdopen(err[0], "r");
  }
  ~Veskctl() {
    if (pid_ > 0 && !reaped_) {
      ::kill(pid_, SIGKILL);
      finish();
    }
    if (out_) std::fclose(out_);
    if (err_) std::fclose(err_);
  }

  std::string outLine() { return line(out_); }
  std::string errLine() { return line(err_); }
  // Waits for the exit; the exit code.
  int finish() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    reaped_ = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

 private:
  static std::string line(FILE* f) {
    char buf[4096];
    if (!f || !std::fgets(buf, sizeof buf, f)) return {};
    std::string s = buf;
    if (!s.empty() && s.back() == '\n') s.pop_back();
    return s;
  }
  pid_t pid_ = -1;
  bool reaped_ = false;
  FILE* out_ = nullptr;
  FILE* err_ = nullptr;
};

// Runs a command to the end: (exit code, first stdout line, first stderr line).
struct Result {
  int code;
  std::string out;
  std::string err;
};
Result run(std::vector<std::string> args) {
  Veskctl v(std::move(args));
  Result r;
  r.out = v.outLine();
  r.err = v.errLine();
  r.code = v.finish();
  return r;
}

class VeskctlMsgTest : public RuntimeFolderFixture {};

TEST_F(VeskctlMsgTest, ListenReportsWhatFindPostSendAndCopyDataDeliver) {
  Veskctl listener({"msg", "listen", "Vesk Listener", "--result", "77"});
  const std::string ready = listener.errLine();
  ASSERT_EQ(ready.rfind("veskctl msg: listening as ", 0), 0u) << ready;
  const std::string handle = ready.substr(ready.rfind(' ') + 1);

  Result found = run({"msg", "find", "VESK LISTENER"});
  EXPECT_EQ(found.code, 0);
  EXPECT_EQ(found.out, handle);
  EXPECT_EQ(run({"msg", "find", "Vesk"}).code, 1);

  Result sent = run({"msg", "send", "vesk listener", "1224", "1", "-2"});
  EXPECT_EQ(sent.code, 0);
  EXPECT_EQ(sent.out, "77");
  EXPECT_EQ(listener.outLine(), "1224 1 -2");

  EXPECT_EQ(run({"msg", "post", "Vesk Listener", "WM_USER+5", "0x10"}).code, 0);
  EXPECT_EQ(listener.outLine(), "1029 16 0");

  const UINT chorus = RegisterWindowMessage("WM_CHORUS_MSG");
  EXPECT_EQ(run({"msg", "send", "Vesk Listener", "--registered", "WM_CHORUS_MSG", "11"}).out, "77");
  EXPECT_EQ(listener.outLine(), std::to_string(chorus) + " 11 0");

  Result copied =
      run({"msg", "copydata", "Vesk Listener", "0x07970003", "0102aBff", "--wparam", "2024"});
  EXPECT_EQ(copied.out, "77");
  EXPECT_EQ(listener.outLine(), "74 2024 0x07970003 0102abff");

  Result bad = run({"msg", "post", "Vesk Listener", "nonsense"});
  EXPECT_NE(bad.code, 0);
  EXPECT_NE(bad.err.find("not a number"), std::string::npos);
  Result odd = run({"msg", "copydata", "Vesk Listener", "1", "abc"});
  EXPECT_NE(odd.code, 0);
  Result missing = run({"msg", "send", "Nobody Here", "1"});
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("no window titled"), std::string::npos);

  EXPECT_EQ(run({"msg", "post", "Vesk Listener", "WM_CLOSE"}).code, 0);
  EXPECT_EQ(listener.outLine(), "16 0 0");
  EXPECT_EQ(listener.finish(), 0);
  EXPECT_EQ(FindWindow("Vesk Listener"), kNoWindow);
}

}  // namespace
