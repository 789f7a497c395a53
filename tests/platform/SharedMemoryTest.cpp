#include "platform/SharedMemory.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/stat.h>

#include <cstring>

#include "SharedObject.h"
#include "SysTestSupport.h"
#include "platform/NamedMutex.h"

using platform::SharedMemory;
using namespace vesk_test_support;

namespace {

constexpr std::size_t kImageSize = 314424;

std::string objectPath(const std::string& name) {
  return "/dev/shm" + platform::detail::SharedObject::objectNameFor("shm", name);
}

TEST(SharedMemory, CreatesExactSizeUserPrivateAndSharesContent) {
  const std::string name = uniqueName("Image");
  auto created = SharedMemory::create(name, kImageSize);
  ASSERT_TRUE(created);
  EXPECT_FALSE(created->alreadyExisted());
  EXPECT_TRUE(created->owner());
  ASSERT_EQ(created->size(), kImageSize);

  struct stat st {};
  ASSERT_EQ(stat(objectPath(name).c_str(), &st), 0);
  EXPECT_EQ(static_cast<std::size_t>(st.st_size), kImageSize);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(st.st_uid, geteuid());

  std::memset(created->data(), 0x5A, kImageSize);
  auto opened = SharedMemory::open(name, kImageSize);
  ASSERT_TRUE(opened);
  EXPECT_FALSE(opened->owner());
  EXPECT_EQ(std::memcmp(opened->data(), created->data(), kImageSize), 0);
  opened->data()[kImageSize - 1] = std::byte{7};
  EXPECT_EQ(created->data()[kImageSize - 1], std::byte{7});

  EXPECT_FALSE(SharedMemory::open(name, kImageSize - 1)) << "size differs";
  auto second = SharedMemory::create(name, kImageSize);
  ASSERT_TRUE(second);
  EXPECT_TRUE(second->alreadyExisted());
  EXPECT_FALSE(second->owner());
  EXPECT_EQ(second->data()[0], std::byte{0x5A});
}

TEST(SharedMemory, StrictUmaskStillGivesAUsableObject) {
  const std::string name = uniqueName("Umask");
  const mode_t old = umask(0777);
  auto created = SharedMemory::create(name, 128);
  umask(old);
  ASSERT_TRUE(created);
  struct stat st {};
  ASSERT_EQ(stat(objectPath(name).c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_TRUE(SharedMemory::open(name, 128));
}

TEST(SharedMemory, OpenFailsWithoutCreatorAndBadNamesFail) {
  EXPECT_FALSE(SharedMemory::open(uniqueName("Nobody"), 64));
  EXPECT_FALSE(SharedMemory::create("", 64));
  EXPECT_FALSE(SharedMemory::create(uniqueName("Zero"), 0));
  EXPECT_FALSE(SharedMemory::create(std::string(400, 'x'), 64));
}

TEST(SharedMemory, NamesThatDifferOnlyInOddCharactersStayApart) {
  const std::string base = uniqueName("Odd");
  auto slash = SharedMemory::create(base + "/a", 16);
  auto underscore = SharedMemory::create(base + "_a", 16);
  auto backslash = SharedMemory::create(base + "\\a", 16);
  ASSERT_TRUE(slash && underscore && backslash);
  EXPECT_FALSE(underscore->alreadyExisted());
  EXPECT_FALSE(backslash->alreadyExisted());
}

TEST(SharedMemory, LastHandleRemovesTheName) {
  const std::string name = uniqueName("Gone");
  auto created = SharedMemory::create(name, 4096);
  ASSERT_TRUE(created);
  auto opened = SharedMemory::open(name, 4096);
  ASSERT_TRUE(opened);
  created.reset();
  struct stat st {};
  EXPECT_EQ(stat(objectPath(name).c_str(), &st), 0) << "still mapped by the opener";
  opened.reset();
  EXPECT_NE(stat(objectPath(name).c_str(), &st), 0);
}

TEST(SharedMemory, CreatorThatDiedLeavesNothingToOpenAndIsTakenOver) {
  const std::string name = uniqueName("Crashed");
  {
    HeldChild creator([&] {
      auto memory = SharedMemory::create(name, 4096);
      if (!memory) return false;
      std::memset(memory->data(), 0xEE, 4096);
      static std::unique_ptr<SharedMemory> keep;  // lives until the child is killed
      keep = std::move(memory);
      return true;
    });
    ASSERT_TRUE(creator.setupOk());
    EXPECT_TRUE(SharedMemory::open(name, 4096));
    creator.kill();
  }
  EXPECT_FALSE(SharedMemory::open(name, 4096)) << "its creator is gone";
  auto successor = SharedMemory::create(name, 4096);
  ASSERT_TRUE(successor);
  EXPECT_FALSE(successor->alreadyExisted());
  EXPECT_TRUE(successor->owner());
  EXPECT_EQ(successor->data()[0], std::byte{0}) << "nobody mapped it: made afresh";
}

TEST(SharedMemory, TakeoverKeepsTheMemoryOthersStillMap) {
  const std::string name = uniqueName("Kept");
  std::unique_ptr<SharedMemory> opener;
  {
    HeldChild creator([&] {
      static std::unique_ptr<SharedMemory> keep = SharedMemory::create(name, 4096);
      return keep != nullptr;
    });
    ASSERT_TRUE(creator.setupOk());
    opener = SharedMemory::open(name, 4096);
    ASSERT_TRUE(opener);
    opener->data()[10] = std::byte{42};
  }
  auto successor = SharedMemory::create(name, 4096);
  ASSERT_TRUE(successor);
  EXPECT_FALSE(successor->alreadyExisted()) << "no live creator";
  EXPECT_EQ(successor->data()[10], std::byte{42});
  successor->data()[11] = std::byte{43};
  EXPECT_EQ(opener->data()[11], std::byte{43}) << "both still share one memory";
  EXPECT_FALSE(SharedMemory::create(name, 8192)) << "never resized under a mapper";
}

TEST(SharedMemory, ObjectPlantedOpenForOthersIsRefused) {
  const std::string name = uniqueName("Planted");
  const std::string object = platform::detail::SharedObject::objectNameFor("shm", name);
  ASSERT_FALSE(object.empty());
  const int fd = shm_open(object.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(fchmod(fd, 0666), 0);
  ASSERT_EQ(ftruncate(fd, 64), 0);
  close(fd);
  EXPECT_FALSE(SharedMemory::create(name, 64));
  shm_unlink(object.c_str());
}

// Two runtime folders are two desktop sessions: the shared image, its mutex
// and the single-instance guards of one are never those of the other, while
// every process of one session, however it spells the folder, meets the same.
TEST(SharedMemory, NamedObjectsBelongToTheRuntimeFolderTheyWereMadeIn) {
  TempFolder first, second;
  const std::string name = "NIVARO_VeskORBOptical_Mouse_Share_Data";
  std::unique_ptr<SharedMemory> image;
  std::unique_ptr<platform::NamedMutex> mutex;
  std::unique_ptr<platform::SingleInstance> guard;
  {
    ScopedEnv session("XDG_RUNTIME_DIR", first.path());
    image = SharedMemory::create(name, 4096);
    mutex = platform::NamedMutex::create(name);
    guard = platform::SingleInstance::acquire(name);
    ASSERT_TRUE(image && mutex && guard);
    image->data()[0] = std::byte{1};
  }
  {
    ScopedEnv session("XDG_RUNTIME_DIR", second.path());
    EXPECT_FALSE(SharedMemory::open(name, 4096)) << "the other session's image";
    EXPECT_FALSE(platform::NamedMutex::open(name));
    auto own = SharedMemory::create(name, 8192);  // a size the first session could not take
    ASSERT_TRUE(own);
    EXPECT_FALSE(own->alreadyExisted());
    platform::NamedMutex::Created created{};
    EXPECT_TRUE(platform::NamedMutex::create(name, &created));
    EXPECT_EQ(created, platform::NamedMutex::Created::New);
    EXPECT_TRUE(platform::SingleInstance::acquire(name));
  }
  {
    ScopedEnv session("XDG_RUNTIME_DIR", first.path() + "//");
    const int meets = runInChild([&] {
      auto opened = SharedMemory::open(name, 4096);
      const bool sameImage = opened && opened->data()[0] == std::byte{1};
      const bool sameMutex = platform::NamedMutex::open(name) != nullptr;
      const bool guarded = platform::SingleInstance::acquire(name) == nullptr;
      return sameImage && sameMutex && guarded ? 0 : 1;
    });
    EXPECT_EQ(meets, 0) << "another process of the first session meets its objects";
  }
}

// The session id is made once, whole, and kept; one that was damaged is
// made afresh instead of leaving the session without names.
TEST(SharedMemory, SessionKeyIsStableAndSurvivesADamagedIdFile) {
  TempFolder folder;
  ScopedEnv session("XDG_RUNTIME_DIR", folder.path());
  const std::string key = platform::detail::sessionKey();
  ASSERT_EQ(key.size(), 32u);
  EXPECT_EQ(platform::detail::sessionKey(), key);
  const int fromChild = runInChild([&] { return platform::detail::sessionKey() == key ? 0 : 1; });
  EXPECT_EQ(fromChild, 0);
  {
    std::FILE* f = std::fopen((folder.path() + "/vesk/session-id").c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs("12", f);
    std::fclose(f);
  }
  const std::string fresh = platform::detail::sessionKey();
  EXPECT_EQ(fresh.size(), 32u);
  EXPECT_EQ(platform::detail::sessionKey(), fresh);
}

}  // namespace
