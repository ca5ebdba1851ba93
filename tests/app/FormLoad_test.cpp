#include <gtest/gtest.h>

#include <string>

#include "FakeEnvironment.h"
#include "driver/Quillset.h"
#include "office/ScriptedOffice.h"
#include "ui/FileTypes.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
namespace {

using platform::HKEY;

constexpr const char* kPrerequisite =
    "Pressmoor requires Quillset 1.20 or above.  Download available at "
    "https://tarnwick.example/quillset";
constexpr const char* kApplication = "Tarnwick\\Pressmoor";

void InstallDriver(testing::FakeEnvironment& env, const std::string& version) {
  HKEY key = 0;
  ASSERT_EQ(env.registry.RegCreateKeyExA(platform::HKEY_LOCAL_MACHINE, driver::kVersionKey, 0, "", 0,
                                         platform::KEY_SET_VALUE, nullptr, &key, nullptr),
            0);
  const auto* data = reinterpret_cast<const unsigned char*>(version.c_str());
  ASSERT_EQ(env.registry.RegSetValueExA(key, driver::kVersionValue, 0, platform::REG_SZ, data,
                                        static_cast<platform::DWORD>(version.size() + 1)),
            0);
  env.registry.RegCloseKey(key);
}

class FormLoadTest : public ::testing::Test {
 protected:
  testing::FakeEnvironment env;
  std::string source = env.root.MakeDirectory("in");
  std::string destination = env.root.MakeDirectory("out");

  void StoreDirectories() {
    frmPressmoorMain writer(env);
    writer.MySaveSetting(kApplication, "Pathinfo", "SourceDir", source);
    writer.MySaveSetting(kApplication, "Pathinfo", "DestinationDir", destination);
  }
  void StoreFileType(const std::string& index) {
    frmPressmoorMain writer(env);
    writer.MySaveSetting(kApplication, "FileInfo", "DefaultFileType", index);
  }
};

TEST_F(FormLoadTest, WithoutDriverOnlyTheEventLogHoldsThePrerequisiteAndNothingElseRuns) {
  env.commandLine = "-f *.txt -s " + source + " -d " + destination;
  frmPressmoorMain form(env);
  form.Form_Load();
  EXPECT_TRUE(env.messageBoxes.empty());
  ASSERT_EQ(env.eventLog.size(), 1u);
  EXPECT_EQ(env.eventLog[0], kPrerequisite);
  EXPECT_TRUE(form.Unloaded);
  EXPECT_TRUE(form.FilePattern.empty());  // the command line was never read
  EXPECT_EQ(form.ExitStatus(), 3);
}

TEST_F(FormLoadTest, InteractiveWithoutDriverShowsThePrerequisiteAndFillsNoList) {
  InstallDriver(env, "1.10");
  frmPressmoorMain form(env);
  form.Form_Load();
  ASSERT_EQ(env.messageBoxes.size(), 1u);
  EXPECT_EQ(env.messageBoxes[0], kPrerequisite);
  EXPECT_TRUE(form.Unloaded);
  EXPECT_EQ(form.cmbFileType.ListCount(), 0);
}

TEST_F(FormLoadTest, UnattendedBareWordRunsNoBatchShowsNoBoxAndEnds) {
  InstallDriver(env, "1.20");
  env.commandLine = "hello";
  frmPressmoorMain form(env);
  form.Form_Load();
  EXPECT_TRUE(env.messageBoxes.empty());
  ASSERT_EQ(env.eventLog.size(), 1u);
  EXPECT_EQ(env.eventLog[0], "Invalid parameters, syntax is -f *.type -s source dir -d destination dir");
  EXPECT_TRUE(form.Unloaded);
  EXPECT_EQ(form.cmbFileType.ListCount(), 0);
  EXPECT_EQ(form.ExitStatus(), 2);
}

TEST_F(FormLoadTest, UnattendedRunsOneBatchFromTheCommandLineAndEnds) {
  InstallDriver(env, "1.20");
  StoreFileType("0");
  office::ScriptedOffice office(&env.registry);
  env.office = &office;
  env.root.WriteFile("in/a.txt", "text");
  env.commandLine = "-f *.txt -s " + source + " -d " + destination;
  frmPressmoorMain form(env);
  form.Form_Load();
  EXPECT_TRUE(form.Unloaded);
  EXPECT_TRUE(env.messageBoxes.empty());
  // The stored file type is ignored and the list stays empty.
  EXPECT_EQ(form.FilePattern, "*.txt");
  EXPECT_EQ(form.cmbFileType.ListCount(), 0);
  EXPECT_EQ(form.SrcFolder.Path(), source);
  EXPECT_EQ(office.CallsTo("CreateObject").size(), 1u);
  EXPECT_EQ(form.ConvertedCount, 1);
  EXPECT_EQ(form.SummariesReported, 1);
  EXPECT_EQ(form.ExitStatus(), 0);
}

TEST_F(FormLoadTest, UnattendedPartThatCannotBeReadConvertsNothingAndWholeBatchIsPartZeroOfOne) {
  InstallDriver(env, "1.20");
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) env.root.WriteFile(std::string("in/") + name, "text");
  struct Row { const char* part; int status, converted; };
  for (const Row& row : {Row{"4/4", 2, 0}, Row{"x/2", 2, 0}, Row{"1/0", 2, 0}, Row{"-1/3", 2, 0},
                         Row{"0/1", 0, 3}}) {
    office::ScriptedOffice office(&env.registry);
    env.office = &office;
    env.commandLine = std::string("-n ") + row.part + " -f *.txt -s " + source + " -d " + destination;
    frmPressmoorMain form(env);
    form.Form_Load();
    EXPECT_EQ(form.ExitStatus(), row.status) << row.part;
    EXPECT_EQ(form.ConvertedCount, row.converted) << row.part;
    EXPECT_EQ(office.Calls().empty(), row.converted == 0) << row.part;
    env.office = nullptr;
  }
}

