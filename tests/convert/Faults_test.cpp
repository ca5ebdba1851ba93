// The destination failing in the middle of a batch, with the scripted office:
// the messages the run gives, the files converted before the fault counted,
// the source directory left as it was.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "FakeEnvironment.h"
#include "FaultyDestination.h"
#include "office/ScriptedOffice.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::Not;

// Lets a test strike when the run re-reads a directory.
class HookedFileSystem : public FaultyFileSystem {
 public:
  std::function<void(const std::string&)> beforeListing;
  bool ListDirectory(const std::string& directory, std::vector<platform::DirectoryEntry>* entries) override {
    if (beforeListing) beforeListing(directory);
    return FaultyFileSystem::ListDirectory(directory, entries);
  }
};

class HookedEnvironment : public FakeEnvironment {
 public:
  platform::FileSystem& Files() override { return hooked; }
  HookedFileSystem hooked;
};

std::map<std::string, std::string> Contents(const std::string& directory) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(directory)) {
    std::ifstream in(entry.path(), std::ios::binary);
    files[entry.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
  }
  return files;
}

class DestinationFaults : public ::testing::Test {
 protected:
  DestinationFaults() {
    env.commandLine = "-f *.* -s in -d out";
    env.office = &office;
    for (TextBox* box : {&form.txtLMargin, &form.txtRmargin, &form.txtTMargin, &form.txtBMargin}) box->Text("1");
    form.SrcFolder.Path(source);
    form.DstFolder.Path(destination);
  }
  using TextBox = ui::TextBox;

  // Five documents of `extension`; `fault` strikes once, when the run re-reads
  // the destination holding two PDFs, so the third print meets it.
  void RunWithFaultAfterSecondFile(const std::string& extension, std::function<void()> fault) {
    for (const char* name : {"a", "b", "c", "d", "e"}) {
      dirs.WriteFile("in/" + std::string(name) + extension, std::string("text of ") + name);
    }
    sourceBefore = Contents(source);
    form.FilePattern = "*" + extension;
    env.hooked.beforeListing = [this, fault](const std::string& directory) {
      if (struck || directory != destination || PdfCount() < 2) return;
      struck = true;
      fault();
    };
    form.cmdConvert_Click();
  }

  int PdfCount() const {
    if (!fs::exists(destination)) return 0;
    return static_cast<int>(std::distance(fs::directory_iterator(destination), fs::directory_iterator()));
  }
  std::string NotFound() const { return "Destination directory " + destination + " not found"; }

  HookedEnvironment env;
  office::ScriptedOffice office{&env.registry};
  TempDir dirs;
  std::string source = dirs.MakeDirectory("in");
  std::string destination = dirs.MakeDirectory("out");
  ui::frmPressmoorMain form{env};
  std::map<std::string, std::string> sourceBefore;
  bool struck = false;
};

TEST_F(DestinationFaults, RemovedDuringAWordProcessorRun) {
  RunWithFaultAfterSecondFile(".txt", [this] { fs::remove_all(destination); });

  EXPECT_EQ(form.ConvertedCount, 2);
  EXPECT_THAT(env.eventLog, Contains(NotFound()));
  EXPECT_THAT(env.eventLog, Contains(" Error printing to Quillset"));
  EXPECT_THAT(env.eventLog, Contains(HasSubstr("Successfully converted 2 files")));
  EXPECT_EQ(Contents(source), sourceBefore);
  EXPECT_FALSE(fs::exists(destination));  // nothing re-created it elsewhere or here
  EXPECT_EQ(form.ExitStatus(), 1);
  EXPECT_FALSE(form.RunInProgress);
}

TEST_F(DestinationFaults, RemovedDuringASpreadsheetRun) {
  RunWithFaultAfterSecondFile(".xls", [this] { fs::remove_all(destination); });

  EXPECT_EQ(form.ConvertedCount, 2);
  EXPECT_THAT(env.eventLog, Contains(NotFound()));
  EXPECT_THAT(env.eventLog, Contains(" Error printing to Quillset"));
  EXPECT_THAT(env.eventLog, Contains(HasSubstr("Successfully converted 2 files")));
  EXPECT_EQ(Contents(source), sourceBefore);
  EXPECT_EQ(form.ExitStatus(), 1);
}

TEST_F(DestinationFaults, MadeReadOnlyDuringAWordProcessorRun) {
  std::unique_ptr<ReadOnlyDirectory> readOnly;
  RunWithFaultAfterSecondFile(".rtf", [&] { readOnly = std::make_unique<ReadOnlyDirectory>(destination); });
  ASSERT_TRUE(readOnly);
  if (!readOnly->Applied()) GTEST_SKIP() << "no way to make a directory read-only here";

  EXPECT_EQ(form.ConvertedCount, 2);
  EXPECT_THAT(env.eventLog, Contains(" Error printing to Quillset"));
  EXPECT_THAT(env.eventLog, Not(Contains(NotFound())));  // it can still be listed
  EXPECT_THAT(env.eventLog, Contains(HasSubstr("Successfully converted 2 files")));
  EXPECT_EQ(PdfCount(), 2);
  EXPECT_EQ(Contents(source), sourceBefore);
  EXPECT_EQ(form.ExitStatus(), 1);
}

TEST_F(DestinationFaults, UnreadableDuringARunEveryLaterRefreshSaysSoAndPrintingGoesOn) {
  RunWithFaultAfterSecondFile(".doc", [this] { env.hooked.unreadable.insert(destination); });

  // Printing does not need the list: all five convert; the refreshes after
  // files two to five and the one at the end report.
  EXPECT_EQ(form.ConvertedCount, 5);
  EXPECT_EQ(std::count(env.eventLog.begin(), env.eventLog.end(), NotFound()), 5);
  EXPECT_EQ(env.eventLog.back(), NotFound());
  EXPECT_EQ(PdfCount(), 5);
  EXPECT_EQ(Contents(source), sourceBefore);
}

}  // namespace
}  // namespace pressmoor::testing
