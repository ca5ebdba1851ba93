// A run over a whole tree (-r) and over only what changed (-u), on the
// scripted office: which files are converted, in which order, to where, and
// when no office is started at all.
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ConversionFixture.h"
#include "convert/BatchPart.h"

namespace pressmoor::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::StartsWith;

class Trees : public ConversionTest {
 protected:
  // One unattended run, in a window of its own, as the command line
  // `options` asks for, over `from` into `to`.
  ui::frmPressmoorMain& Run(const std::string& options, const std::string& from, const std::string& to = "") {
    env.commandLine = options + " -s " + from + (to.empty() ? "" : " -d " + to);
    env.eventLog.clear();
    run = std::make_unique<ui::frmPressmoorMain>(env);
    run->ParseCommandLine();
    run->ApplyCommandLine();
    run->cmdConvert_Click();
    return *run;
  }
  std::vector<std::string> Opened() const { return office.CallsTo("Word.Documents.Open"); }
  static std::string Open(const std::string& path) { return "Word.Documents.Open(FileName=" + path + ")"; }
  // Every file below `folder`, as paths relative to it.
  static std::set<std::string> FilesBelow(const std::string& folder) {
    std::set<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      if (entry.is_regular_file()) files.insert(fs::relative(entry.path(), folder).string());
    }
    return files;
  }
  // Gives `path` the modification time of `reference` plus `seconds`.
  static void Stamp(const std::string& path, const std::string& reference, int seconds) {
    fs::last_write_time(path, fs::last_write_time(reference) + std::chrono::seconds(seconds));
  }

  std::unique_ptr<ui::frmPressmoorMain> run;
};

TEST_F(Trees, EveryMatchingFileFolderByFolderIntoTheMirroredTree) {
  Source("b.txt");
  Source("2025/a.txt");
  Source("2025/jan/a.txt");
  Source("2025/jan/notes.rtf");
  Source("2026/a.txt");
  Source(".drafts/a.txt");
  Source("2025/.trash/a.txt");
  const std::string elsewhere = dirs.WriteFile("elsewhere/a.txt", "");
  fs::create_directory_symlink(source, source + "/2025/loop");
  fs::create_directory_symlink(fs::path(elsewhere).parent_path(), source + "/linked");
  fs::create_symlink(elsewhere, source + "/2026/linked.txt");

  Run("-r -f *.txt", source, destination);

  EXPECT_THAT(Opened(), ElementsAre(Open(source + "/b.txt"), Open(source + "/2025/a.txt"),
                                    Open(source + "/2025/jan/a.txt"), Open(source + "/2026/a.txt"),
                                    Open(source + "/2026/linked.txt")));
  EXPECT_EQ(FilesBelow(destination),
            (std::set<std::string>{"b.pdf", "2025/a.pdf", "2025/jan/a.pdf", "2026/a.pdf", "2026/linked.pdf"}));
  EXPECT_THAT(env.eventLog, ElementsAre(StartsWith("Successfully converted 5 files")));
}

TEST_F(Trees, DestinationInsideTheSourceIsNotWalkedAndWithoutOneEachPdfLandsBeside) {
  Source("2025/a.txt");
  Source("pdf/stray.txt");

  Run("-r -f *.txt", source, source + "/pdf");
  EXPECT_EQ(FilesBelow(source + "/pdf"), (std::set<std::string>{"stray.txt", "2025/a.pdf"}));

  fs::remove_all(source + "/pdf");
  Run("-r -f *.txt", source);
  EXPECT_EQ(FilesBelow(source), (std::set<std::string>{"2025/a.txt", "2025/a.pdf"}));
}

