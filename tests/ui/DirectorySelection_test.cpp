#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "WindowFixture.h"

namespace pressmoor::testing {
namespace {

using Messages = std::vector<std::string>;

class DirectorySelection : public WindowFixture {
 protected:
  DirectorySelection() {
    usbDrive = MountDrive("usb", "stick");
    usb = disk.Path() + "/usb";
    source = disk.MakeDirectory("source");
    destination = disk.MakeDirectory("destination");
  }
  std::string usbDrive, usb, source, destination;
};

TEST_F(DirectorySelection, DriveChangeMovesDirectoryAndFileListInOneCall) {
  disk.WriteFile("usb/letter.doc", "");
  disk.WriteFile("usb/notes.txt", "");
  auto& window = Window();
  window.FilePattern = "*.doc";
  ASSERT_TRUE(window.srcdrive.Drive(usbDrive));
  EXPECT_EQ(window.SrcFolder.Path(), usb);
  EXPECT_EQ(window.srcFileList.Path(), usb);
  EXPECT_EQ(Names(window.srcFileList), std::vector<std::string>{"letter.doc"});

  ASSERT_TRUE(window.DstDrive.Drive(usbDrive));
  EXPECT_EQ(window.DstFolder.Path(), usb);
  EXPECT_EQ(window.dstFileList.Path(), usb);
  EXPECT_EQ(window.dstFileList.Pattern(), "*.PDF");
  EXPECT_TRUE(env.messageBoxes.empty());
}

TEST_F(DirectorySelection, DestinationListsPdfWhateverTheCaseOfItsExtension) {
  for (const char* name : {"a.PDF", "b.pdf", "c.Pdf", "d.doc"}) disk.WriteFile(std::string("destination/") + name, "");
  auto& window = Window();
  ASSERT_TRUE(window.DstFolder.Path(destination));
  EXPECT_EQ(Names(window.dstFileList), (std::vector<std::string>{"a.PDF", "b.pdf", "c.Pdf"}));
  ASSERT_TRUE(window.CheckDestinationDirectory());
  EXPECT_EQ(Names(window.dstFileList), (std::vector<std::string>{"a.PDF", "b.pdf", "c.Pdf"}));
}

TEST_F(DirectorySelection, DriveNotReadyRestoresSavedChoicesWithOneMessage) {
  disk.MakeDirectory("unsaved");
  Store("DriveInfo", "SourceDrive", kSystemDrive);
  Store("DriveInfo", "DestinationDrive", kSystemDrive);
  Store("Pathinfo", "SourceDir", source);
  Store("Pathinfo", "DestinationDir", destination);
  auto& window = Window();
  window.LoadSettings();
  ASSERT_TRUE(window.DstFolder.Path(disk.Path() + "/unsaved"));
  env.files.unreadable.insert(usb);

  EXPECT_TRUE(window.srcdrive.Drive(usbDrive));

  EXPECT_EQ(env.messageBoxes, Messages{"Drive is not available"});
  EXPECT_EQ(window.srcdrive.Drive(), kSystemDrive);
  EXPECT_EQ(window.SrcFolder.Path(), source);
  EXPECT_EQ(window.DstFolder.Path(), destination);
  EXPECT_EQ(window.dstFileList.Path(), destination);
}

TEST_F(DirectorySelection, NestingEndsWhenTheSavedDriveIsTheFailedOne) {
  std::string saved = disk.MakeDirectory("usb/letters");
  Store("DriveInfo", "SourceDrive", usbDrive);
  Store("Pathinfo", "SourceDir", saved);
  auto& window = Window();
  window.LoadSettings();
  ASSERT_EQ(window.SrcFolder.Path(), saved);
  ASSERT_TRUE(window.srcdrive.Drive(kSystemDrive));
  env.files.unreadable.insert(usb);
  env.messageBoxes.clear();

  window.srcdrive.Drive(usbDrive);

  EXPECT_EQ(env.messageBoxes, (Messages{"Drive is not available", "Source directory " + saved + " does not exist"}));
  EXPECT_EQ(window.srcdrive.Drive(), usbDrive);
  EXPECT_EQ(window.SrcFolder.Path(), disk.Path());
}

TEST_F(DirectorySelection, NestingEndsWhenTheSavedDriveIsAlsoGone) {
  std::string otherDrive = MountDrive("other", "card");
  Store("DriveInfo", "SourceDrive", otherDrive);
  auto& window = Window();
  env.files.unreadable.insert(usb);
  env.files.unreadable.insert(disk.Path() + "/other");

  window.srcdrive.Drive(usbDrive);

  EXPECT_EQ(env.messageBoxes, (Messages{"Drive is not available", "Drive is not available"}));
  EXPECT_EQ(window.srcdrive.Drive(), otherDrive);
  EXPECT_EQ(window.SrcFolder.Path(), "/");
}

TEST_F(DirectorySelection, ChecksReportSourceThenDestination) {
  auto& window = Window();
  window.FilePattern = "*.doc";
  ASSERT_TRUE(window.SrcFolder.Path(source));
  ASSERT_TRUE(window.DstFolder.Path(destination));
  std::filesystem::remove(source);
  env.files.unreadable.insert(destination);

  EXPECT_FALSE(window.CheckSourceDirectory());
  EXPECT_FALSE(window.CheckDestinationDirectory());
  EXPECT_EQ(env.messageBoxes, (Messages{"Source directory " + source + " not found",
                                        "Destination directory " + destination + " not found"}));
}

TEST_F(DirectorySelection, EmptyDirectoriesPassAndChecksSeeNewFiles) {
  auto& window = Window();
  window.FilePattern = "*.doc";
  ASSERT_TRUE(window.SrcFolder.Path(source));
  ASSERT_TRUE(window.DstFolder.Path(destination));
  EXPECT_TRUE(window.CheckSourceDirectory());
  EXPECT_TRUE(window.CheckDestinationDirectory());
  EXPECT_EQ(window.srcFileList.ListCount(), 0);

  disk.WriteFile("source/late.doc", "");
  EXPECT_TRUE(window.CheckSourceDirectory());
  EXPECT_EQ(Names(window.srcFileList), std::vector<std::string>{"late.doc"});
  EXPECT_EQ(window.dstFileList.Pattern(), "*.pdf");
  EXPECT_TRUE(env.messageBoxes.empty());
}

TEST_F(DirectorySelection, UnlistableDestinationIsReportedOnEveryRefresh) {
  auto& window = Window();
  ASSERT_TRUE(window.DstFolder.Path(destination));
  env.files.unreadable.insert(destination);
  window.RefreshDestinationList();
  window.RefreshDestinationList();
  EXPECT_EQ(env.messageBoxes, Messages(2, "Destination directory " + destination + " not found"));
}

TEST_F(DirectorySelection, RemovedSourceKeepsOldListSilently) {
  disk.WriteFile("source/a.doc", "");
  auto& window = Window();
  window.FilePattern = "*.*";
  ASSERT_TRUE(window.SrcFolder.Path(source));
  std::filesystem::remove_all(source);
  window.FilePattern = "*.txt";
  window.RefreshSourceList();
  EXPECT_EQ(Names(window.srcFileList), std::vector<std::string>{"a.doc"});
  EXPECT_TRUE(env.messageBoxes.empty());
}

TEST_F(DirectorySelection, RefreshFollowsDirectoryWhenOldOneVanished) {
  disk.WriteFile("destination/b.doc", "");
  auto& window = Window();
  window.FilePattern = "*.doc";
  ASSERT_TRUE(window.SrcFolder.Path(source));
  std::filesystem::remove_all(source);
  ASSERT_TRUE(window.SrcFolder.Path(destination));
  EXPECT_EQ(window.srcFileList.Path(), destination);
  EXPECT_EQ(Names(window.srcFileList), std::vector<std::string>{"b.doc"});
}

}  // namespace
}  // namespace pressmoor::testing
