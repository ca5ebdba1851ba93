#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../ui/WindowFixture.h"
#include "convert/BatchPart.h"

namespace pressmoor::testing {
namespace {

constexpr const char* kSyntax = "Invalid parameters, syntax is -f *.type -s source dir -d destination dir";

class CommandLine : public WindowFixture {
 protected:
  ui::frmPressmoorMain& Parsed(const std::string& commandLine) {
    env.commandLine = commandLine;
    auto& window = Restart();
    window.ParseCommandLine();
    return window;
  }
};

TEST_F(CommandLine, ParsingTable) {
  struct Row {
    std::string line, fileType, source, destination, orientation;
    bool keepGoing = false;
    bool todays = false;
  };
  const Row rows[] = {
      {"-f *.doc -s /In -d /Out", "*.doc", "/In", "/Out", ""},
      {"-f *.doc -s /In", "*.doc", "/In", "", ""},
      {"-F *.doc", "", "", "", ""},
      {"-f*.doc", ".doc", "", "", ""},
      {"-f  *.doc", " *.doc", "", "", ""},
      {"-s /My-Files -d /Out", "", "/My-Files", "/Out", ""},
      {"-s /a-docs -d /Out", "", "/a-docs", "/Out", ""},
      {"-s ~/my-letters/2024 -d ~/pdf", "", "~/my-letters/2024", "~/pdf", ""},
      {"-o landscape", "", "", "", "LANDSCAPE"},
      {"-s /In -d", "", "/In", "", ""},
      {"-s \"/My Files\"", "", "\"/My Files\"", "", ""},
      {"-s /first -s /second", "", "/second", "", ""},
      {"-s /In   -d /Out  ", "", "/In", "/Out", ""},
      {"-d -s /In", "", "/In", "", ""},
      {"-x -f *.rtf", "*.rtf", "", "", "", false, true},
      {"-f *.docx;*.odt -k -s /In -x", "*.docx;*.odt", "/In", "", "", true, true},
      {"-s /a -xyz", "", "/a", "", "", false, true},
      {"-X -s /a", "", "/a", "", ""},
      {"-", "", "", "", ""},
      {"-f", "", "", "", ""},
      {"-k -f *.doc -s /In", "*.doc", "/In", "", "", true},
      {"-f *.doc -k -s /In -d /Out", "*.doc", "/In", "/Out", "", true},
      {"-s /In -d /Out -k", "", "/In", "/Out", "", true},
      {"-s /a -kept -d /Out", "", "/a", "/Out", "", true},
      {"-s /my-kites", "", "/my-kites", "", ""},
      {"-K -s /In", "", "/In", "", ""},
  };
  for (const Row& row : rows) {
    auto& window = Parsed(row.line);
    EXPECT_EQ(window.ParamFileType, row.fileType) << row.line;
    EXPECT_EQ(window.ParamSourceDir, row.source) << row.line;
    EXPECT_EQ(window.ParamDestinationDir, row.destination) << row.line;
    EXPECT_EQ(window.Orientation, row.orientation) << row.line;
    EXPECT_EQ(window.KeepGoing, row.keepGoing) << row.line;
    EXPECT_EQ(window.TodaysFormats, row.todays) << row.line;
  }
}

TEST_F(CommandLine, TreeAndChangedOnlyAreFlagsAnywhere) {
  struct Row { std::string line, source; bool wholeTree, onlyChanged; };
  const Row rows[] = {
      {"-r -u -s /In", "/In", true, true},
      {"-s /In -r", "/In", true, false},
      {"-f *.doc -u -s /In", "/In", false, true},
      {"-s /my-runs/u -d /Out", "/my-runs/u", false, false},
      {"-R -U -s /In", "/In", false, false},
  };
  for (const Row& row : rows) {
    auto& window = Parsed(row.line);
    EXPECT_EQ(window.ParamSourceDir, row.source) << row.line;
    EXPECT_EQ(window.WholeTree, row.wholeTree) << row.line;
    EXPECT_EQ(window.OnlyChanged, row.onlyChanged) << row.line;
  }
}

// A value never starts with a dash, so in "-n -1/3" the -n has none and
// "-1" is an option of its own, which nothing answers to.
TEST_F(CommandLine, PartTable) {
  const std::string in = disk.MakeDirectory("in");
  struct Row { std::string options, problem; convert::BatchPart part = {}; };
  const Row rows[] = {
      {"", "", {0, 1}},
      {"-n 0/1", "", {0, 1}},
      {"-n 3/4", "", {3, 4}},
      {"-n 1/3   -k", "", {1, 3}},
      {"-n 1/2 -n 0/2", "", {0, 2}},
      {"-n 4/4", "-n 4/4: K must be below N"},
      {"-n x/2", "-n x/2: K and N must be whole numbers"},
      {"-n 1/0", "-n 1/0: N must be at least 1"},
      {"-n -1/3", "-n: no part follows it"},
      {"-n", "-n: no part follows it"},
  };
  for (const Row& row : rows) {
    env.eventLog.clear();
    auto& window = Parsed(row.options + " -f *.txt -s " + in);
    window.ApplyCommandLine();
    EXPECT_EQ(window.CommandLineFailed, !row.problem.empty()) << row.options;
    if (row.problem.empty()) {
      EXPECT_TRUE(env.eventLog.empty()) << row.options;
      EXPECT_EQ(window.Part.index, row.part.index) << row.options;
      EXPECT_EQ(window.Part.count, row.part.count) << row.options;
    } else {
      EXPECT_EQ(env.eventLog, std::vector<std::string>{"Invalid option " + row.problem +
                                                      "; -n K/N converts part K of N parts, counted from 0"})
          << row.options;
    }
  }
}

TEST_F(CommandLine, GetparameterStartsAtOneBasedPositionAndStopsBeforeNextOption) {
  auto& window = Window();
  const std::string text = "-f *.doc -s /x-y -d /z";
  std::int16_t start = 4;
  EXPECT_EQ(window.getparameter(start, text), "*.doc");
  EXPECT_EQ(start, 4);
  EXPECT_EQ(window.getparameter(13, text), "/x-y");
  EXPECT_EQ(window.getparameter(100, text), "");
  EXPECT_EQ(window.getparameter(0, "abc -d"), "abc");
}

TEST_F(CommandLine, AppliedDirectoriesCarryPatternIntoSourceList) {
  std::string in = disk.MakeDirectory("my-in");
  std::string out = disk.MakeDirectory("out");
  disk.WriteFile("my-in/a.doc", "");
  disk.WriteFile("my-in/b.txt", "");
  auto& window = Parsed("-f *.doc -s " + in + " -d " + out);
  window.ApplyCommandLine();
  EXPECT_FALSE(window.CommandLineFailed);
  EXPECT_EQ(window.FilePattern, "*.doc");
  EXPECT_EQ(window.SrcFolder.Path(), in);
  EXPECT_EQ(window.DstFolder.Path(), out);
  EXPECT_EQ(Names(window.srcFileList), std::vector<std::string>{"a.doc"});
  EXPECT_TRUE(env.eventLog.empty());
}

TEST_F(CommandLine, DestinationFallsBackToSource) {
  std::string in = disk.MakeDirectory("in");
  auto& window = Parsed("-f *.doc -s " + in + " -d");
  window.ApplyCommandLine();
  EXPECT_FALSE(window.CommandLineFailed);
  EXPECT_EQ(window.DstFolder.Path(), in);
}

TEST_F(CommandLine, DirectoriesThatCannotBeAppliedFailTheCommandLine) {
  std::string in = disk.MakeDirectory("in");
  const std::string lines[] = {"-f *.doc", "-f *.doc -s", "-f *.doc -s " + disk.Path() + "/missing",
                               "-f *.doc -s " + in + " -d " + disk.Path() + "/missing"};
  for (const std::string& line : lines) {
    env.eventLog.clear();
    auto& window = Parsed(line);
    window.ApplyCommandLine();
    EXPECT_TRUE(window.CommandLineFailed) << line;
    EXPECT_EQ(env.eventLog, std::vector<std::string>{kSyntax}) << line;
    EXPECT_EQ(window.FilePattern, "*.doc") << line;
  }
  EXPECT_TRUE(env.messageBoxes.empty());
}

}  // namespace
}  // namespace pressmoor::testing
