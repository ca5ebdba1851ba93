// One batch split among runs that never talk to each other, as the tasks of
// a job array run it: the real program, four parts side by side into one
// destination with one settings store, and parts that cannot be read.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ProgramRun.h"
#include "TempDir.h"
#include "convert/BatchPart.h"

namespace pressmoor::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::StartsWith;

class BatchParts : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ProgramsBuilt()) GTEST_SKIP() << "pressmoor and quillset.exe are not built";
  }

  std::vector<std::string> Sources(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) {
      names.push_back("doc " + std::to_string(i) + ".txt");
      dir.WriteFile("in/" + names.back(), "Document " + std::to_string(i) + " of the batch.\n");
    }
    return names;
  }

  TempDir dir;
  std::string source = dir.MakeDirectory("in");
  std::string destination = dir.MakeDirectory("out");
};

TEST_F(BatchParts, FourPartsSideBySideConvertEveryFileOnceEachCountingItsOwn) {
  const std::vector<std::string> names = Sources(40);
  std::vector<std::unique_ptr<ProgramRun>> runs;
  for (int part = 0; part < 4; ++part) {
    runs.push_back(std::make_unique<ProgramRun>(dir.Sub("state"), dir.Sub("part" + std::to_string(part) + ".log")));
  }
  ASSERT_TRUE(runs[0]->InstallDriver());

  for (int part = 0; part < 4; ++part) {
    runs[part]->Start({"-n", std::to_string(part) + "/4", "-f", "*.txt", "-s", source, "-d", destination});
  }

  int total = 0;
  for (std::uint64_t part = 0; part < 4; ++part) {
    EXPECT_EQ(runs[part]->Finish(), 0) << part;
    int own = 0;
    for (const std::string& name : names) own += convert::InPart({part, 4}, name);
    EXPECT_GT(own, 0) << part;
    EXPECT_THAT(runs[part]->Messages(),
                ElementsAre(StartsWith("Successfully converted " + std::to_string(own) + " files")))
        << part;
    total += SummaryCount(runs[part]->Messages());
  }
  EXPECT_EQ(total, 40);
  EXPECT_EQ(PdfCount(destination), 40);
  for (const auto& entry : fs::directory_iterator(destination)) {
    EXPECT_TRUE(entry.path().extension() == ".pdf" && CompletePdf(entry.path().string())) << entry.path();
  }
}

TEST_F(BatchParts, PartThatCannotBeReadConvertsNothingAndPartZeroOfOneIsTheWholeBatch) {
  Sources(3);
  ProgramRun run(dir.Sub("state"), dir.Sub("events.log"));
  ASSERT_TRUE(run.InstallDriver());

  for (const char* part : {"4/4", "x/2", "1/0", "-1/3"}) {
    run.Start({"-n", part, "-f", "*.txt", "-s", source, "-d", destination});
    EXPECT_EQ(run.Finish(), 2) << part;
    EXPECT_THAT(run.Messages().back(), StartsWith("Invalid option -n")) << part;
  }
  EXPECT_EQ(PdfCount(destination), 0);

  run.Start({"-n", "0/1", "-f", "*.txt", "-s", source, "-d", destination});
  EXPECT_EQ(run.Finish(), 0);
  EXPECT_EQ(PdfCount(destination), 3);
}

}  // namespace
}  // namespace pressmoor::testing
