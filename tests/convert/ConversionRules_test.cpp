#include <gtest/gtest.h>

#include "FakeEnvironment.h"
#include "convert/FilePaths.h"
#include "convert/MarginText.h"
#include "convert/RunMessages.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::convert {
namespace {

struct MarginCase {
  const char* text;
  double points;
};

class MarginReading : public ::testing::TestWithParam<MarginCase> {};

TEST_P(MarginReading, GivesPoints) {
  EXPECT_DOUBLE_EQ(MarginPoints(GetParam().text), GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, MarginReading,
    ::testing::Values(MarginCase{"1", 72}, MarginCase{"0.5", 36}, MarginCase{"0", 0},
                      MarginCase{"", 0}, MarginCase{"1.25in", 90}, MarginCase{"1 5", 1080},
                      MarginCase{"x1", 0}, MarginCase{" \t1\n.\t5 ", 108},
                      MarginCase{"-0.5", -36}, MarginCase{"+ 2", 144}, MarginCase{".5", 36},
                      MarginCase{"1.5.5", 108}, MarginCase{"1,5", 72}, MarginCase{"2e1", 144},
                      MarginCase{"--1", 0}, MarginCase{"0x10", 0}, MarginCase{"\r1", 0}));

TEST(FilePaths, SourceGetsASeparatorOnlyWhenMissingOutputAlways) {
  EXPECT_EQ(SourcePath("/in", "a.txt"), "/in/a.txt");
  EXPECT_EQ(SourcePath("/", "a.txt"), "/a.txt");
  EXPECT_EQ(OutputPath("/out", "Report.final.rtf"), "/out/Report.final.pdf");
  EXPECT_EQ(OutputPath("/", "a.txt"), "//a.pdf");
  EXPECT_EQ(OutputPath("/out", "memodoc"), "/out/pdf");
  EXPECT_EQ(OutputPath("/out", "trailing."), "/out/trailing.pdf");
  EXPECT_EQ(OutputPath("/out", "2026/v1.2/a.b.doc"), "/out/2026/v1.2/a.b.pdf");
  EXPECT_EQ(OutputPath("/out", "v1.2/memodoc"), "/out/v1.2/pdf");
  EXPECT_EQ(SubfoldersOf("2026/jan/a.doc"), "2026/jan");
  EXPECT_EQ(SubfoldersOf("a.doc"), "");
}

TEST(Summary, ElapsedSecondsRoundToEvenAndSplitIntoMinutes) {
  EXPECT_EQ(SummaryMessage(3, 45), "Successfully converted 3 files in 0 minutes and 45 seconds");
  EXPECT_EQ(SummaryMessage(1, 59.6), "Successfully converted 1 files in 1 minutes and 0 seconds");
  EXPECT_EQ(SummaryMessage(3, 125.4), "Successfully converted 3 files in 2 minutes and 5 seconds");
  EXPECT_EQ(SummaryMessage(7, 3600), "Successfully converted 7 files in 60 minutes and 0 seconds");
  EXPECT_EQ(SummaryMessage(1, 2.5), "Successfully converted 1 files in 0 minutes and 2 seconds");
  EXPECT_EQ(SummaryMessage(1, 3.5), "Successfully converted 1 files in 0 minutes and 4 seconds");
  EXPECT_EQ(SummaryMessage(32767, 0.2),
            "Successfully converted 32767 files in 0 minutes and 0 seconds");
}

TEST(Summary, UpToDateLineHasItsSingular) {
  EXPECT_EQ(UpToDateMessage(1234), "1234 files were already up to date");
  EXPECT_EQ(UpToDateMessage(1), "1 file was already up to date");
}

TEST(CountOneMore, GoesPastTheSixteenBitLimit) {
  std::int64_t count = 32767;
  CountOneMore(count);
  EXPECT_EQ(count, 32768);
  EXPECT_EQ(SummaryMessage(count, 1), "Successfully converted 32768 files in 0 minutes and 1 seconds");
}

class FileTests : public ::testing::Test {
 protected:
  testing::FakeEnvironment env;
  ui::frmPressmoorMain form{env};
};

TEST_F(FileTests, WordFilesByTheirLastThreeCharacters) {
  for (const char* name : {"a.doc", "report.HTML", "notes.Txt", "page.htm", "memo.rtf",
                           "/in/memodoc", "x_rt", "ml"}) {
    EXPECT_TRUE(form.IsWordFile(name)) << name;
  }
  for (const char* name : {"letter.docx", "a.xls", "scan.pdf", "a.docm", "/in.doc/a.odt"}) {
    EXPECT_FALSE(form.IsWordFile(name)) << name;
  }
}

TEST_F(FileTests, WorkbooksByTheirLastThreeCharacters) {
  EXPECT_TRUE(form.IsExcelFile("DATA.XLS"));
  EXPECT_TRUE(form.IsExcelFile("xls"));
  EXPECT_FALSE(form.IsExcelFile("a.xlsx"));
  EXPECT_FALSE(form.IsExcelFile("ls"));
  EXPECT_FALSE(form.IsExcelFile(""));
}

// 'w' word processor, 's' spreadsheet, 'p' presentations, '-' none of them.
TEST_F(FileTests, TodaysFormatsOnlyWhenAskedForAndEachByItsWholeEnding) {
  const auto kindOf = [this](const char* name) {
    return form.IsWordFile(name) ? 'w' : form.IsExcelFile(name) ? 's' : form.IsPowerPointFile(name) ? 'p' : '-';
  };
  struct Row { const char* name; char withX, without; };
  const Row rows[] = {
      {"a.docx", 'w', '-'}, {"A.DOCM", 'w', '-'}, {"t.dotx", 'w', '-'}, {"t.dotm", 'w', '-'},
      {"t.dot", 'w', '-'},  {"b.odt", 'w', '-'},  {"b.ott", 'w', '-'},  {"b.fodt", 'w', '-'},
      {"c.xlsx", 's', '-'}, {"c.xlsm", 's', '-'}, {"c.xltx", 's', '-'}, {"c.xltm", 's', '-'},
      {"c.XLSB", 's', '-'}, {"c.xlt", 's', '-'},  {"d.ods", 's', '-'},  {"d.ots", 's', '-'},
      {"d.fods", 's', '-'}, {"e.ppt", 'p', '-'},  {"e.pps", 'p', '-'},  {"e.pot", 'p', '-'},
      {"e.pptx", 'p', '-'}, {"e.pptm", 'p', '-'}, {"e.ppsx", 'p', '-'}, {"e.potx", 'p', '-'},
      {"f.odp", 'p', '-'},  {"f.otp", 'p', '-'},  {"f.Fodp", 'p', '-'}, {"g.doc", 'w', 'w'},
      {"g.xls", 's', 's'},  {"g.txt", 'w', 'w'},  {"g.pdf", '-', '-'},  {"h.docx.bak", '-', '-'}};
  for (const Row& row : rows) {
    form.TodaysFormats = true;
    EXPECT_EQ(kindOf(row.name), row.withX) << row.name;
    form.TodaysFormats = false;
    EXPECT_EQ(kindOf(row.name), row.without) << row.name;
  }
}

TEST_F(FileTests, TodaysFormatsCarryTheirOwnPageSetUp) {
  for (const char* name : {"/in/a.docx", "/in/b.odt", "/in/c.fodt", "/in/t.dot", "/in/a.doc"}) {
    EXPECT_FALSE(form.TakesDefaultPage(name)) << name;
  }
  for (const char* name : {"/in/a.txt", "/in/b.rtf", "/in/c.htm", "/in/odt/d.html"}) {
    EXPECT_TRUE(form.TakesDefaultPage(name)) << name;
  }
}

TEST_F(FileTests, DocAnywhereInThePath) {
  EXPECT_TRUE(form.IsDocFile("/in/Letter.doc"));
  EXPECT_TRUE(form.IsDocFile("/in/a.docx"));
  EXPECT_TRUE(form.IsDocFile("/Work.docs/notes.txt"));
  EXPECT_FALSE(form.IsDocFile("/in/doc/notes.txt"));
  EXPECT_FALSE(form.IsDocFile("/in/a.rtf"));
}

}  // namespace
}  // namespace pressmoor::convert