TEST_F(Trees, SubfolderThatCannotBeListedIsReportedAndTheRestConverts) {
  Source("a.txt");
  Source("closed/b.txt");
  Source("open/c.txt");
  env.files.unreadable.insert(source + "/closed");

  Run("-r -k -f *.txt", source, destination);

  EXPECT_THAT(env.eventLog, ElementsAre("Source directory " + source + "/closed not found",
                                        StartsWith("Successfully converted 2 files")));
  EXPECT_EQ(FilesBelow(destination), (std::set<std::string>{"a.pdf", "open/c.pdf"}));
}

TEST_F(Trees, OnlyWhatChangedIsConvertedAndNothingToDoStartsNoOffice) {
  Source("a.txt");
  const std::string touched = Source("2025/b.txt");
  Source("2025/c.xls");
  ASSERT_EQ(Run("-r -u -f *.*", source, destination).ConvertedCount, 3);
  const std::size_t created = office.CallsTo("CreateObject").size();

  EXPECT_EQ(Run("-r -u -f *.*", source, destination).ExitStatus(), 0);
  EXPECT_EQ(office.CallsTo("CreateObject").size(), created);
  EXPECT_THAT(env.eventLog, ElementsAre("3 files were already up to date"));

  Stamp(touched, Output("2025/b.pdf"), 5);
  Source("2025/d.txt");
  Run("-r -u -f *.*", source, destination);
  EXPECT_EQ(office.CallsTo("CreateObject").size(), created + 1);
  EXPECT_EQ(office.CallsTo("CreateObject").back(), "CreateObject(Word.Application)");
  EXPECT_THAT(office.Hints().back(), ElementsAre(source + "/2025/b.txt", source + "/2025/d.txt"));
  EXPECT_THAT(env.eventLog, ElementsAre(StartsWith("Successfully converted 2 files"),
                                        "2 files were already up to date"));
}

TEST_F(Trees, UpToDateMeansAPdfWhereTheRunWritesItNotOlderThanTheFile) {
  struct Row { std::string name; std::optional<int> pdfNewerBy; bool converted; };
  const Row rows[] = {{"newer", 5, false}, {"same", 0, false}, {"older", -5, true}, {"none", {}, true}};
  for (const Row& row : rows) {
    const std::string path = Source(row.name + ".txt");
    if (row.pdfNewerBy) Stamp(dirs.WriteFile("out/" + row.name + ".pdf", "%PDF-"), path, *row.pdfNewerBy);
  }

  Run("-u -f *.txt", source, destination);

  for (const Row& row : rows) {
    const bool opened = std::ranges::count(Opened(), Open(source + "/" + row.name + ".txt")) == 1;
    EXPECT_EQ(opened, row.converted) << row.name;
  }
  EXPECT_THAT(env.eventLog, ElementsAre(StartsWith("Successfully converted 2 files"),
                                        "2 files were already up to date"));
}

TEST_F(Trees, PartsSplitByThePathBelowTheSourceDisjointAndComplete) {
  std::set<std::string> all;
  for (int folder = 0; folder < 12; ++folder) {
    for (const char* name : {"report.txt", "notes.txt"}) {
      const std::string relative = "f" + std::to_string(folder) + "/" + name;
      Source(relative);
      all.insert(Output(relative.substr(0, relative.size() - 3) + "pdf"));
    }
  }
  std::multiset<std::string> converted;
  std::set<std::uint64_t> partsOfReports;
  for (std::uint64_t index = 0; index < 3; ++index) {
    const std::size_t before = office.PdfsWritten().size();
    Run("-r -f *.txt -n " + std::to_string(index) + "/3", source, destination);
    for (std::size_t pdf = before; pdf < office.PdfsWritten().size(); ++pdf) {
      converted.insert(office.PdfsWritten()[pdf]);
      if (office.PdfsWritten()[pdf].ends_with("report.pdf")) partsOfReports.insert(index);
    }
  }
  EXPECT_EQ(std::set<std::string>(converted.begin(), converted.end()), all);
  EXPECT_EQ(converted.size(), all.size());
  EXPECT_GT(partsOfReports.size(), 1u);
}

}  // namespace
}  // namespace pressmoor::testing
