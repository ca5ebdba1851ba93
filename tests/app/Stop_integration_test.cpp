// The real program stopped by a signal mid-batch, killed outright, given
// names that are no UTF-8 and a destination that is full: what it leaves,
// what it says and how it ends.
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "../office/OfficeTestbed.h"
#include "ProgramRun.h"
#include "TempDir.h"
#include "platform/StopSignals.h"

namespace pressmoor::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

std::string LongText(int number) {
  std::string text;
  for (int paragraph = 0; paragraph < 60; ++paragraph) {
    text += "Document " + std::to_string(number) + ", paragraph " + std::to_string(paragraph) +
            ": the quick brown fox jumps over the lazy dog, again and again and again.\n\n";
  }
  return text;
}

int HiddenEntries(const std::string& directory) {
  int hidden = 0;
  for (const auto& entry : fs::directory_iterator(directory)) hidden += entry.path().filename().string()[0] == '.';
  return hidden;
}

class StopFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ProgramsBuilt()) GTEST_SKIP() << "pressmoor and quillset.exe are not built";
    ASSERT_TRUE(run.InstallDriver());
  }

  std::string Sources(int count) {
    for (int i = 0; i < count; ++i) dir.WriteFile("in/t" + std::to_string(100 + i) + ".txt", LongText(i));
    return dir.Sub("in");
  }

  // Waits until `ready` holds, the run still going.
  template <typename Ready>
  void AwaitWhileRunning(Ready ready) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (!ready()) {
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the batch did not get that far";
      ASSERT_EQ(waitpid(run.Pid(), nullptr, WNOHANG), 0) << "the run ended too soon";
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

  // No office, no scratch of the run `pid` in the destination or the
  // temporary folder (office folders and pipes); whole PDFs only.
  void ExpectNothingLeftOf(pid_t pid) {
    EXPECT_TRUE(run.Leftovers().empty());
    for (const auto& entry : fs::directory_iterator(destination)) {
      EXPECT_EQ(entry.path().extension(), ".pdf") << entry.path();
      EXPECT_TRUE(CompletePdf(entry.path().string())) << entry.path();
    }
    const std::string owner = "pressmoor-" + std::to_string(pid) + "-";
    for (const std::string& folder : {fs::temp_directory_path().string(), std::string("/tmp")}) {
      for (const auto& entry : fs::directory_iterator(folder)) {
        EXPECT_THAT(entry.path().filename().string(), ::testing::Not(HasSubstr(owner)));
      }
    }
  }

  TempDir dir;
  std::string destination = dir.MakeDirectory("out");
  ProgramRun run{dir.Sub("state"), dir.Sub("events.log")};
};

struct StopCase {
  const char* name;
  int signal;
  bool window;
};

class StopMidBatch : public StopFixture, public ::testing::WithParamInterface<StopCase> {
 protected:
  // The window converts what its saved settings say as soon as it shows.
  void StartWindow(const std::string& source) {
    const std::string key = "'HKCU\\Software\\VB and VBA Program Settings\\Tarnwick\\Pressmoor\\";
    const std::string tool = "PRESSMOOR_USER_ROOT='" + dir.Sub("state") + "/user' '" PRESSMOOR_BIN_DIR "/pressmoor-reg' add ";
    for (const std::string& setting : {key + "Pathinfo' /v SourceDir /d '" + source + "'",
                                       key + "Pathinfo' /v DestinationDir /d '" + destination + "'",
                                       key + "FileInfo' /v DefaultFileType /d 2"}) {
      ASSERT_EQ(std::system((tool + setting + " /f >/dev/null").c_str()), 0) << setting;
    }
    run.Set("QT_QPA_PLATFORM=offscreen");
    run.Set("PRESSMOOR_CONVERT_AT_START=1");
    run.Start({});
  }
};

