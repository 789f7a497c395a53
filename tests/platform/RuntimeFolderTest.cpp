#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "RuntimeFolderFixture.h"
#include "platform/Paths.h"
#include "platform/Window.h"

using namespace platform;

namespace {

class RuntimeFolderTest : public RuntimeFolderFixture {};

mode_t modeOf(const std::string& path) {
  struct stat st {};
  ::lstat(path.c_str(), &st);
  return st.st_mode & 0777;
}

TEST_F(RuntimeFolderTest, IsAPrivateFolderUnderTheUsersRuntimeDirectory) {
  EXPECT_EQ(RuntimeFolder(), runtimeFolder());
  EXPECT_EQ(modeOf(runtimeFolder()), 0700u);
  // Opened up by someone: closed again on the next use.
  ASSERT_EQ(::chmod(runtimeFolder().c_str(), 0755), 0);
  EXPECT_EQ(RuntimeFolder(), runtimeFolder());
  EXPECT_EQ(modeOf(runtimeFolder()), 0700u);
}

TEST_F(RuntimeFolderTest, ASymlinkInItsPlaceIsRefused) {
  const std::string elsewhere = base_ + "/elsewhere";
  ASSERT_EQ(::mkdir(elsewhere.c_str(), 0700), 0);
  ASSERT_EQ(::symlink(elsewhere.c_str(), runtimeFolder().c_str()), 0);
  EXPECT_EQ(RuntimeFolder(), "");
  // Windows still work inside the process; they just cannot be reached
  // from outside.
  HWND w = CreateWindow("Local Only", [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 3; });
  ASSERT_NE(w, kNoWindow);
  EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 3);
  EXPECT_TRUE(std::filesystem::is_empty(elsewhere));
  DestroyWindow(w);
}

// Frames from a peer of the same user that make no sense close that
// connection only; the window goes on serving everyone else.
TEST_F(RuntimeFolderTest, MalformedFramesDropTheConnectionNotTheWindow) {
  int handled = 0;
  auto w = window("Target", [&](HWND, UINT m, WPARAM, LPARAM) -> LRESULT {
    if (m == WM_USER) ++handled;
    return 9;
  });
  char name[32];
  std::snprintf(name, sizeof name, "/w%016llx", static_cast<unsigned long long>(HWND(w)));
  const std::string path = runtimeFolder() + name;
  auto connectRaw = [&] {
    int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::snprintf(addr.sun_path, sizeof addr.sun_path, "%s", path.c_str());
    EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    return fd;
  };
  const unsigned char header[8] = {0x56, 0x53, 0x4B, 0x4D, 1, 0, 2, 0};  // magic, v1, send
  std::vector<std::vector<unsigned char>> bad;
  bad.push_back({1, 2, 3});                             // too short
  bad.push_back(std::vector<unsigned char>(64, 0xEE));  // wrong magic
  std::vector<unsigned char> sizeLie(64, 0);
  std::memcpy(sizeLie.data(), header, sizeof header);
  sizeLie[28] = 200;  // claims 200 bytes of data, carries none
  bad.push_back(sizeLie);
  std::vector<unsigned char> unknownKind(64, 0);
  std::memcpy(unknownKind.data(), header, sizeof header);
  unknownKind[6] = 9;
  bad.push_back(unknownKind);
  for (auto& frame : bad) {
    int fd = connectRaw();
    ASSERT_EQ(::send(fd, frame.data(), frame.size(), 0), static_cast<ssize_t>(frame.size()));
    PumpMessages();
    char reply[64];
    EXPECT_EQ(::recv(fd, reply, sizeof reply, MSG_DONTWAIT), 0) << "connection closed";
    ::close(fd);
  }
  EXPECT_EQ(handled, 0);
  EXPECT_EQ(SendMessage(w, WM_USER, 0, 0), 9);
}

}  // namespace
