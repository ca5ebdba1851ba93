#include "platform/EventLog.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "TempDir.h"

namespace pressmoor::platform {
namespace {

std::vector<std::string> Lines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(EventLogTest, EscapesEverythingThatWouldBreakTheLine) {
  EXPECT_EQ(EventLog::Escape("a\\b\nc\rd\te"), "a\\\\b\\nc\\rd\\te");
  EXPECT_EQ(EventLog::Escape(" plain "), " plain ");
}

TEST(EventLogTest, BytesThatAreNoUtf8ShowAsHexEscapes) {
  EXPECT_EQ(EventLog::Escape("Caf\xe9.txt"), "Caf\\xE9.txt");
  EXPECT_EQ(EventLog::Escape("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"), "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80");
  // Overlong, surrogate, cut short, beyond U+10FFFF.
  EXPECT_EQ(EventLog::Escape("\xc0\xaf \xed\xa0\x80 \xe2\x82 \xf4\x90\x80\x80"),
            "\\xC0\\xAF \\xED\\xA0\\x80 \\xE2\\x82 \\xF4\\x90\\x80\\x80");
  EXPECT_EQ(EventLog::Escape("\\xE9\xff"), "\\\\xE9\\xFF");
}

TEST(EventLogTest, EntryIsUtcTimeSourceAndMessage) {
  std::string entry = EventLog::FormatEntry("Pressmoor", "two\nlines");
  EXPECT_TRUE(std::regex_match(
      entry, std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z\tPressmoor\ttwo\\nlines\n)")))
      << entry;
}

TEST(EventLogTest, AppendsOneLinePerEntryCreatingTheDirectory) {
  testing::TempDir dir;
  EventLog log(dir.Path() + "/new/dir/events.log");
  EXPECT_TRUE(log.Write("Pressmoor", "first"));
  EXPECT_TRUE(log.Write("Pressmoor", ""));
  EXPECT_TRUE(log.Write("Pressmoor", "x\ny"));
  std::vector<std::string> lines = Lines(log.Path());
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NE(lines[0].find("\tPressmoor\tfirst"), std::string::npos);
  EXPECT_EQ(lines[1].substr(lines[1].size() - 11), "\tPressmoor\t");
  EXPECT_NE(lines[2].find("\tx\\ny"), std::string::npos);
}

TEST(EventLogTest, UnwritablePathFails) {
  testing::TempDir dir;
  EventLog log(dir.WriteFile("plain", "") + "/events.log");
  EXPECT_FALSE(log.Write("Pressmoor", "lost"));
}

TEST(EventLogTest, DefaultPathFollowsTheEnvironment) {
  setenv("PRESSMOOR_EVENT_LOG", "/var/log/p.log", 1);
  EXPECT_EQ(EventLog::DefaultPath(), "/var/log/p.log");
  unsetenv("PRESSMOOR_EVENT_LOG");
  setenv("PRESSMOOR_USER_ROOT", "/u", 1);
  EXPECT_EQ(EventLog::DefaultPath(), "/u/events.log");
  unsetenv("PRESSMOOR_USER_ROOT");
}

TEST(EventLogTest, ConcurrentWritersNeverSplitALine) {
  testing::TempDir dir;
  const std::string path = dir.Path() + "/events.log";
  const std::string message(3000, 'm');
  constexpr int kWriters = 4;
  constexpr int kEntriesEach = 50;
  std::vector<pid_t> children;
  for (int w = 0; w < kWriters; ++w) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      EventLog log(path);
      bool ok = true;
      for (int i = 0; i < kEntriesEach; ++i) ok = log.Write("Pressmoor", message) && ok;
      _exit(ok ? 0 : 1);
    }
    children.push_back(child);
  }
  for (pid_t child : children) {
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  std::vector<std::string> lines = Lines(path);
  EXPECT_EQ(lines.size(), static_cast<size_t>(kWriters * kEntriesEach));
  for (const std::string& line : lines) {
    ASSERT_EQ(line.substr(line.size() - message.size() - 11), "\tPressmoor\t" + message);
  }
}

}  // namespace
}  // namespace pressmoor::platform
