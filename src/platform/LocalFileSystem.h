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
};

}  // namespace pressmoor::platform
