// Awkward file and directory names, and a very large source directory, through
// whole runs with the scripted office: every document converts or is
// reported, nothing is written outside the destination, the source stays as
// it was.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "ConversionFixture.h"
#include "driver/Quillset.h"

namespace pressmoor::testing {
namespace {

namespace fs = std::filesystem;

// Every file below `top` with its content, by path relative to `top`.
std::map<std::string, std::string> Snapshot(const std::string& top) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(top)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[fs::relative(entry.path(), top).string()] = std::string(std::istreambuf_iterator<char>(in), {});
  }
  return files;
}

std::vector<std::string> AwkwardNames() {
  return {"with blank.txt", "it's.txt", "say \"hi\".rtf", "#hash.doc", "100%.htm",
          "%s%n%x.txt", "line\nbreak.txt", "-f *.txt", "--leading.doc", "-.txt",
          "latin1 \xe9t\xe9.txt", "broken \xc3(.rtf", "tab\there.txt", "back\\slash.txt",
          "ques?tion.txt", "$(touch pwned).txt", "ends.in.dots..txt", "UPPER.TXT",
          "escape \x1b[2J.txt", std::string(200, 'n') + ".txt", "sheet #1 50%.xls",
          "\xe2\x80\x8f\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d.doc"};
}

// The PDF the output path rule gives for `name`.
std::string PdfName(const std::string& name) { return name.substr(0, name.rfind('.') + 1) + "pdf"; }

class BadNames : public ConversionTest {
 protected:
  std::vector<std::string> WriteAwkwardSources() {
    std::vector<std::string> names = AwkwardNames();
    for (const std::string& name : names) Source(name, "content of " + name);
    Source("no extension", "skipped silently");
    return names;
  }
};

TEST_F(BadNames, EveryAwkwardNameGetsItsOwnPdfInsideTheDestinationAndTheSourceIsUntouched) {
  std::vector<std::string> names = WriteAwkwardSources();
  const auto sourceBefore = Snapshot(source);
  form.FilePattern = "*.*";

  form.cmdConvert_Click();

  std::map<std::string, std::string> outside = Snapshot(dirs.Path());
  std::vector<std::string> written;
  for (const auto& [path, content] : outside) {
    if (path.rfind("out/", 0) == 0) written.push_back(path.substr(4));
  }
  std::vector<std::string> expected;
  for (const std::string& name : names) expected.push_back(PdfName(name));
  EXPECT_THAT(written, ::testing::UnorderedElementsAreArray(expected));
  EXPECT_EQ(form.ConvertedCount, static_cast<int>(names.size()));
  EXPECT_EQ(Snapshot(source), sourceBefore);
  EXPECT_EQ(outside.size(), sourceBefore.size() + expected.size());  // nothing anywhere else
  ASSERT_EQ(env.eventLog.size(), 1u);
  EXPECT_THAT(env.eventLog[0], ::testing::StartsWith("Successfully converted 22 files"));
  EXPECT_EQ(form.dstFileList.ListCount(), static_cast<int>(names.size()));
}

TEST_F(BadNames, TheProgressLineOnATerminalCannotBeBrokenByAName) {
  WriteAwkwardSources();
  form.FilePattern = "*.*";
  env.standardErrorIsTerminal = true;

  form.cmdConvert_Click();

  // Only the line-clearing sequence may reach the terminal as a control
  // character; the one message (the summary) ends the only line.
  std::string shown = env.standardError;
  for (std::size_t at = shown.find("\r\x1b[2K"); at != std::string::npos; at = shown.find("\r\x1b[2K")) {
    shown.erase(at, 5);
  }
  EXPECT_EQ(shown.find('\x1b'), std::string::npos);
  EXPECT_EQ(shown.find('\r'), std::string::npos);
  EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), form.MessagesReported);
}

TEST_F(BadNames, AFileTakenByAnotherProgramIsReportedByItsAwkwardNameAndTheRestConvert) {
  Source("first.txt");
  std::string held = Source("held \"by\" #another% -f.txt");
  Source("last.txt");
  env.files.lockedFiles.insert(held);
  form.FilePattern = "*.txt";

  form.cmdConvert_Click();

  EXPECT_EQ(form.ConvertedCount, 2);
  EXPECT_THAT(env.eventLog, ::testing::Contains("File " + held + " is already open, cannot convert to PDF format"));
  EXPECT_FALSE(fs::exists(Output("held \"by\" #another% -f.pdf")));
}

