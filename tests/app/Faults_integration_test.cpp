// The real program, unattended, as a child process with its own machine and
// user roots and the Quillset driver installed there, under faults: the
// office killed or hung in the middle of a batch, two runs at once, a damaged
// settings store, an event log that cannot be written.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sqlite3.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "../office/OfficeTestbed.h"
#include "ProgramRun.h"
#include "TempDir.h"

namespace pressmoor::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::Contains;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// Paragraphs enough for a few pages, so a batch lasts long enough to be hit.
std::string LongText(int number) {
  std::string text;
  for (int paragraph = 0; paragraph < 40; ++paragraph) {
    text += "Document " + std::to_string(number) + ", paragraph " + std::to_string(paragraph) +
            ": the quick brown fox jumps over the lazy dog, again and again and again.\n\n";
  }
  return text;
}

// A file counts once its document is closed after the print, so a fault that
// strikes between the two leaves one complete PDF more than the summary says.
void ExpectSummaryMatches(const std::vector<std::string>& messages, int pdfs) {
  const int counted = SummaryCount(messages);
  EXPECT_GE(counted, 1);
  EXPECT_TRUE(pdfs == counted || pdfs == counted + 1) << counted << " counted, " << pdfs << " PDFs";
}

std::string IntegrityOf(const std::string& database) {
  sqlite3* db = nullptr;
  std::string verdict = "cannot open";
  if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
      verdict = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    }
    sqlite3_finalize(statement);
  }
  sqlite3_close(db);
  return verdict;
}

class Faults : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!ProgramsBuilt()) GTEST_SKIP() << "pressmoor and quillset.exe are not built";
  }

  std::string Sources(const std::string& name, int count, const std::string& extension = ".txt") {
    std::string directory = dir.MakeDirectory(name);
    for (int i = 0; i < count; ++i) {
      char number[16];
      std::snprintf(number, sizeof number, "%03d", i);
      dir.WriteFile(name + "/doc " + number + extension, LongText(i));
    }
    return directory;
  }

  // Every file the destination holds is a whole PDF: nothing half written,
  // no temporary file left behind.
  void ExpectOnlyCompletePdfs(const std::string& destination) {
    for (const auto& entry : fs::directory_iterator(destination)) {
      EXPECT_EQ(entry.path().extension(), ".pdf") << entry.path();
      EXPECT_TRUE(CompletePdf(entry.path().string())) << entry.path();
    }
  }

  // Starts a run over 40 documents and, once two PDFs exist, hands every
  // office process of the run to `strike`.
  void StrikeTheOfficeMidBatch(ProgramRun& run, const std::string& destination, int signal,
                               const std::string& option = "-f") {
    std::string source = Sources("in", 40);
    ASSERT_TRUE(run.InstallDriver());
    run.Start({option, "-f", "*.txt", "-s", source, "-d", destination});
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (PdfCount(destination) < 2) {
      ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "no PDF appeared";
      ASSERT_EQ(waitpid(run.Pid(), nullptr, WNOHANG), 0) << "the run ended before the fault";
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::vector<pid_t> offices = run.Offices();
    ASSERT_FALSE(offices.empty()) << "no office process found";
    for (pid_t office : offices) kill(office, signal);
  }

  TempDir dir;
};

TEST_F(Faults, OfficeKilledMidBatch) {
  ProgramRun run(dir.Sub("state"), dir.Sub("events.log"));
  std::string destination = dir.MakeDirectory("out");
  StrikeTheOfficeMidBatch(run, destination, SIGKILL);

  EXPECT_EQ(run.Finish(), 1);
  std::vector<std::string> messages = run.Messages();
  EXPECT_THAT(messages, Contains(StartsWith("1001 ")));
  int converted = PdfCount(destination);
  EXPECT_GE(converted, 2);
  EXPECT_LT(converted, 40);
  ExpectSummaryMatches(messages, converted);
  ExpectOnlyCompletePdfs(destination);
  EXPECT_TRUE(run.Leftovers().empty());
}

TEST_F(Faults, OfficeHungMidBatch) {
  ProgramRun run(dir.Sub("state"), dir.Sub("events.log"));
  // The limit also bounds an office's start, which takes seconds on a busy machine.
  run.Set("PRESSMOOR_OFFICE_TIMEOUT=15");
  std::string destination = dir.MakeDirectory("out");
  StrikeTheOfficeMidBatch(run, destination, SIGSTOP);

  EXPECT_EQ(run.Finish(90), 1);
  std::vector<std::string> messages = run.Messages();
  EXPECT_THAT(messages, Contains(StartsWith("1002 ")));
  int converted = PdfCount(destination);
  EXPECT_GE(converted, 2);
  ExpectSummaryMatches(messages, converted);
  ExpectOnlyCompletePdfs(destination);
  EXPECT_TRUE(run.Leftovers().empty());
}

