#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <nlohmann/json.hpp>

#include "../settings/TestFolder.h"

namespace {

class VeskctlTimersTest : public TestFolder {
 protected:
  Outcome veskctl(const std::string& args) {
    return TestFolder::veskctl("timers " + args + " --folder " + folder_);
  }
  void SetUp() override {
    TestFolder::SetUp();
    // An installed program folder has its settings folder.
    std::filesystem::create_directories(folder_ + "config");
  }
  std::string timerFile() { return readFile(folder_ + "config/Timer.ini"); }
};

// "Tea", 30 s as the platform writes a structure value: the 104 bytes in hex,
// then their sum's low byte.
const std::string kTea = "1E000000546561" + std::string(97 * 2, '0') + "38";

TEST_F(VeskctlTimersTest, AddListAndRemoveWriteTheFileAsTheDialogsDo) {
  ASSERT_EQ(veskctl("add '  Tea ' 30").status, 0) << stderrText();
  EXPECT_EQ(timerFile(), "[Timer]\r\nCount=1\r\n0=" + kTea + "\r\n");
  ASSERT_EQ(veskctl("add Pizza 720").status, 0) << stderrText();

  const Outcome list = veskctl("list --json");
  ASSERT_EQ(list.status, 0) << stderrText();
  EXPECT_EQ(nlohmann::json::parse(list.out),
            nlohmann::json::parse(R"({"timers": [{"name": "Tea", "seconds": 30},
                                                 {"name": "Pizza", "seconds": 720}]})"));
  EXPECT_EQ(veskctl("list").out, "Tea\t30\nPizza\t720\n");

  ASSERT_EQ(veskctl("remove ' pizza'").status, 0) << stderrText();
  EXPECT_EQ(timerFile(), "[Timer]\r\nCount=1\r\n0=" + kTea + "\r\n");
  ASSERT_EQ(veskctl("remove TEA").status, 0) << stderrText();
  EXPECT_EQ(timerFile(), "[Timer]\r\nCount=0\r\n");
  EXPECT_EQ(veskctl("list --json").out.find("\"timers\": []") != std::string::npos, true);
}

TEST_F(VeskctlTimersTest, RefusalsExitNonZeroWithOneLineAndLeaveTheFile) {
  ASSERT_EQ(veskctl("add Tea 30").status, 0) << stderrText();
  const std::string before = timerFile();
  for (const char* args : {"add tea 60", "add '   ' 60", "add Eggs 14", "add Eggs 1000",
                           "add 1234567890123456789012345 60", "remove Coffee"}) {
    EXPECT_NE(veskctl(args).status, 0) << args;
    const std::string reason = stderrText();
    EXPECT_FALSE(reason.empty()) << args;
    EXPECT_EQ(reason.find('\n'), reason.size() - 1) << args << ": " << reason;
    EXPECT_EQ(timerFile(), before) << args;
  }
  for (int i = 1; i < 51; ++i)
    ASSERT_EQ(veskctl("add T" + std::to_string(i) + " 20").status, 0) << i << stderrText();
  EXPECT_NE(veskctl("add OneTooMany 20").status, 0);
  EXPECT_NE(stderrText().find("51"), std::string::npos) << stderrText();
}

}  // namespace
