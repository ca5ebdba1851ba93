// --help and --version of the real program: answered on standard output
// whatever standard output is (a pipe here), before any store is opened;
// every other argument still starts an unattended run.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "TempDir.h"

namespace pressmoor::testing {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::MatchesRegex;
using ::testing::StartsWith;

struct Case {
  std::string arguments;
  int status;
  ::testing::Matcher<const std::string&> shown;
};

TEST(ConventionalOptions, AnsweredOnStandardOutputAndOtherArgumentsKeepTheirMeaning) {
  const std::string program = std::string(PRESSMOOR_BIN_DIR) + "/pressmoor";
  if (!std::filesystem::exists(program)) GTEST_SKIP() << "pressmoor is not built";
  TempDir dir;
  const std::string environment = "PRESSMOOR_MACHINE_ROOT=" + dir.Path() +
                                  "/machine PRESSMOOR_USER_ROOT=" + dir.Path() +
                                  "/user PRESSMOOR_EVENT_LOG=" + dir.Path() + "/user/events.log ";
  const auto usage = AllOf(StartsWith("Usage: pressmoor -f PATTERN -s SOURCE_DIR"),
                           HasSubstr("\n  -k  keep going"));
  const Case cases[] = {
      {"--help", 0, usage},
      {"-f '*.doc' -s /in --help", 0, usage},
      {"--version --help", 0, usage},
      {"--version", 0, MatchesRegex("pressmoor [0-9]+(\\.[0-9]+)+\n")},
      // No driver in these roots: an unattended run ends with 3.
      {"-help", 3, IsEmpty()},
      {"--helpful -s /in", 3, IsEmpty()},
  };
  for (const Case& run : cases) {
    std::filesystem::remove_all(dir.Path() + "/user");
    FILE* pipe = popen(
        (environment + program + " " + run.arguments + " 2>/dev/null </dev/null").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string shown;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) shown += buffer;
    const int status = pclose(pipe);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, run.status) << run.arguments;
    EXPECT_THAT(shown, run.shown) << run.arguments;
    if (run.status == 0) {
      EXPECT_FALSE(std::filesystem::exists(dir.Path() + "/user")) << run.arguments;
    }
  }
}

}  // namespace
}  // namespace pressmoor::testing