TEST_F(Faults, KeepGoingStartsAFreshOfficeAndLosesNoFile) {
  ProgramRun run(dir.Sub("state"), dir.Sub("events.log"));
  std::string destination = dir.MakeDirectory("out");
  StrikeTheOfficeMidBatch(run, destination, SIGKILL, "-k");

  EXPECT_EQ(run.Finish(), 0);
  EXPECT_EQ(PdfCount(destination), 40);
  EXPECT_THAT(run.Messages(), ::testing::ElementsAre(StartsWith("Successfully converted 40 files")));
  EXPECT_TRUE(run.Leftovers().empty());
}

TEST_F(Faults, KeepGoingConvertsEveryGoodFileAndReportsEachBadOne) {
  const Fixtures& made = Fixtures::Get();
  std::string source = dir.MakeDirectory("in");
  for (const char* name : {"letter.doc", "sheet.xls", "protected.doc", "truncated.doc"}) {
    fs::copy_file(made.Path(name), source + "/" + name);
  }
  dir.WriteFile("in/notes.txt", LongText(1));
  dir.WriteFile("in/noise.doc", RandomBytes(4096));
  dir.WriteFile("in/table.xls", "Item\tAmount\nPens\t12\n");
  ProgramRun run(dir.Sub("state"), dir.Sub("events.log"));
  ASSERT_TRUE(run.InstallDriver());
  std::string destination = dir.MakeDirectory("out");

  run.Start({"-f", "*.*", "-k", "-s", source, "-d", destination});

  EXPECT_EQ(run.Finish(), 1);
  std::vector<std::string> messages = run.Messages();
  for (const char* bad : {"table.xls", "noise.doc", "protected.doc", "truncated.doc"}) {
    EXPECT_THAT(messages, Contains(" Cannot open file " + source + "/" + bad));
  }
  EXPECT_THAT(messages.back(), StartsWith("Successfully converted 3 files"));
  EXPECT_EQ(PdfCount(destination), 3);
  EXPECT_TRUE(run.Leftovers().empty());
}

TEST_F(Faults, TwoRunsAtOnceIntoDifferentDestinationsBothComplete) {
  // One machine and one user store for both, as for one user's two jobs.
  std::string state = dir.Sub("state");
  ProgramRun first(state, dir.Sub("first.log"));
  ProgramRun second(state, dir.Sub("second.log"));
  ASSERT_TRUE(first.InstallDriver());
  std::string firstSource = Sources("in1", 12);
  std::string secondSource = Sources("in2", 12);
  std::string firstOut = dir.MakeDirectory("out1");
  std::string secondOut = dir.MakeDirectory("out2");

  first.Start({"-f", "*.txt", "-s", firstSource, "-d", firstOut});
  second.Start({"-f", "*.txt", "-s", secondSource, "-d", secondOut});

  EXPECT_EQ(first.Finish(), 0);
  EXPECT_EQ(second.Finish(), 0);
  EXPECT_EQ(PdfCount(firstOut), 12);
  EXPECT_EQ(PdfCount(secondOut), 12);
  EXPECT_THAT(first.Messages(), ::testing::ElementsAre(StartsWith("Successfully converted 12 files")));
  EXPECT_THAT(second.Messages(), ::testing::ElementsAre(StartsWith("Successfully converted 12 files")));
  EXPECT_EQ(IntegrityOf(state + "/machine/registry.sqlite"), "ok");
  ExpectOnlyCompletePdfs(firstOut);
  ExpectOnlyCompletePdfs(secondOut);
}

// The spreadsheet path names each PDF through the store's one "PDFFileName"
// value, which a second run could overwrite between the write and the print.
TEST_F(Faults, TwoSpreadsheetRunsAtOnceKeepTheirOwnPdfs) {
  std::string state = dir.Sub("state");
  ProgramRun first(state, dir.Sub("first.log"));
  ProgramRun second(state, dir.Sub("second.log"));
  ASSERT_TRUE(first.InstallDriver());
  std::string firstSource = dir.MakeDirectory("in1");
  std::string secondSource = dir.MakeDirectory("in2");
  ASSERT_TRUE(fs::exists(std::string(PRESSMOOR_SOURCE_DIR) + "/examples"));
  std::string workbook;
  for (const auto& entry : fs::directory_iterator(std::string(PRESSMOOR_SOURCE_DIR) + "/examples")) {
    if (entry.path().extension() == ".xls") workbook = entry.path().string();
  }
  if (workbook.empty()) GTEST_SKIP() << "no example workbook";
  for (int i = 0; i < 20; ++i) {
    fs::copy_file(workbook, firstSource + "/a" + std::to_string(i) + ".xls");
    fs::copy_file(workbook, secondSource + "/b" + std::to_string(i) + ".xls");
  }
  std::string firstOut = dir.MakeDirectory("out1");
  std::string secondOut = dir.MakeDirectory("out2");

  first.Start({"-f", "*.xls", "-s", firstSource, "-d", firstOut});
  second.Start({"-f", "*.xls", "-s", secondSource, "-d", secondOut});

  EXPECT_EQ(first.Finish(), 0);
  EXPECT_EQ(second.Finish(), 0);
  EXPECT_EQ(PdfCount(firstOut), 20);
  EXPECT_EQ(PdfCount(secondOut), 20);
}