class AwkwardDirectories : public ::testing::Test {
 protected:
  void InstallDriver() {
    platform::HKEY key = 0;
    ASSERT_EQ(env.registry.RegCreateKeyExA(platform::HKEY_LOCAL_MACHINE, driver::kVersionKey, 0, "", 0,
                                           platform::KEY_SET_VALUE, nullptr, &key, nullptr),
              0);
    const std::string version = driver::kInstalledVersion;
    ASSERT_EQ(env.registry.RegSetValueExA(key, driver::kVersionValue, 0, platform::REG_SZ,
                                          reinterpret_cast<const unsigned char*>(version.c_str()),
                                          static_cast<platform::DWORD>(version.size() + 1)),
              0);
    env.registry.RegCloseKey(key);
  }

  FakeEnvironment env;
  office::ScriptedOffice office{&env.registry};
};

// Blanks, '#', '%', quotes and non-UTF-8 bytes in the directories of an
// unattended command line: a dash after a blank would start an option, so
// that is the one thing such a path cannot hold.
TEST_F(AwkwardDirectories, AnUnattendedRunConvertsBetweenThem) {
  InstallDriver();
  env.office = &office;
  const std::string source = env.root.MakeDirectory("my #1 100% 'docs' \xe9t\xe9");
  const std::string destination = env.root.MakeDirectory("pdf out-put #2");
  env.root.WriteFile("my #1 100% 'docs' \xe9t\xe9/a b.txt", "a");
  env.root.WriteFile("my #1 100% 'docs' \xe9t\xe9/-c.rtf", "c");
  env.commandLine = "-f *.* -s " + source + " -d " + destination;
  ui::frmPressmoorMain form(env);

  form.Form_Load();

  EXPECT_TRUE(fs::exists(destination + "/a b.pdf"));
  EXPECT_TRUE(fs::exists(destination + "/-c.pdf"));
  EXPECT_EQ(form.ConvertedCount, 2);
  EXPECT_EQ(form.ExitStatus(), 0);
  EXPECT_TRUE(form.Unloaded);
}

// Ten thousand files listed, a fifth of them documents: every document
// converts, the others are skipped silently, one summary and no other
// message, and the destination list is re-read a bounded number of times per
// converted file rather than per pair of files.
TEST_F(BadNames, TenThousandFilesListAndTheirDocumentsConvertWithOneSummary) {
  constexpr int kFiles = 10000;
  constexpr int kDocuments = kFiles / 5;
  for (int i = 0; i < kFiles; ++i) {
    Source("file " + std::to_string(i) + (i % 5 == 0 ? ".txt" : ".png"), "x");
  }
  form.FilePattern = "*.*";
  env.standardErrorIsTerminal = true;
  env.files.listings = 0;

  form.cmdConvert_Click();

  EXPECT_EQ(form.srcFileList.ListCount(), kFiles);
  EXPECT_EQ(form.ConvertedCount, kDocuments);
  EXPECT_EQ(form.dstFileList.ListCount(), kDocuments);
  ASSERT_EQ(env.eventLog.size(), 1u);
  EXPECT_THAT(env.eventLog[0], ::testing::StartsWith("Successfully converted 2000 files in "));
  EXPECT_LE(env.files.listings, 2 * kDocuments + 10);
  EXPECT_FALSE(form.RunInProgress);
  // The progress line is redrawn in place: one clear per document and one at the end.
  std::size_t clears = 0;
  for (std::size_t at = env.standardError.find("\r\x1b[2K"); at != std::string::npos;
       at = env.standardError.find("\r\x1b[2K", at + 1)) {
    ++clears;
  }
  EXPECT_EQ(clears, static_cast<std::size_t>(kDocuments) + 1);
  EXPECT_EQ(std::count(env.standardError.begin(), env.standardError.end(), '\n'), 1);
}

}  // namespace
}  // namespace pressmoor::testing
