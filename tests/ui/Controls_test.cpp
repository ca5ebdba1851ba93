#include "ui/Controls.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "FakeEnvironment.h"
#include "TempDir.h"
#include "ui/WindowLayout.h"

namespace pressmoor::ui {
namespace {

using testing::FaultyFileSystem;
using testing::TempDir;

std::vector<std::string> Names(const FileListBox& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.ListCount(); ++i) names.push_back(list.List(i));
  return names;
}

TEST(TextBox, StartsWithDesignTextAndKeepsCaretInside) {
  TextBox box(layout::txtLMargin);
  EXPECT_EQ(box.Text(), "0.0");
  box.SelectAll();
  EXPECT_EQ(box.SelLength(), 3);
  box.SelStart(0);
  EXPECT_EQ(box.SelStart(), 0);
  EXPECT_EQ(box.SelLength(), 0);
  box.SelStart(99);
  EXPECT_EQ(box.SelStart(), 3);
  box.Text("1");
  EXPECT_EQ(box.SelStart(), 1);
}

class ComboBoxTest : public ::testing::Test {
 protected:
  ComboBoxTest() : combo(layout::cmbFileType) {
    for (int i = 0; i < 3; ++i) combo.List(i, "entry " + std::to_string(i));
    combo.Click = [this] { clicks.push_back(combo.ListIndex()); };
  }
  ComboBox combo;
  std::vector<int> clicks;
};

TEST_F(ComboBoxTest, NewIndexClicksWithTextAlreadySet) {
  std::string textSeen;
  combo.Click = [this, &textSeen] { textSeen = combo.Text(); };
  EXPECT_TRUE(combo.ListIndex(2));
  EXPECT_EQ(textSeen, "entry 2");
  EXPECT_EQ(combo.Text(), "entry 2");
}

TEST_F(ComboBoxTest, SameIndexRunsNothing) {
  combo.ListIndex(1);
  EXPECT_TRUE(combo.ListIndex(1));
  EXPECT_EQ(clicks, std::vector<int>{1});
}

TEST_F(ComboBoxTest, OutOfRangeFailsAndLeavesSelection) {
  combo.ListIndex(1);
  EXPECT_FALSE(combo.ListIndex(3));
  EXPECT_FALSE(combo.ListIndex(-2));
  EXPECT_EQ(combo.ListIndex(), 1);
  EXPECT_EQ(clicks, std::vector<int>{1});
}

TEST_F(ComboBoxTest, MinusOneClearsSelectionAndClicks) {
  combo.ListIndex(0);
  EXPECT_TRUE(combo.ListIndex(-1));
  EXPECT_EQ(combo.Text(), "");
  EXPECT_EQ(clicks, (std::vector<int>{0, -1}));
}

// The real disk below a temporary directory, with a mount table of our own.
class ListBoxTest : public ::testing::Test {
 protected:
  ListBoxTest() {
    usb = disk.MakeDirectory("usb");
    files.mounts = {{"/", "system"}, {usb, "stick"}};
    files.currentDirectory = disk.MakeDirectory("home/work");
  }
  TempDir disk;
  FaultyFileSystem files;
  std::string usb;
};

TEST_F(ListBoxTest, InitialStateIsTheCurrentDriveAndDirectory) {
  DriveListBox drive(layout::srcdrive, files);
  DirListBox folder(layout::SrcFolder, files);
  disk.WriteFile("home/work/a.txt", "");
  FileListBox list(layout::srcFileList, files);
  EXPECT_EQ(drive.Drive(), "/ [system]");
  EXPECT_EQ(folder.Path(), disk.Path() + "/home/work");
  EXPECT_EQ(list.Path(), disk.Path() + "/home/work");
  EXPECT_EQ(list.Pattern(), "*.*");
  EXPECT_EQ(Names(list), std::vector<std::string>{"a.txt"});
}

TEST_F(ListBoxTest, DriveAcceptsItsTextBareMountPointAndOldSystemDrive) {
  DriveListBox drive(layout::srcdrive, files);
  int changes = 0;
  drive.Change = [&] { ++changes; };
  EXPECT_TRUE(drive.Drive(usb));
  EXPECT_EQ(drive.Drive(), usb + " [stick]");
  EXPECT_TRUE(drive.Drive(usb + " [stick]"));
  EXPECT_TRUE(drive.Drive(usb + " [renamed]"));
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(drive.Drive("C:\\"));
  EXPECT_EQ(drive.Drive(), "/ [system]");
  EXPECT_TRUE(drive.Drive("/"));
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(drive.Drives(), (std::vector<std::string>{"/ [system]", usb + " [stick]"}));
}

TEST_F(ListBoxTest, UnknownDriveFailsAndChangesNothing) {
  DriveListBox drive(layout::srcdrive, files);
  bool changed = false;
  drive.Change = [&] { changed = true; };
  EXPECT_FALSE(drive.Drive(disk.Path() + "/gone [old]"));
  EXPECT_FALSE(drive.Drive("D:\\"));
  EXPECT_EQ(drive.Drive(), "/ [system]");
  EXPECT_FALSE(changed);
}

TEST_F(ListBoxTest, DriveTextOpensThatDrivesCurrentDirectory) {
  DirListBox folder(layout::SrcFolder, files);
  EXPECT_TRUE(folder.Path(usb + " [stick]"));
  EXPECT_EQ(folder.Path(), usb);
  EXPECT_TRUE(folder.Path("/ [system]"));
  EXPECT_EQ(folder.Path(), disk.Path() + "/home/work");
  files.currentDirectory = disk.MakeDirectory("usb/inside");
  EXPECT_TRUE(folder.Path(usb + " [stick]"));
  EXPECT_EQ(folder.Path(), usb + "/inside");
  EXPECT_TRUE(folder.Path("/ [system]"));
  EXPECT_EQ(folder.Path(), "/");
}

TEST_F(ListBoxTest, PathIsNormalizedAndRelativeToCurrentDirectory) {
  DirListBox folder(layout::SrcFolder, files);
  disk.MakeDirectory("home/letters");
  EXPECT_TRUE(folder.Path(disk.Path() + "/home/./work/../letters/"));
  EXPECT_EQ(folder.Path(), disk.Path() + "/home/letters");
  EXPECT_TRUE(folder.Path(".."));  // relative to the process, not to the list
  EXPECT_EQ(folder.Path(), disk.Path() + "/home");
  EXPECT_TRUE(folder.Path("/.."));
  EXPECT_EQ(folder.Path(), "/");
}

TEST_F(ListBoxTest, DirectoryThatCannotBeOpenedFailsAndKeepsPath) {
  DirListBox folder(layout::SrcFolder, files);
  int changes = 0;
  folder.Change = [&] { ++changes; };
  std::string before = folder.Path();
  disk.WriteFile("home/file.txt", "");
  files.unreadable.insert(usb);
  for (const std::string& bad : {disk.Path() + "/missing", disk.Path() + "/home/file.txt", usb, usb + " [stick]",
                                 std::string()}) {
    EXPECT_FALSE(folder.Path(bad)) << bad;
  }
  EXPECT_EQ(folder.Path(), before);
  EXPECT_EQ(changes, 0);
}

TEST_F(ListBoxTest, SamePathRaisesNothingButAVanishedOneFails) {
  DirListBox folder(layout::SrcFolder, files);
  int changes = 0;
  folder.Change = [&] { ++changes; };
  EXPECT_TRUE(folder.Path(disk.Path() + "/home/work/."));
  EXPECT_EQ(changes, 0);
  files.unreadable.insert(disk.Path() + "/home/work");
  EXPECT_FALSE(folder.Path(disk.Path() + "/home/work"));
}

TEST_F(ListBoxTest, SubdirectoriesAreSortedWithoutHiddenOnes) {
  DirListBox folder(layout::SrcFolder, files);
  for (const char* name : {"b", "A", ".cache", "D", "c"}) disk.MakeDirectory(std::string("home/work/") + name);
  disk.WriteFile("home/work/file", "");
  std::string base = disk.Path() + "/home/work/";
  EXPECT_EQ(folder.Subdirectories(), (std::vector<std::string>{base + "A", base + "b", base + "c", base + "D"}));
}

TEST_F(ListBoxTest, FileListShowsOrdinaryVisibleMatchingFilesInOrder) {
  for (const char* name : {"b.doc", "A.DOC", ".hidden.doc", "c.txt", "Makefile"}) disk.WriteFile(std::string("usb/") + name, "");
  disk.MakeDirectory("usb/folder.doc");
  std::filesystem::create_symlink(usb + "/b.doc", usb + "/link.doc");
  std::filesystem::create_symlink(usb + "/nowhere", usb + "/broken.doc");
  FileListBox list(layout::srcFileList, files);
  EXPECT_TRUE(list.Path(usb));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"A.DOC", "b.doc", "c.txt", "link.doc", "Makefile"}));
  EXPECT_TRUE(list.Pattern("*.doc"));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"A.DOC", "b.doc", "link.doc"}));
  EXPECT_EQ(list.List(3), "");
}