TEST_F(Faults, DamagedUserStoreDoesNotStopTheRun) {
  ProgramRun run(dir.Sub("state"), dir.Sub("events.log"));
  ASSERT_TRUE(run.InstallDriver());
  std::ofstream(dir.Sub("state/user/registry.sqlite"), std::ios::binary) << std::string(3000, '\x5a');
  std::string source = Sources("in", 3);
  std::string destination = dir.MakeDirectory("out");

  run.Start({"-f", "*.txt", "-s", source, "-d", destination});

  EXPECT_EQ(run.Finish(), 0);
  EXPECT_EQ(PdfCount(destination), 3);
  EXPECT_THAT(run.Messages(), ::testing::ElementsAre(StartsWith("Successfully converted 3 files")));
}

TEST_F(Faults, DamagedMachineStoreIsReportedAsAMissingDriver) {
  ProgramRun run(dir.Sub("state"), dir.Sub("events.log"));
  ASSERT_TRUE(run.InstallDriver());
  std::ofstream(dir.Sub("state/machine/registry.sqlite"), std::ios::binary | std::ios::trunc)
      << "SQLite format 3" << std::string(1, '\0') << std::string(4000, '\x01');
  std::string source = Sources("in", 2);
  std::string destination = dir.MakeDirectory("out");

  run.Start({"-f", "*.txt", "-s", source, "-d", destination});

  EXPECT_EQ(run.Finish(), 3);
  EXPECT_THAT(run.Messages(), ::testing::ElementsAre(StartsWith("Pressmoor requires Quillset 1.20 or above")));
  EXPECT_EQ(PdfCount(destination), 0);
}

TEST_F(Faults, ADeepTemporaryFolderLeavesRoomForTheOfficesPipe) {
  // As a job scheduler's scratch folders are: the office's pipe in it would
  // pass the 108 bytes a socket's path may take.
  const std::string deep = dir.MakeDirectory("scratch/job-" + std::string(60, '7') + "/tmp");
  ProgramRun run(dir.Sub("state"), dir.Sub("events.log"));
  run.Set("TMPDIR=" + deep);
  ASSERT_TRUE(run.InstallDriver());
  const std::string destination = dir.MakeDirectory("out");
  run.Start({"-f", "*.txt", "-s", Sources("in", 2), "-d", destination});

  EXPECT_EQ(run.Finish(), 0);
  EXPECT_EQ(PdfCount(destination), 2);
  EXPECT_TRUE(run.Leftovers().empty());
}

TEST_F(Faults, EventLogThatCannotBeWrittenIsSaidOnTheTerminalAndTheRunCompletes) {
  std::string logDirectory = dir.MakeDirectory("events.log");  // a directory where the file should be
  ProgramRun run(dir.Sub("state"), logDirectory);
  ASSERT_TRUE(run.InstallDriver());
  std::string source = Sources("in", 2);
  std::string destination = dir.MakeDirectory("out");
  int terminal = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(terminal, 0);
  ASSERT_EQ(grantpt(terminal), 0);
  ASSERT_EQ(unlockpt(terminal), 0);
  int follower = open(ptsname(terminal), O_RDWR | O_NOCTTY);
  ASSERT_GE(follower, 0);
  fcntl(terminal, F_SETFL, O_NONBLOCK);

  run.Start({"-f", "*.txt", "-s", source, "-d", destination}, follower);
  close(follower);
  std::string shown;
  std::thread reader([&] {
    char buffer[4096];
    for (int idle = 0; idle < 600;) {
      ssize_t got = read(terminal, buffer, sizeof buffer);
      if (got > 0) {
        shown.append(buffer, static_cast<std::size_t>(got));
        idle = 0;
      } else if (got < 0 && errno == EIO) {
        break;  // every writer has gone
      } else {
        ++idle;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
    }
  });
  int status = run.Finish();
  reader.join();
  close(terminal);

  EXPECT_EQ(status, 0);
  EXPECT_EQ(PdfCount(destination), 2);
  EXPECT_THAT(shown, HasSubstr("Successfully converted 2 files"));
  EXPECT_THAT(shown, HasSubstr("the event log could not be written"));
  EXPECT_TRUE(fs::is_directory(logDirectory));
}

}  // namespace
}  // namespace pressmoor::testing