TEST_P(StopMidBatch, EndsEveryOfficeKeepsWholePdfsAndSaysHowFarItGot) {
  const StopCase& row = GetParam();
  const std::string source = Sources(60);
  if (row.window) {
    StartWindow(source);
  } else {
    run.Start({"-f", "*.txt", "-s", source, "-d", destination});
  }
  AwaitWhileRunning([this] { return PdfCount(destination) >= 2; });

  kill(run.Pid(), row.signal);
  const auto sent = std::chrono::steady_clock::now();
  EXPECT_EQ(run.Finish(60), 128 + row.signal);
  EXPECT_LT(std::chrono::steady_clock::now() - sent, std::chrono::seconds(10));

  ExpectNothingLeftOf(run.Pid());
  const int pdfs = PdfCount(destination);
  EXPECT_LT(pdfs, 60);
  // A PDF put in place counts once its document is closed.
  const std::string stopped = "Conversion stopped by " + platform::SignalName(row.signal);
  EXPECT_THAT(run.Messages(), ::testing::AnyOf(ElementsAre(stopped + ", " + std::to_string(pdfs) + " files converted"),
                                               ElementsAre(stopped + ", " + std::to_string(pdfs - 1) + " files converted")));
}

INSTANTIATE_TEST_SUITE_P(Signals, StopMidBatch,
                         ::testing::Values(StopCase{"SIGTERM", SIGTERM, false}, StopCase{"SIGINT", SIGINT, false},
                                           StopCase{"SIGTERMWindow", SIGTERM, true}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(StopFixture, ALaterRunSweepsWhatAKilledRunLeft) {
  run.Start({"-f", "*.txt", "-s", Sources(60), "-d", destination});
  AwaitWhileRunning([this] { return PdfCount(destination) >= 1 && HiddenEntries(destination) > 0; });
  const pid_t killed = run.Pid();
  kill(killed, SIGKILL);
  EXPECT_EQ(run.Finish(30), 128 + SIGKILL);

  dir.WriteFile("later/one.txt", LongText(1));
  run.Start({"-f", "*.txt", "-s", dir.Sub("later"), "-d", destination});
  EXPECT_EQ(run.Finish(), 0);

  EXPECT_EQ(HiddenEntries(destination), 0);
  ExpectNothingLeftOf(killed);
}

TEST_F(StopFixture, NamesThatAreNoUtf8ConvertAndAreLoggedWithTheirBytes) {
  const std::string source = dir.MakeDirectory("in");
  dir.WriteFile("in/Caf\xe9.txt", LongText(1));
  dir.WriteFile("in/Caf\xe9 noise.doc", RandomBytes(4096));

  run.Start({"-k", "-f", "*.*", "-s", source, "-d", destination});

  EXPECT_EQ(run.Finish(), 1);
  EXPECT_TRUE(CompletePdf(destination + "/Caf\xe9.pdf"));
  EXPECT_THAT(run.Messages(), ElementsAre(" Cannot open file " + source + "/Caf\\xE9 noise.doc",
                                          StartsWith("Successfully converted 1 files")));
}

TEST_F(StopFixture, AFullDestinationIsNamedAsTheCauseAndHoldsNothingHalfWritten) {
  if (mount("tmpfs", destination.c_str(), "tmpfs", 0, "size=128k") != 0) {
    GTEST_SKIP() << "cannot mount a small file system here";
  }
  {
    std::ofstream fill(destination + "/fill", std::ios::binary);
    const std::string block(4096, 'x');
    while (fill.write(block.data(), static_cast<std::streamsize>(block.size())) && fill.flush()) {
    }
  }
  dir.WriteFile("in/one.txt", LongText(1));

  run.Start({"-f", "*.txt", "-s", dir.Sub("in"), "-d", destination});
  const int status = run.Finish();
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(destination)) left.push_back(entry.path().filename().string());
  umount2(destination.c_str(), MNT_DETACH);

  EXPECT_EQ(status, 1);
  EXPECT_THAT(run.Messages(), ElementsAre(::testing::AllOf(StartsWith("61 "), HasSubstr("No space left on device"))));
  EXPECT_THAT(left, ElementsAre("fill"));
}

}  // namespace
}  // namespace pressmoor::testing
