#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "FakeEnvironment.h"
#include "driver/Quillset.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
namespace {

class AboutTest : public ::testing::Test {
 protected:
  testing::FakeEnvironment env;
  frmPressmoorMain form{env};
  std::string x86Helper = env.SystemDirectory() + driver::kHelperX86;
  std::string x64Helper = env.SystemDirectory() + driver::kHelperX64;

  void Put(const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    env.root.WriteFile(path.substr(env.root.Path().size() + 1), "#!/bin/sh\n");
  }
};

TEST_F(AboutTest, StartsTheX64HelperWithProductArgumentsWhenOnlyItExists) {
  Put(x64Helper);
  form.cmdAbout_Click();
  ASSERT_EQ(env.startedPrograms.size(), 1u);
  EXPECT_EQ(env.startedPrograms[0].first, x64Helper);
  EXPECT_EQ(env.startedPrograms[0].second, (std::vector<std::string>{"-product", "Pressmoor"}));
  EXPECT_TRUE(env.eventLog.empty());
}

TEST_F(AboutTest, PrefersTheX86Helper) {
  Put(x86Helper);
  Put(x64Helper);
  form.cmdAbout_Click();
  ASSERT_EQ(env.startedPrograms.size(), 1u);
  EXPECT_EQ(env.startedPrograms[0].first, x86Helper);
}

TEST_F(AboutTest, NeitherHelperMeansQuillsetNotInstalled) {
  env.commandLine.clear();
  form.cmdAbout_Click();
  EXPECT_TRUE(env.startedPrograms.empty());
  ASSERT_EQ(env.messageBoxes.size(), 1u);
  EXPECT_EQ(env.messageBoxes[0], "Quillset not installed.");
}

TEST_F(AboutTest, AHelperPathThatIsADirectoryDoesNotCount) {
  std::filesystem::create_directories(x86Helper);
  form.cmdAbout_Click();
  ASSERT_EQ(env.messageBoxes.size(), 1u);
  EXPECT_EQ(env.messageBoxes[0], "Quillset not installed.");
}

TEST_F(AboutTest, AHelperThatCannotBeStartedIsReported) {
  Put(x64Helper);
  env.startSucceeds = false;
  form.cmdAbout_Click();
  ASSERT_EQ(env.messageBoxes.size(), 1u);
  EXPECT_NE(env.messageBoxes[0].find(x64Helper), std::string::npos);
  EXPECT_NE(env.messageBoxes[0].find("could not be started"), std::string::npos);
}

TEST_F(AboutTest, FileExistsFindsOnlyVisibleOrdinaryFiles) {
  const std::string file = env.root.WriteFile("docs/letter.txt", "x");
  const std::string hidden = env.root.WriteFile("docs/.secret", "x");
  const std::string directory = env.root.MakeDirectory("docs/sub");
  EXPECT_TRUE(form.FileExists(file));
  EXPECT_FALSE(form.FileExists(hidden));
  EXPECT_FALSE(form.FileExists(directory));
  EXPECT_FALSE(form.FileExists(directory + "/"));
  EXPECT_FALSE(form.FileExists(directory + "\\"));
  EXPECT_FALSE(form.FileExists(file + "/missing"));
  EXPECT_FALSE(form.FileExists(""));
}

}  // namespace
}  // namespace pressmoor::ui
