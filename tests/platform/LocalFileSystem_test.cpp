#include "platform/LocalFileSystem.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TempDir.h"

namespace pressmoor::platform {
namespace {

using testing::TempDir;

std::vector<std::string> Paths(const std::vector<MountPoint>& mounts) {
  std::vector<std::string> paths;
  for (const MountPoint& mount : mounts) paths.push_back(mount.path);
  return paths;
}

std::string ReadAll(const std::string& path) {
  std::ifstream file(path);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

TEST(LocalFileSystemMounts, RootFirstPseudoFileSystemsLeftOut) {
  TempDir disk;
  std::string data = disk.MakeDirectory("data");
  std::string table =
      "proc /proc proc rw 0 0\n"
      "sysfs /sys sysfs rw 0 0\n"
      "tmpfs /run tmpfs rw 0 0\n"
      "tmpfs /run/user/1000 tmpfs rw 0 0\n"
      "cgroup2 " + data + " cgroup2 rw 0 0\n"
      "/dev/sdb1 " + data + " ext4 rw 0 0\n"
      "overlay / overlay rw 0 0\n"
      "tmpfs /tmp tmpfs rw 0 0\n";
  std::vector<MountPoint> mounts = LocalFileSystem::MountsFromTable(table);
  EXPECT_EQ(Paths(mounts), (std::vector<std::string>{"/", data, "/tmp"}));
  EXPECT_EQ(mounts[0].label, "overlay");
  EXPECT_EQ(mounts[1].label, "sdb1");
  EXPECT_EQ(mounts[2].label, "tmpfs");
}

TEST(LocalFileSystemMounts, EscapedBlanksAreDecodedAndFileMountsSkipped) {
  TempDir disk;
  std::string spaced = disk.MakeDirectory("my disk");
  std::string file = disk.WriteFile("hosts", "");
  std::string escaped = spaced;
  escaped.replace(escaped.find(' '), 1, "\\040");
  std::string table = "/dev/sdc1 " + escaped + " vfat rw 0 0\n/dev/sda1 " + file + " ext4 rw 0 0\ngarbage\n";
  EXPECT_EQ(Paths(LocalFileSystem::MountsFromTable(table)), (std::vector<std::string>{"/", spaced}));
}

TEST(LocalFileSystemMounts, RealTableStartsWithRootOnce) {
  std::vector<MountPoint> mounts = LocalFileSystem().Mounts();
  ASSERT_FALSE(mounts.empty());
  EXPECT_EQ(mounts[0].path, "/");
  EXPECT_EQ(std::count_if(mounts.begin(), mounts.end(), [](const MountPoint& m) { return m.path == "/"; }), 1);
  for (const MountPoint& mount : mounts) EXPECT_NE(mount.path.rfind("/proc", 0), 0u) << mount.path;
}

TEST(LocalFileSystemListing, KindsOfEntriesWithHiddenOnesIncluded) {
  TempDir disk;
  disk.WriteFile("dir/file.txt", "x");
  disk.WriteFile("dir/.hidden", "");
  disk.MakeDirectory("dir/sub");
  std::filesystem::create_symlink(disk.Path() + "/dir/file.txt", disk.Path() + "/dir/link");
  std::filesystem::create_symlink(disk.Path() + "/dir/none", disk.Path() + "/dir/broken");
  ASSERT_EQ(::mkfifo((disk.Path() + "/dir/pipe").c_str(), 0600), 0);
  std::vector<DirectoryEntry> entries;
  ASSERT_TRUE(LocalFileSystem().ListDirectory(disk.Path() + "/dir", &entries));
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  using K = DirectoryEntry::Kind;
  std::vector<std::pair<std::string, K>> found;
  for (const DirectoryEntry& entry : entries) found.emplace_back(entry.name, entry.kind);
  EXPECT_EQ(found, (std::vector<std::pair<std::string, K>>{{".hidden", K::File},
                                                            {"broken", K::Other},
                                                            {"file.txt", K::File},
                                                            {"link", K::File},
                                                            {"pipe", K::Other},
                                                            {"sub", K::Directory}}));
}

TEST(LocalFileSystemListing, MissingOrNonDirectoryFails) {
  TempDir disk;
  std::string file = disk.WriteFile("file", "");
  LocalFileSystem files;
  std::vector<DirectoryEntry> entries{{"kept", DirectoryEntry::Kind::File}};
  EXPECT_FALSE(files.ListDirectory(disk.Path() + "/missing", &entries));
  EXPECT_FALSE(files.ListDirectory(file, &entries));
  EXPECT_EQ(entries.size(), 1u);
  EXPECT_TRUE(files.IsDirectory(disk.Path()));
  EXPECT_FALSE(files.IsDirectory(file));
  EXPECT_TRUE(files.IsRegularFile(file));
  EXPECT_FALSE(files.IsRegularFile(disk.Path()));
  EXPECT_FALSE(files.IsRegularFile(disk.Path() + "/missing"));
}

TEST(LocalFileSystemListing, LinksAreMarkedWhateverTheyLeadTo) {
  TempDir disk;
  disk.WriteFile("dir/file.txt", "x");
  disk.MakeDirectory("dir/sub");
  std::filesystem::create_symlink(disk.Path() + "/dir/file.txt", disk.Path() + "/dir/to-file");
  std::filesystem::create_directory_symlink(disk.Path() + "/dir", disk.Path() + "/dir/sub/loop");
  std::filesystem::create_symlink(disk.Path() + "/dir/none", disk.Path() + "/dir/broken");
  std::vector<std::pair<std::string, bool>> links;
  for (const std::string folder : {"/dir", "/dir/sub"}) {
    std::vector<DirectoryEntry> entries;
    ASSERT_TRUE(LocalFileSystem().ListDirectory(disk.Path() + folder, &entries));
    for (const DirectoryEntry& entry : entries) links.emplace_back(entry.name, entry.link);
  }
  std::sort(links.begin(), links.end());
  EXPECT_EQ(links, (std::vector<std::pair<std::string, bool>>{
                       {"broken", true}, {"file.txt", false}, {"loop", true}, {"sub", false}, {"to-file", true}}));
}

TEST(LocalFileSystemStatus, ModificationTimesToTheNanosecondAndDirectoriesMadeWithTheirParents) {
  TempDir disk;
  const std::string file = disk.WriteFile("file", "");
  const timespec times[2] = {{0, UTIME_OMIT}, {1'700'000'000, 123'456'789}};
  ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
  LocalFileSystem files;
  EXPECT_EQ(files.ModifiedAt(file), 1'700'000'000'123'456'789);
  EXPECT_EQ(files.ModifiedAt(disk.Path() + "/missing"), std::nullopt);
  EXPECT_TRUE(files.MakeDirectories(disk.Path() + "/a/b/c"));
  EXPECT_TRUE(files.IsDirectory(disk.Path() + "/a/b/c"));
  EXPECT_TRUE(files.MakeDirectories(disk.Path() + "/a/b"));
  EXPECT_FALSE(files.MakeDirectories(file + "/below"));
}

class ExclusiveOpen : public ::testing::Test {
 protected:
  ExclusiveOpen() : path(disk.WriteFile("letter.doc", "content")) {}
  TempDir disk;
  std::string path;
  LocalFileSystem files;
};

TEST_F(ExclusiveOpen, FreeFileCanBeOpenedAndStaysUnchanged) {
  EXPECT_TRUE(files.CanOpenExclusively(path));
  EXPECT_TRUE(files.CanOpenExclusively(path));  // the lock was released
  EXPECT_EQ(ReadAll(path), "content");
}

TEST_F(ExclusiveOpen, WholeFileLockHeldElsewhereRefuses) {
  int holder = ::open(path.c_str(), O_RDONLY);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(::flock(holder, LOCK_SH), 0);
  EXPECT_FALSE(files.CanOpenExclusively(path));
  ::close(holder);
  EXPECT_TRUE(files.CanOpenExclusively(path));
}

TEST_F(ExclusiveOpen, RecordLockHeldElsewhereRefuses) {
  int holder = ::open(path.c_str(), O_RDWR);
  ASSERT_GE(holder, 0);
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  ASSERT_EQ(::fcntl(holder, F_OFD_SETLK, &lock), 0);
  EXPECT_FALSE(files.CanOpenExclusively(path));
  ::close(holder);
  EXPECT_TRUE(files.CanOpenExclusively(path));
}

TEST_F(ExclusiveOpen, OfficeLockFileBesideRefuses) {
  std::string lockFile = disk.WriteFile(".~lock.letter.doc#", "");
  EXPECT_FALSE(files.CanOpenExclusively(path));
  std::filesystem::remove(lockFile);
  EXPECT_TRUE(files.CanOpenExclusively(path));
}

}  // namespace
}  // namespace pressmoor::platform
