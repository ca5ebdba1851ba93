// Placeholder until implemented.
#include "platform/LocalFileSystem.h"

namespace pressmoor::platform {
std::vector<MountPoint> LocalFileSystem::Mounts() { return {{"/", ""}}; }
std::string LocalFileSystem::CurrentDirectory() { return "/"; }
bool LocalFileSystem::ListDirectory(const std::string&, std::vector<DirectoryEntry>*) { return false; }
bool LocalFileSystem::IsDirectory(const std::string&) { return false; }
bool LocalFileSystem::IsRegularFile(const std::string&) { return false; }
bool LocalFileSystem::CanOpenExclusively(const std::string&) { return false; }
}  // namespace pressmoor::platform
