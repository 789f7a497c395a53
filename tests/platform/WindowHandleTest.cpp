#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <set>

#include "ChildProcess.h"
#include "RuntimeFolderFixture.h"
#include "WindowSocket.h"

namespace {

using namespace platform;

class WindowHandleTest : public RuntimeFolderFixture {
 protected:
  std::string link(HWND h) {
    char name[32];
    std::snprintf(name, sizeof name, "p%016llx", static_cast<unsigned long long>(h));
    return runtimeFolder() + "/" + name;
  }
};

TEST_F(WindowHandleTest, HandlesArePositive32BitValuesUniqueAcrossProcesses) {
  SyncPipe ready;
  ChildProcess child([&] {
    for (int i = 0; i < 50; ++i)
      CreateWindow("Child " + std::to_string(i),
                   [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
    ready.signal();
    for (;;) ::pause();
    return 0;
  });
  ASSERT_EQ(ready.wait(), 1);
  std::set<HWND> handles;
  std::vector<OwnedWindow> mine;
  for (int i = 0; i < 50; ++i) {
    mine.emplace_back(CreateWindow("", [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; }));
    handles.insert(mine.back());
    const HWND theirs = FindWindow("Child " + std::to_string(i));
    ASSERT_NE(theirs, kNoWindow);
    handles.insert(theirs);
  }
  EXPECT_EQ(handles.size(), 100u);
  for (HWND h : handles) {
    EXPECT_GE(h, 0x10000u);
    EXPECT_LT(h, 0x80000000u);
  }
  // A handle carried in 32 bits still reaches its window.
  const auto carried = static_cast<std::uint32_t>(FindWindow("Child 7"));
  EXPECT_TRUE(IsWindow(static_cast<HWND>(carried)));
}

TEST_F(WindowHandleTest, AHandleHeldByALiveProcessIsNeverTakenAStaleOneIs) {
  // Make the runtime folder exist.
  OwnedWindow first(CreateWindow("", [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; }));
  const HWND h = 0x123456;

  SyncPipe ready;
  ChildProcess live([&] {
    ready.signal();
    for (;;) ::pause();
    return 0;
  });
  ASSERT_EQ(ready.wait(), 1);
  std::filesystem::create_symlink(std::to_string(live.pid()), link(h));
  EXPECT_EQ(detail::listenForWindow(h, "Thief"), detail::kHandleTaken);
  EXPECT_EQ(detail::processOf(h), live.pid());

  live.kill();
  live.wait();
  const int fd = detail::listenForWindow(h, "Heir");
  ASSERT_GE(fd, 0);
  EXPECT_EQ(detail::processOf(h), ::getpid());
  ::close(fd);
  detail::removeWindowFiles(h, true);
  EXPECT_FALSE(std::filesystem::is_symlink(link(h)));
  EXPECT_EQ(detail::processOf(h), 0);
}

}  // namespace
