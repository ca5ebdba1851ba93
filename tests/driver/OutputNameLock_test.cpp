#include "driver/OutputNameLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "TempDir.h"

namespace pressmoor::driver {
namespace {

// Another process's view: can it take the lock file right now?
bool FreeForOthers(const std::string& path) {
  int fd = open(path.c_str(), O_RDWR);
  if (fd < 0) return true;
  bool free = flock(fd, LOCK_EX | LOCK_NB) == 0;
  close(fd);
  return free;
}

class OutputNameLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir.Path() + "/machine");
    roots.machineDatabase = dir.Path() + "/machine/registry.sqlite";
    roots.userDatabase = dir.Path() + "/user/registry.sqlite";
  }
  testing::TempDir dir;
  platform::RegistryRoots roots;
};

TEST_F(OutputNameLockTest, KeepsOtherRunsOutUntilReleased) {
  const std::string lockFile = dir.Path() + "/machine/quillset-output.lock";
  OutputNameLock lock(roots);
  ASSERT_TRUE(lock.Held());
  EXPECT_FALSE(FreeForOthers(lockFile));
  lock.Release();
  EXPECT_FALSE(lock.Held());
  EXPECT_TRUE(FreeForOthers(lockFile));
}

TEST_F(OutputNameLockTest, LivesBesideThePerUserStoreWhenTheMachineRefusesWrites) {
  roots.machineReadOnly = true;
  OutputNameLock lock(roots);
  ASSERT_TRUE(lock.Held());
  EXPECT_TRUE(std::filesystem::exists(dir.Path() + "/user/quillset-output.lock"));
  EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/machine/quillset-output.lock"));
}

TEST_F(OutputNameLockTest, WithoutAPlaceForItsFileHoldsNothingAndDoesNotBlock) {
  roots.machineReadOnly = true;
  dir.WriteFile("user", "a file where the folder should be");
  OutputNameLock lock(roots);
  EXPECT_FALSE(lock.Held());
}

}  // namespace
}  // namespace pressmoor::driver
