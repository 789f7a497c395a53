#include "platform/NamedMutex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "SysTestSupport.h"

using platform::NamedMutex;
using platform::NamedMutexLock;
using platform::SingleInstance;
using namespace vesk_test_support;
using Created = NamedMutex::Created;
using Wait = NamedMutex::Wait;

namespace {

TEST(NamedMutex, SecondCreateReportsExistingAndOpenNeedsACreator) {
  const std::string name = uniqueName("Mutex_Object");
  EXPECT_FALSE(NamedMutex::open(name));
  Created created = Created::AlreadyExisted;
  auto first = NamedMutex::create(name, &created);
  ASSERT_TRUE(first);
  EXPECT_EQ(created, Created::New);
  auto second = NamedMutex::create(name, &created);
  ASSERT_TRUE(second);
  EXPECT_EQ(created, Created::AlreadyExisted);
  EXPECT_TRUE(NamedMutex::open(name));
  first.reset();
  second.reset();
  EXPECT_FALSE(NamedMutex::open(name));
}

TEST(NamedMutex, ExcludesOtherThreadsAndAllowsTheOwnerAgain) {
  const std::string name = uniqueName("Threads");
  auto mutex = NamedMutex::create(name);
  auto other = NamedMutex::open(name);
  ASSERT_TRUE(mutex && other);
  ASSERT_EQ(mutex->lock(), Wait::Acquired);
  EXPECT_EQ(mutex->lock(0), Wait::Acquired) << "the owner may wait on it again";
  Wait seen = Wait::Failed;
  std::thread([&] { seen = other->lock(0); }).join();
  EXPECT_EQ(seen, Wait::TimedOut);
  std::thread([&] { seen = other->lock(5); }).join();
  EXPECT_EQ(seen, Wait::TimedOut);
  mutex->unlock();
  mutex->unlock();
  std::thread([&] {
    NamedMutexLock lock(*other, 1000);
    seen = lock.ok() ? Wait::Acquired : Wait::Failed;
  }).join();
  EXPECT_EQ(seen, Wait::Acquired);
}

TEST(NamedMutex, HolderKilledWhileHoldingIsDetectedAndOthersCarryOn) {
  const std::string name = uniqueName("Robust");
  auto mutex = NamedMutex::create(name);
  ASSERT_TRUE(mutex);
  // A child opens the mutex, takes it, and dies without releasing it.
  const int status = runInChild([&] {
    auto opened = NamedMutex::open(name);
    if (!opened || opened->lock() != Wait::Acquired) return 1;
    return 0;
  });
  ASSERT_EQ(status, 0);
  EXPECT_EQ(mutex->lock(), Wait::AbandonedAcquired);
  mutex->unlock();
  EXPECT_EQ(mutex->lock(), Wait::Acquired) << "made consistent again";
  mutex->unlock();

  // Killed while holding, as a crash would.
  {
    HeldChild holder([&] {
      static std::unique_ptr<NamedMutex> opened = NamedMutex::open(name);
      return opened && opened->lock() == Wait::Acquired;
    });
    ASSERT_TRUE(holder.setupOk());
    EXPECT_EQ(mutex->lock(0), Wait::TimedOut);
    holder.kill();
  }
  EXPECT_EQ(mutex->lock(), Wait::AbandonedAcquired);
  mutex->unlock();
}

TEST(NamedMutex, CreatorThatDiedNoLongerKeepsASecondInstanceOut) {
  const std::string name = uniqueName("Monitor");
  std::unique_ptr<NamedMutex> opener;
  {
    HeldChild creator([&] {
      static std::unique_ptr<NamedMutex> keep = NamedMutex::create(name);
      return keep != nullptr;
    });
    ASSERT_TRUE(creator.setupOk());
    Created created = Created::New;
    EXPECT_TRUE(NamedMutex::create(name, &created));
    EXPECT_EQ(created, Created::AlreadyExisted);
    opener = NamedMutex::open(name);
    ASSERT_TRUE(opener);
    ASSERT_EQ(opener->lock(), Wait::Acquired);
  }
  Created created = Created::AlreadyExisted;
  auto successor = NamedMutex::create(name, &created);
  ASSERT_TRUE(successor);
  EXPECT_EQ(created, Created::New);
  // The opener still holds the very mutex the successor now uses.
  Wait seen = Wait::Failed;
  std::thread([&] { seen = successor->lock(0); }).join();
  EXPECT_EQ(seen, Wait::TimedOut);
  opener->unlock();
  EXPECT_EQ(successor->lock(0), Wait::Acquired);
  successor->unlock();
}

class SingleInstanceTest : public ::testing::Test {
 protected:
  TempFolder runtime_;
  ScopedEnv env_{"XDG_RUNTIME_DIR", runtime_.path()};
};

TEST_F(SingleInstanceTest, SecondInstanceRefusedWhileTheFirstLives) {
  const std::string name = "NIVARO_VeskORBOptical_Mouse_Normal_Monitor";
  {
    HeldChild first([&] {
      static std::unique_ptr<SingleInstance> keep = SingleInstance::acquire(name);
      return keep != nullptr;
    });
    ASSERT_TRUE(first.setupOk());
    EXPECT_FALSE(SingleInstance::acquire(name));
    EXPECT_TRUE(SingleInstance::acquire("Nivaro_VeskORBOptical_configure")) << "other names free";
    first.kill();
  }
  auto afterDeath = SingleInstance::acquire(name);
  ASSERT_TRUE(afterDeath);
  EXPECT_FALSE(SingleInstance::acquire(name)) << "also within one process";
  afterDeath.reset();
  EXPECT_TRUE(SingleInstance::acquire(name));
}

TEST_F(SingleInstanceTest, GuardIsNotInheritedByStartedPrograms) {
  auto guard = SingleInstance::acquire("Guard");
  ASSERT_TRUE(guard);
  // A program started by the holder must not keep the guard after exec.
  const int status = runInChild([] {
    execl("/bin/sh", "sh", "-c", "ls -l /proc/self/fd | grep -q instance- && exit 1; exit 0",
          static_cast<char*>(nullptr));
    return 2;
  });
  EXPECT_EQ(status, 0);
}

}  // namespace