TEST_F(FormLoadTest, InteractiveFillsTheListAndSelectsTheSavedEntry) {
  InstallDriver(env, "1.20");
  StoreDirectories();
  StoreFileType("2");
  frmPressmoorMain form(env);
  form.Form_Load();
  EXPECT_FALSE(form.Unloaded);
  ASSERT_EQ(form.cmbFileType.ListCount(), 10);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(form.cmbFileType.List(i), kFileTypeEntries[static_cast<std::size_t>(i)]);
  EXPECT_EQ(form.cmbFileType.ListIndex(), 2);
  EXPECT_EQ(form.FilePattern, "*.txt");
  EXPECT_EQ(form.srcFileList.Pattern(), "*.txt");  // the selection ran the Click handling
  EXPECT_TRUE(form.txtLMargin.Visible());
  EXPECT_TRUE(env.messageBoxes.empty());
}

TEST_F(FormLoadTest, SavedWordEntryHidesTheMarginBlock) {
  InstallDriver(env, "1.20");
  StoreDirectories();
  StoreFileType("0");
  frmPressmoorMain form(env);
  form.Form_Load();
  EXPECT_EQ(form.FilePattern, "*.doc");
  EXPECT_FALSE(form.lblSetMargins.Visible());
  EXPECT_FALSE(form.txtBMargin.Visible());
}

TEST_F(FormLoadTest, SavedEntryOfTodaysFormatsIsSelectedAgain) {
  InstallDriver(env, "1.20");
  StoreDirectories();
  StoreFileType("8");
  frmPressmoorMain form(env);
  form.Form_Load();
  EXPECT_EQ(form.cmbFileType.ListIndex(), 8);
  EXPECT_EQ(form.FilePattern, kFileTypePatterns[8]);
  EXPECT_TRUE(form.TodaysFormats);
  EXPECT_FALSE(form.txtLMargin.Visible());
}

TEST_F(FormLoadTest, SavedIndexMinusOneOrOutsideTheListMeansNoSelection) {
  InstallDriver(env, "1.20");
  StoreDirectories();
  for (const char* stored : {"-1", "10", "-2", "200"}) {
    StoreFileType(stored);
    frmPressmoorMain form(env);
    form.Form_Load();
    EXPECT_EQ(form.FileTypeIndex, -1) << stored;
    EXPECT_EQ(form.cmbFileType.ListIndex(), -1) << stored;
    EXPECT_EQ(form.cmbFileType.Text(), kFileTypePrompt) << stored;
    EXPECT_EQ(form.FilePattern, "") << stored;
    EXPECT_TRUE(form.txtLMargin.Visible()) << stored;
    EXPECT_TRUE(env.messageBoxes.empty()) << stored;
  }
}

}  // namespace
}  // namespace pressmoor::ui
