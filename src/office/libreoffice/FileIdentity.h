// Enough of a file to tell that it was replaced or written since it was
// read: a document prepared ahead is used only while its file still has the
// identity it had when the office read it.
#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>

namespace pressmoor::office::libreoffice {

struct FileIdentity {
  dev_t device;
  ino_t inode;
  off_t size;
  decltype(timespec::tv_sec) seconds;
  decltype(timespec::tv_nsec) nanoseconds;
  bool operator==(const FileIdentity&) const = default;
};

// None when the file cannot be found.
std::optional<FileIdentity> IdentityOf(const std::string& path);

}  // namespace pressmoor::office::libreoffice
