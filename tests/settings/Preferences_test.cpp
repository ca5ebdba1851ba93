#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../ui/WindowFixture.h"

namespace pressmoor::testing {
namespace {

using Messages = std::vector<std::string>;

class Preferences : public WindowFixture {
 protected:
  Preferences() {
    usbDrive = MountDrive("usb", "stick");
    source = disk.MakeDirectory("usb/source");
    destination = disk.MakeDirectory("destination");
  }
  void StoreAll() {
    Store("DriveInfo", "SourceDrive", usbDrive);
    Store("DriveInfo", "DestinationDrive", kSystemDrive);
    Store("Pathinfo", "SourceDir", source);
    Store("Pathinfo", "DestinationDir", destination);
    Store("FileInfo", "DefaultFileType", "3");
    Store("FileInfo", "LeftMargin", "1");
    Store("FileInfo", "RightMargin", "2");
    Store("FileInfo", "TopMargin", "3");
    Store("FileInfo", "BottomMargin", "4");
  }
  void ExpectMargins(const char* left, const char* right, const char* top, const char* bottom) {
    auto& window = Window();
    EXPECT_EQ(window.txtLMargin.Text(), left);
    EXPECT_EQ(window.txtRmargin.Text(), right);
    EXPECT_EQ(window.txtTMargin.Text(), top);
    EXPECT_EQ(window.txtBMargin.Text(), bottom);
  }
  std::string usbDrive, source, destination;
};

TEST_F(Preferences, EmptyStoreGivesSystemDriveRootAndZeros) {
  auto& window = Window();
  window.FileTypeIndex = 4;
  window.LoadSettings();
  EXPECT_EQ(window.srcdrive.Drive(), kSystemDrive);
  EXPECT_EQ(window.DstDrive.Drive(), kSystemDrive);
  EXPECT_EQ(window.SrcFolder.Path(), "/");
  EXPECT_EQ(window.DstFolder.Path(), "/");
  EXPECT_EQ(window.FileTypeIndex, 0);
  ExpectMargins("0", "0", "0", "0");
  EXPECT_TRUE(env.messageBoxes.empty());
}

TEST_F(Preferences, LoadRestoresStoredValuesWithListsInStep) {
  disk.WriteFile("usb/source/a.txt", "");
  StoreAll();
  auto& window = Window();
  window.LoadSettings();
  EXPECT_EQ(window.srcdrive.Drive(), usbDrive);
  EXPECT_EQ(window.SrcFolder.Path(), source);
  EXPECT_EQ(window.srcFileList.Path(), source);
  EXPECT_EQ(window.DstFolder.Path(), destination);
  EXPECT_EQ(window.dstFileList.Path(), destination);
  EXPECT_EQ(window.FileTypeIndex, 3);
  ExpectMargins("1", "2", "3", "4");
}

TEST_F(Preferences, SaveThenLoadInTheNextRunGivesTheSameWindow) {
  auto& first = Window();
  first.cmbFileType.List(0, "a");
  first.cmbFileType.List(1, "b");
  ASSERT_TRUE(first.srcdrive.Drive(usbDrive));
  ASSERT_TRUE(first.SrcFolder.Path(source));
  ASSERT_TRUE(first.DstFolder.Path(destination));
  first.cmbFileType.ListIndex(1);
  first.txtLMargin.Text("0.75");
  first.txtBMargin.Text("not a number");
  first.SaveSettings();
  EXPECT_EQ(Stored("DriveInfo", "SourceDrive"), usbDrive);
  EXPECT_EQ(Stored("FileInfo", "DefaultFileType"), "1");

  auto& next = Restart();
  next.LoadSettings();
  EXPECT_EQ(next.srcdrive.Drive(), usbDrive);
  EXPECT_EQ(next.DstDrive.Drive(), kSystemDrive);
  EXPECT_EQ(next.SrcFolder.Path(), source);
  EXPECT_EQ(next.DstFolder.Path(), destination);
  EXPECT_EQ(next.FileTypeIndex, 1);
  ExpectMargins("0.75", "0.0", "0.0", "not a number");
}

TEST_F(Preferences, NoSelectionIsStoredAsMinusOne) {
  auto& window = Window();
  window.SaveSettings();
  EXPECT_EQ(Stored("FileInfo", "DefaultFileType"), "-1");
}

TEST_F(Preferences, VanishedSourceDirectoryStopsTheLoad) {
  StoreAll();
  std::filesystem::remove(source);
  auto& window = Window();
  window.LoadSettings();
  EXPECT_EQ(env.messageBoxes, Messages{"Source directory " + source + " does not exist"});
  EXPECT_EQ(window.srcdrive.Drive(), usbDrive);
  EXPECT_EQ(window.SrcFolder.Path(), disk.Path() + "/usb");
  EXPECT_EQ(window.DstFolder.Path(), disk.Path());
  EXPECT_EQ(window.FileTypeIndex, 0);
  ExpectMargins("0.0", "0.0", "0.0", "0.0");
}

TEST_F(Preferences, VanishedDestinationDirectoryStopsBeforeTypeAndMargins) {
  StoreAll();
  std::filesystem::remove(destination);
  auto& window = Window();
  window.LoadSettings();
  EXPECT_EQ(env.messageBoxes, Messages{"Destination directory " + destination + " does not exist"});
  EXPECT_EQ(window.SrcFolder.Path(), source);
  EXPECT_EQ(window.FileTypeIndex, 0);
  ExpectMargins("0.0", "0.0", "0.0", "0.0");
}

TEST_F(Preferences, StoredDriveNoLongerMountedKeepsCurrentDrive) {
  Store("DriveInfo", "SourceDrive", disk.Path() + "/gone [old]");
  auto& window = Window();
  window.LoadSettings();
  EXPECT_EQ(window.srcdrive.Drive(), kSystemDrive);
  EXPECT_EQ(window.SrcFolder.Path(), "/");
  EXPECT_TRUE(env.messageBoxes.empty());
}

TEST_F(Preferences, OldSystemDriveTextStillSelectsRoot) {
  Store("DriveInfo", "DestinationDrive", "C:\\");
  auto& window = Window();
  ASSERT_TRUE(window.DstDrive.Drive(usbDrive));
  window.LoadSettings();
  EXPECT_EQ(window.DstDrive.Drive(), kSystemDrive);
}

TEST_F(Preferences, FileTypeTextLoadsAsLeadingWholeNumberClamped) {
  const std::pair<const char*, std::int16_t> cases[] = {
      {"-1", -1}, {"5", 5}, {"abc", 0}, {"3x", 3}, {" 2", 2}, {"99999", 32767}, {"-99999", -32768}, {"+4", 4}};
  for (const auto& [text, expected] : cases) {
    Store("FileInfo", "DefaultFileType", text);
    auto& window = Restart();
    window.LoadSettings();
    EXPECT_EQ(window.FileTypeIndex, expected) << text;
  }
}

TEST_F(Preferences, UnattendedLoadsOnlyMarginsAndSavesNothing) {
  StoreAll();
  env.commandLine = "-f *.doc -s " + destination;
  auto& window = Window();
  window.LoadSettings();
  EXPECT_EQ(window.srcdrive.Drive(), kSystemDrive);
  EXPECT_EQ(window.SrcFolder.Path(), destination);
  EXPECT_EQ(window.FileTypeIndex, 0);
  ExpectMargins("1", "2", "3", "4");

  window.txtLMargin.Text("9");
  ASSERT_TRUE(window.SrcFolder.Path(disk.Path()));
  window.SaveSettings();
  EXPECT_EQ(Stored("FileInfo", "LeftMargin"), "1");
  EXPECT_EQ(Stored("Pathinfo", "SourceDir"), source);
}

}  // namespace
}  // namespace pressmoor::testing
