// A directory nobody can write into for as long as this object lives, even
// for root: permissions for everyone else, the immutable flag for root, who
// ignores permissions.
#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

namespace pressmoor::testing {

class ReadOnlyDirectory {
 public:
  explicit ReadOnlyDirectory(std::string path) : path_(std::move(path)) {
    if (::geteuid() != 0) {
      applied_ = ::chmod(path_.c_str(), 0555) == 0;
      return;
    }
    applied_ = SetImmutable(true);
  }
  ~ReadOnlyDirectory() {
    if (!applied_) return;
    if (::geteuid() != 0) {
      ::chmod(path_.c_str(), 0755);
    } else {
      SetImmutable(false);
    }
  }
  ReadOnlyDirectory(const ReadOnlyDirectory&) = delete;
  ReadOnlyDirectory& operator=(const ReadOnlyDirectory&) = delete;

  // False where the file system or the process's rights do not allow it.
  bool Applied() const { return applied_; }

 private:
  bool SetImmutable(bool on) {
    int fd = ::open(path_.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
      flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
      done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
  }

  std::string path_;
  bool applied_ = false;
};

}  // namespace pressmoor::testing
