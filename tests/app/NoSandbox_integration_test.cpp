// A machine where the office cannot be put in a sandbox: the run converts
// nothing and says why and what to do, unless PRESSMOOR_SANDBOX=off, which
// converts without one and says so once in the event log.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ProgramRun.h"
#include "TempDir.h"

namespace pressmoor::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class NoSandbox : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ProgramsBuilt()) GTEST_SKIP() << "pressmoor and quillset.exe are not built";
  }

  // Runs over three documents with PATH holding only `bwrap`, the script
  // given for it, or nothing when it is empty.
  int RunWith(ProgramRun& run, const std::string& name, const std::string& bwrap) {
    const std::string tools = dir.MakeDirectory(name + "/tools");
    if (!bwrap.empty()) {
      fs::permissions(dir.WriteFile(name + "/tools/bwrap", bwrap), fs::perms::owner_all);
    }
    for (const char* document : {"a.txt", "b.txt", "c.txt"}) dir.WriteFile(name + "/in/" + document, "Words.\n");
    if (!run.InstallDriver()) return -2;
    const std::string path = getenv("PATH") != nullptr ? getenv("PATH") : "";
    setenv("PATH", tools.c_str(), 1);
    run.Start({"-f", "*.txt", "-s", dir.Sub(name + "/in"), "-d", dir.MakeDirectory(name + "/out")});
    setenv("PATH", path.c_str(), 1);
    return run.Finish();
  }

  TempDir dir;
};

TEST_F(NoSandbox, RunConvertsNothingAndNamesCauseAndRemedy) {
  struct Machine {
    std::string name;
    std::string bwrap;
    std::string cause;
  };
  for (const Machine& machine : std::vector<Machine>{
           {"missing", "", "bwrap (package bubblewrap) is not installed"},
           {"no-namespaces",
            "#!/bin/sh\necho 'bwrap: No permissions to creating new namespace, likely because the "
            "kernel does not allow non-privileged user namespaces.' >&2\nexit 1\n",
            "No permissions to creating new namespace"}}) {
    SCOPED_TRACE(machine.name);
    ProgramRun run(dir.Sub(machine.name + "/state"), dir.Sub(machine.name + "/events.log"));
    EXPECT_EQ(RunWith(run, machine.name, machine.bwrap), 1);
    EXPECT_THAT(run.Messages(),
                ElementsAre(AllOf(StartsWith("1003 Word.Application The office cannot be started in a sandbox"),
                                  HasSubstr(machine.cause), HasSubstr("PRESSMOOR_SANDBOX=off"))));
    EXPECT_EQ(PdfCount(dir.Sub(machine.name + "/out")), 0);
    EXPECT_TRUE(run.Leftovers().empty());
  }
}

TEST_F(NoSandbox, SandboxOffConvertsAndSaysSoOnce) {
  ProgramRun run(dir.Sub("state"), dir.Sub("events.log"));
  run.Set("PRESSMOOR_SANDBOX=off");
  EXPECT_EQ(RunWith(run, "off", ""), 0);
  EXPECT_THAT(run.Messages(), ElementsAre(StartsWith("PRESSMOOR_SANDBOX=off: the office runs without a sandbox"),
                                          StartsWith("Successfully converted 3 files")));
  EXPECT_EQ(PdfCount(dir.Sub("off/out")), 3);
}

}  // namespace
}  // namespace pressmoor::testing
