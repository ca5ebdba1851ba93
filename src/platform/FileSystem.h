// The file system as the window's lists and the converters see it. Tests
// replace it to make a drive "not ready" or a directory unreadable even when
// they run as root.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pressmoor::platform {

struct MountPoint {
  std::string path;   // "/", "/home", ...
  std::string label;  // may be empty; shown as "path [label]"
};

struct DirectoryEntry {
  enum class Kind { File, Directory, Other };
  std::string name;  // without directory
  Kind kind = Kind::Other;  // of what it names, links followed
  bool link = false;        // a symbolic link, whatever it leads to
};

// Contract: paths are absolute Linux paths; nothing here throws.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Mounted file systems worth showing, pseudo file systems left out, "/" first.
  virtual std::vector<MountPoint> Mounts() = 0;
  // The process's current directory.
  virtual std::string CurrentDirectory() = 0;
  // Every entry of `directory` except "." and "..", hidden ones included, in
  // no particular order. False when the directory cannot be opened or read
  // (missing, not a directory, no permission, drive not ready).
  virtual bool ListDirectory(const std::string& directory, std::vector<DirectoryEntry>* entries) = 0;
  // True when `path` names a directory that can be opened.
  virtual bool IsDirectory(const std::string& path) = 0;
  // True when `path` names an ordinary file (symbolic links followed).
  virtual bool IsRegularFile(const std::string& path) = 0;
  // True when the file can be opened for reading and writing and an exclusive
  // lock taken without waiting; both are released before returning. The file
  // is not changed.
  virtual bool CanOpenExclusively(const std::string& path) = 0;
  // When the content of what `path` names last changed (links followed), in
  // nanoseconds since the epoch; nothing when it cannot be found.
  virtual std::optional<std::int64_t> ModifiedAt(const std::string& path) = 0;
  // Makes the directory `path` with every missing directory above it. True
  // when it is a directory afterwards.
  virtual bool MakeDirectories(const std::string& path) = 0;
};

}  // namespace pressmoor::platform
