#include "driver/OutputNameLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

namespace pressmoor::driver {

namespace {

constexpr const char* kLockName = "quillset-output.lock";

std::string DirectoryOf(const std::string& database) {
  return std::filesystem::path(database).parent_path().string();
}

// The name goes machine-wide when that level takes writes, else per user;
// the lock lives beside the store that holds it.
std::string LockDirectory(const platform::RegistryRoots& roots) {
  const std::string machine = DirectoryOf(roots.machineDatabase);
  if (!roots.machineReadOnly && !machine.empty() && access(machine.c_str(), W_OK) == 0) {
    return machine;
  }
  const std::string user = DirectoryOf(roots.userDatabase);
  std::error_code ignored;
  std::filesystem::create_directories(user, ignored);
  return user;
}

}  // namespace

OutputNameLock::OutputNameLock(const platform::RegistryRoots& roots) {
  const std::string path = LockDirectory(roots) + "/" + kLockName;
  fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd_ < 0) return;
  int status;
  do {
    status = flock(fd_, LOCK_EX);
  } while (status != 0 && errno == EINTR);
  if (status != 0) {
    close(fd_);
    fd_ = -1;
  }
}

OutputNameLock::~OutputNameLock() { Release(); }

void OutputNameLock::Release() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
}

}  // namespace pressmoor::driver