TEST_F(ListBoxTest, FailedPathKeepsPreviousDirectoryAndNames) {
  disk.WriteFile("usb/a.doc", "");
  FileListBox list(layout::srcFileList, files);
  list.Path(usb);
  EXPECT_FALSE(list.Path(usb + "/missing"));
  EXPECT_EQ(list.Path(), usb);
  EXPECT_EQ(Names(list), std::vector<std::string>{"a.doc"});
  files.unreadable.insert(usb);
  EXPECT_FALSE(list.Refresh());
  EXPECT_EQ(Names(list), std::vector<std::string>{"a.doc"});
}

TEST_F(ListBoxTest, TenThousandFilesAreListedInOrder) {
  std::string big = disk.MakeDirectory("big");
  for (int i = 9999; i >= 0; --i) {
    char name[32];
    std::snprintf(name, sizeof name, "/F%05d.%s", i, i % 2 ? "doc" : "DOC");
    std::FILE* file = std::fopen((big + name).c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
  }
  FileListBox list(layout::srcFileList, files);
  list.Pattern("*.doc");
  ASSERT_TRUE(list.Path(big));
  ASSERT_EQ(list.ListCount(), 10000);
  EXPECT_EQ(list.List(0), "F00000.DOC");
  EXPECT_EQ(list.List(9999), "F09999.doc");
  for (int i = 1; i < list.ListCount(); ++i) ASSERT_LT(list.List(i - 1), list.List(i));
}

}  // namespace
}  // namespace pressmoor::ui
