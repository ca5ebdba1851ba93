// The real file system.
#pragma once

#include "platform/FileSystem.h"

namespace pressmoor::platform {

class LocalFileSystem : public FileSystem {
 public:
  std::vector<MountPoint> Mounts() override;
  std::string CurrentDirectory() override;
  bool ListDirectory(const std::string& directory, std::vector<DirectoryEntry>* entries) override;
  bool IsDirectory(const std::string& path) override;
  bool IsRegularFile(const std::string& path) override;
  bool CanOpenExclusively(const std::string& path) override;
  std::optional<std::int64_t> ModifiedAt(const std::string& path) override;
  bool MakeDirectories(const std::string& path) override;

  // The drives shown for a mount table in the format of /proc/self/mounts.
  static std::vector<MountPoint> MountsFromTable(const std::string& table);
};

}  // namespace pressmoor::platform
