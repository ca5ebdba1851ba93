// A tree converted by the real program into a mirrored tree, through the
// office's sandbox, and the same run with -u right after, which has nothing
// to do.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "ProgramRun.h"
#include "TempDir.h"

namespace pressmoor::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

TEST(Trees, MirroredByOneRunAndUpToDateRightAfter) {
  if (!ProgramsBuilt()) GTEST_SKIP() << "pressmoor and quillset.exe are not built";
  TempDir dir;
  // Examples of every kind, two of them under the same name in different folders.
  const std::vector<std::pair<std::string, std::string>> copies = {
      {"minutes.txt", "minutes.txt"}, {"memo.doc", "2025/jan/letter.doc"}, {"memo.doc", "2025/feb/letter.doc"},
      {"notice.rtf", "2026/notice.rtf"}, {"budget.xls", "2026/budget.xls"}};
  std::vector<std::string> names;
  for (const auto& [example, name] : copies) {
    std::filesystem::create_directories(std::filesystem::path(dir.Sub("in/" + name)).parent_path());
    std::filesystem::copy_file(std::string(PRESSMOOR_SOURCE_DIR) + "/examples/" + example, dir.Sub("in/" + name));
    names.push_back(name);
  }
  dir.WriteFile("in/.drafts/hidden.txt", "Not converted.\n");
  const std::string destination = dir.MakeDirectory("out");
  ProgramRun run(dir.Sub("state"), dir.Sub("events.log"));
  ASSERT_TRUE(run.InstallDriver());

  run.Start({"-r", "-f", "*.*", "-s", dir.Sub("in"), "-d", destination});
  EXPECT_EQ(run.Finish(), 0);
  ASSERT_THAT(run.Messages(), ElementsAre(StartsWith("Successfully converted 5 files")));
  for (const std::string& name : names) {
    const std::string pdf = destination + "/" + name.substr(0, name.rfind('.')) + ".pdf";
    EXPECT_TRUE(CompletePdf(pdf)) << pdf;
  }
  EXPECT_FALSE(std::filesystem::exists(destination + "/.drafts"));

  run.Start({"-r", "-u", "-f", "*.*", "-s", dir.Sub("in"), "-d", destination});
  EXPECT_EQ(run.Finish(), 0);
  EXPECT_THAT(run.Messages(), ElementsAre(StartsWith("Successfully converted 5 files"),
                                          "5 files were already up to date"));
  EXPECT_TRUE(run.Leftovers().empty());
}

}  // namespace
}  // namespace pressmoor::testing
