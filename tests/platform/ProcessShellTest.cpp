#include "platform/ProcessShell.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "SysTestSupport.h"
#include "platform/FakeShell.h"

using platform::ProcessShell;
using namespace vesk_test_support;
namespace fs = std::filesystem;

namespace {

// Programs under test report through a FIFO; reading it waits for them
// without any timed sleep.
class ProcessShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fifo_ = folder_.path() + "/report";
    ASSERT_EQ(mkfifo(fifo_.c_str(), 0600), 0);
  }
  // A shell script that reports its name and arguments on the FIFO (in the
  // background, so it exits with `code` before the test reads).
  std::string script(const std::string& name, int code = 0) {
    const std::string path = folder_.path() + "/" + name;
    std::ofstream(path) << "#!/bin/sh\n(echo \"" << name << " $*\" > '" << fifo_ << "') &\nexit "
                        << code << "\n";
    fs::permissions(path, fs::perms::owner_all);
    return path;
  }
  std::string nextReport() {
    // Opening may meet the previous writer just before it closes (and read
    // nothing); the next report comes with the next writer.
    std::string line;
    while (line.empty()) {
      std::ifstream in(fifo_);
      std::getline(in, line);
    }
    return line;
  }

  TempFolder folder_;
  std::string fifo_;
};

TEST_F(ProcessShellTest, OpenRunsProgramsDirectlyWithTheirParameter) {
  script("Upgrade Tool");
  ProcessShell shell(folder_.path() + "/no-opener");
  // Written the system's way: backslashes, other letter case, ".exe".
  EXPECT_TRUE(shell.open(folder_.path() + "\\upgrade tool.EXE", "1"));
  EXPECT_EQ(nextReport(), "Upgrade Tool 1");
  EXPECT_TRUE(shell.open(folder_.path() + "/Upgrade Tool"));
  EXPECT_EQ(nextReport(), "Upgrade Tool ");
}

TEST_F(ProcessShellTest, FilesAndUrlsGoToTheOpenerWhoseVerdictCounts) {
  const std::string opener = script("opener");
  const std::string document = folder_.path() + "/Manual.pdf";
  std::ofstream(document) << "%PDF";
  ProcessShell shell(opener);
  EXPECT_TRUE(shell.open(folder_.path() + "\\manual.PDF"));
  EXPECT_EQ(nextReport(), "opener " + document);
  EXPECT_TRUE(shell.open("https://example.invalid/support?id=1"));
  EXPECT_EQ(nextReport(), "opener https://example.invalid/support?id=1");

  ProcessShell failing(script("failing-opener", 4));
  EXPECT_FALSE(failing.open(document)) << "the opener found no application";
  EXPECT_EQ(nextReport(), "failing-opener " + document);

  EXPECT_FALSE(shell.open(folder_.path() + "/Missing.pdf")) << "nothing to open";
  EXPECT_FALSE(shell.open(""));
  ProcessShell noOpener(folder_.path() + "/no-such-opener");
  EXPECT_FALSE(noOpener.open(document));
}

TEST_F(ProcessShellTest, StartReportsProgramsThatCannotRun) {
  const std::string tool = script("tool");
  ProcessShell shell;
  EXPECT_TRUE(shell.start(tool, {"a b", "c"}));
  EXPECT_EQ(nextReport(), "tool a b c");
  EXPECT_FALSE(shell.start(folder_.path() + "/absent", {}));
  EXPECT_FALSE(shell.start("vesk-no-such-command-anywhere", {}));
  const std::string plain = folder_.path() + "/not-executable";
  std::ofstream(plain) << "data";
  EXPECT_FALSE(shell.start(plain, {}));
}

TEST(ShellNames, UrlsAreToldFromPaths) {
  EXPECT_TRUE(ProcessShell::isUrl("http://x"));
  EXPECT_TRUE(ProcessShell::isUrl("mailto:someone@example.invalid"));
  EXPECT_FALSE(ProcessShell::isUrl("C:\\Games\\x.exe"));
  EXPECT_FALSE(ProcessShell::isUrl("help/readme.txt"));
  EXPECT_FALSE(ProcessShell::isUrl("a b://c"));
}

TEST(ShellNames, FakeRecordsCalls) {
  platform::FakeShell fake;
  fake.result = false;
  EXPECT_FALSE(fake.open("FWUpdate\\Tool.exe", "0"));
  EXPECT_FALSE(fake.start("player", {"--x"}));
  ASSERT_EQ(fake.calls.size(), 2u);
  EXPECT_TRUE(fake.calls[0].viaOpen);
  EXPECT_EQ(fake.calls[0].arguments, std::vector<std::string>{"0"});
  EXPECT_EQ(fake.calls[1].target, "player");
}

}  // namespace
