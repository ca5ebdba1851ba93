#include "platform/LocalFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>

namespace pressmoor::platform {

namespace {

// Kernel and container plumbing that holds no documents.
constexpr std::array<std::string_view, 24> kPseudoTypes{
    "proc",      "sysfs",    "cgroup",   "cgroup2",     "devpts",     "mqueue",
    "debugfs",   "tracefs",  "securityfs", "pstore",    "bpf",        "configfs",
    "fusectl",   "hugetlbfs", "autofs",  "binfmt_misc", "nsfs",       "devtmpfs",
    "rpc_pipefs", "efivarfs", "selinuxfs", "ramfs",     "fuse.gvfsd-fuse", "fuse.portal"};

constexpr std::array<std::string_view, 4> kSystemTrees{"/dev", "/run", "/sys", "/proc"};

bool Under(std::string_view path, std::string_view tree) {
  return path == tree || (path.size() > tree.size() && path.substr(0, tree.size()) == tree && path[tree.size()] == '/');
}

bool ShowsDocuments(const std::string& type, const std::string& path) {
  if (std::find(kPseudoTypes.begin(), kPseudoTypes.end(), type) != kPseudoTypes.end()) return false;
  for (std::string_view tree : kSystemTrees) {
    if (Under(path, tree)) return false;
  }
  return true;
}

// The mount table writes blanks, tabs, newlines and backslashes as \ooo.
bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }

std::string DecodeMountField(const std::string& field) {
  std::string result;
  for (std::size_t i = 0; i < field.size(); ++i) {
    bool escaped = field[i] == '\\' && i + 3 < field.size() && IsOctalDigit(field[i + 1]) && IsOctalDigit(field[i + 2]) && IsOctalDigit(field[i + 3]);
    if (escaped) {
      result += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
      i += 3;
    } else {
      result += field[i];
    }
  }
  return result;
}

// A drive's label: its device's name ("sda1"), or the file system type
// when no device backs it ("tmpfs", "overlay").
std::string LabelOf(const std::string& device, const std::string& type) {
  if (!device.empty() && device.front() == '/') return device.substr(device.find_last_of('/') + 1);
  return type;
}

bool IsDirectoryPath(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

DirectoryEntry::Kind KindOf(int directoryFd, const char* name, unsigned char type) {
  if (type == DT_REG) return DirectoryEntry::Kind::File;
  if (type == DT_DIR) return DirectoryEntry::Kind::Directory;
  if (type != DT_UNKNOWN && type != DT_LNK) return DirectoryEntry::Kind::Other;
  struct stat status {};
  if (::fstatat(directoryFd, name, &status, 0) != 0) return DirectoryEntry::Kind::Other;
  if (S_ISREG(status.st_mode)) return DirectoryEntry::Kind::File;
  if (S_ISDIR(status.st_mode)) return DirectoryEntry::Kind::Directory;
  return DirectoryEntry::Kind::Other;
}

bool IsLink(int directoryFd, const char* name, unsigned char type) {
  if (type != DT_UNKNOWN) return type == DT_LNK;
  struct stat status {};
  return ::fstatat(directoryFd, name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(status.st_mode);
}

// The office suite marks an open document with ".~lock.NAME#" beside it.
bool OfficeLockFileBeside(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  std::string directory = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  struct stat status {};
  return ::lstat((directory + ".~lock." + name + "#").c_str(), &status) == 0;
}

// Record locks of other processes (the office suite takes these) as well as
// whole-file locks.
bool RecordLockHeld(int fd) {
  struct flock probe {};
  probe.l_type = F_WRLCK;
  probe.l_whence = SEEK_SET;
  probe.l_start = 0;
  probe.l_len = 0;
  probe.l_pid = 0;
  if (::fcntl(fd, F_OFD_GETLK, &probe) != 0) return false;
  return probe.l_type != F_UNLCK;
}

}  // namespace

std::vector<MountPoint> LocalFileSystem::Mounts() {
  std::ifstream file("/proc/self/mounts");
  std::stringstream table;
  table << file.rdbuf();
  return MountsFromTable(table.str());
}

std::vector<MountPoint> LocalFileSystem::MountsFromTable(const std::string& text) {
  std::vector<MountPoint> mounts{{"/", ""}};
  std::istringstream table(text);
  std::string line;
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::string device, path, type;
    if (!(fields >> device >> path >> type)) continue;
    device = DecodeMountField(device);
    path = DecodeMountField(path);
    if (path.empty() || path.front() != '/' || !ShowsDocuments(type, path)) continue;
    if (path != "/" && !IsDirectoryPath(path)) continue;  // files bound into containers
    MountPoint mount{path, LabelOf(device, type)};
    auto same = std::find_if(mounts.begin(), mounts.end(), [&](const MountPoint& m) { return m.path == path; });
    if (same != mounts.end()) {
      *same = mount;  // a later mount over the same point hides the earlier one
    } else {
      mounts.push_back(mount);
    }
  }
  return mounts;
}

std::string LocalFileSystem::CurrentDirectory() {
  std::string buffer(4096, '\0');
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() > (1u << 20)) return "/";
    buffer.resize(buffer.size() * 2);
  }
  return buffer.c_str();
}

bool LocalFileSystem::ListDirectory(const std::string& directory, std::vector<DirectoryEntry>* entries) {
  DIR* stream = ::opendir(directory.c_str());
  if (stream == nullptr) return false;
  std::vector<DirectoryEntry> found;
  errno = 0;
  while (const dirent* entry = ::readdir(stream)) {
    std::string_view name(entry->d_name);
    if (name == "." || name == "..") continue;
    found.push_back({std::string(name), KindOf(::dirfd(stream), entry->d_name, entry->d_type),
                     IsLink(::dirfd(stream), entry->d_name, entry->d_type)});
    errno = 0;
  }
  bool complete = errno == 0;
  ::closedir(stream);
  if (!complete) return false;
  *entries = std::move(found);
  return true;
}

bool LocalFileSystem::IsDirectory(const std::string& path) {
  DIR* stream = ::opendir(path.c_str());
  if (stream == nullptr) return false;
  ::closedir(stream);
  return true;
}

bool LocalFileSystem::IsRegularFile(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool LocalFileSystem::CanOpenExclusively(const std::string& path) {
  if (OfficeLockFileBeside(path)) return false;
  int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  bool free = !RecordLockHeld(fd) && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  if (free) ::flock(fd, LOCK_UN);
  ::close(fd);
  return free;
}

std::optional<std::int64_t> LocalFileSystem::ModifiedAt(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return std::int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec;
}

bool LocalFileSystem::MakeDirectories(const std::string& path) {
  std::error_code error;
  std::filesystem::create_directories(path, error);
  return IsDirectoryPath(path);
}

}  // namespace pressmoor::platform
