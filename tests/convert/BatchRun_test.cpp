#include <filesystem>
#include <stdexcept>

#include "ConversionFixture.h"

namespace pressmoor::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::StartsWith;

class BatchRunTest : public ConversionTest {
 protected:
  std::vector<std::string> Created() { return office.CallsTo("CreateObject"); }
  // Makes the clock move by `seconds` while the first print is waited for.
  void ElapseDuringPrint(double seconds) {
    office.printingStatus = {1};
    env.clock = 500;
    env.onDispatch = [this, seconds] { env.clock = 500 + seconds; };
  }
};

struct DispatchCase {
  const char* pattern;
  const char* application;  // the one class created
  int converted;
};

class PatternDispatch : public BatchRunTest,
                        public ::testing::WithParamInterface<DispatchCase> {};

TEST_P(PatternDispatch, ChoosesTheConverter) {
  Source("a.doc");
  Source("b.htm");
  Source("c.html");
  Source("d.rtf");
  Source("e.txt");
  Source("f.xls");
  Source("g.pdf");
  form.FilePattern = GetParam().pattern;

  form.cmdConvert_Click();

  EXPECT_THAT(Created(), ElementsAre(std::string("CreateObject(") + GetParam().application + ")"));
  EXPECT_EQ(form.ConvertedCount, GetParam().converted);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, PatternDispatch,
    ::testing::Values(DispatchCase{"*.doc", "Word.Application", 1},
                      DispatchCase{"*.txt", "Word.Application", 1},
                      DispatchCase{"*.html", "Word.Application", 1},
                      DispatchCase{"*.rtf", "Word.Application", 1},
                      DispatchCase{"*.htm*", "Word.Application", 2},
                      DispatchCase{"*.xls", "Excel.Application", 1},
                      DispatchCase{"*.XLS", "Word.Application", 0},
                      DispatchCase{"*.pdf", "Word.Application", 0}));

// With today's formats the files listed choose the converters, whatever the pattern.
TEST_F(BatchRunTest, TodaysFormatsStartEachConverterOnlyForFilesOfItsKind) {
  struct Row {
    std::vector<std::string> files;
    std::string pattern;
    std::vector<std::string> created;
    int converted;
  };
  const std::string excel = "CreateObject(Excel.Application)";
  const std::string powerPoint = "CreateObject(PowerPoint.Application)";
  const std::string word = "CreateObject(Word.Application)";
  const Row rows[] = {
      {{"a.docx", "b.xlsx", "c.pptx", "d.txt", "e.pdf"}, "*.*", {excel, powerPoint, word}, 4},
      {{"a.docx", "b.xlsx", "c.pptx"}, "*.xlsx", {excel}, 1},
      {{"a.odt", "b.ODP"}, "*.odt;*.odp", {powerPoint, word}, 2},
      {{"a.xls", "b.doc"}, "*.doc", {word}, 1},
      {{"a.pdf"}, "*.*", {}, 0},
  };
  for (const Row& row : rows) {
    TempDir folder;
    form.SrcFolder.Path(folder.MakeDirectory("in"));
    for (const std::string& file : row.files) folder.WriteFile("in/" + file, "text");
    const std::size_t before = Created().size();
    form.TodaysFormats = true;
    form.FilePattern = row.pattern;

    form.cmdConvert_Click();

    const std::vector<std::string> created = Created();
    EXPECT_EQ(std::vector<std::string>(created.begin() + static_cast<std::ptrdiff_t>(before), created.end()),
              row.created)
        << row.pattern;
    EXPECT_EQ(form.ConvertedCount, row.converted) << row.pattern;
  }
}

TEST_F(BatchRunTest, PresentationGoesThroughTheOfficeInTheFixedOrder) {
  const std::string path = Source("talk.pptx");
  form.TodaysFormats = true;
  form.FilePattern = "*.pptx";

  form.cmdConvert_Click();

  EXPECT_THAT(office.Calls(),
              ElementsAre("CreateObject(PowerPoint.Application)",
                          "PowerPoint.Presentations.Open(" + path + ", true, , false)",
                          "PowerPoint.Presentation.PrintOut(, , , Quillset)",
                          "PowerPoint.Presentation.Close", "PowerPoint.Quit"));
  EXPECT_TRUE(std::filesystem::exists(Output("talk.pdf")));
  EXPECT_EQ(office.PdfFileNameSetting(), Output("talk.pdf"));
  EXPECT_THAT(env.eventLog, ElementsAre(::testing::StartsWith("Successfully converted 1 files")));
}

TEST_F(BatchRunTest, EmptyPatternIsReportedAndTheRunStillEndsNormally) {
  env.commandLine = "";  // interactive, so the preferences are saved
  Source("a.txt");
  form.dstFileList.Pattern("*.pdf");
  // Appears only after the destination check has listed the directory.
  env.onMessageBox = [this](const std::string&) { dirs.WriteFile("out/late.pdf", "%PDF-"); };

  form.cmdConvert_Click();

  EXPECT_THAT(env.messageBoxes, ElementsAre("File type to convert is not defined"));
  EXPECT_THAT(office.Calls(), IsEmpty());
  EXPECT_EQ(form.dstFileList.ListCount(), 1);
  EXPECT_NE(form.MyGetSetting("Tarnwick\\Pressmoor", "Pathinfo", "DestinationDir", ""), "");
}

TEST_F(BatchRunTest, AllFilesRunsExcelFirstOnlyWhenAWorkbookIsListed) {
  Source("a.txt");
  Source("b.xls");
  Source("c.xls");
  form.FilePattern = "*.*";

  form.cmdConvert_Click();

  EXPECT_THAT(Created(),
              ElementsAre("CreateObject(Excel.Application)", "CreateObject(Word.Application)"));
  EXPECT_EQ(form.ConvertedCount, 3);
  EXPECT_THAT(env.eventLog, ElementsAre(::testing::StartsWith("Successfully converted 3 files")));
}

TEST_F(BatchRunTest, EachConverterTellsTheOfficeWhichFilesItWillOpenInOrder) {
  Source("a.txt");
  Source("b.xls");
  Source("c.PDF");
  Source("d.Doc");
  Source("e.XLS");
  form.FilePattern = "*.*";

  form.cmdConvert_Click();

  EXPECT_THAT(office.Hints(), ElementsAre(ElementsAre(source + "/b.xls", source + "/e.XLS"),
                                          ElementsAre(source + "/a.txt", source + "/d.Doc")));
}

// What Word will print, where and how, is told before the workbooks, so
// idle offices may begin it; the run's end forgets it. A run with one
// converter says nothing of it.
TEST_F(BatchRunTest, ConvertersBeforeWordAreToldWhatWordWillPrintAndHow) {
  Source("a.txt");
  Source("b.xls");
  Source("d.doc");
  for (const char* pattern : {"*.*", "*.txt"}) {
    form.FilePattern = pattern;
    form.cmdConvert_Click();
  }
  const std::string page = " LeftMargin=72 RightMargin=72 TopMargin=72 BottomMargin=72 Orientation=0";
  EXPECT_THAT(office.LaterHints(),
              ElementsAre(ElementsAre("Word.Application: " + source + "/a.txt > " + destination + "/a.pdf" + page,
                                      "Word.Application: " + source + "/d.doc > " + destination + "/d.pdf"),
                          IsEmpty(), IsEmpty()));
}

// With today's formats the presentations come first, before the workbooks
// only; a run without workbooks tells the presentation program Word's.
TEST_F(BatchRunTest, TodaysFormatsTellTheConvertersBeforeThemWhatTheLaterOnesWillPrint) {
  Source("a.docx");
  Source("c.pptx");
  form.TodaysFormats = true;
  form.FilePattern = "*.*";
  form.cmdConvert_Click();
  Source("b.xlsx");
  form.cmdConvert_Click();
  const std::string word = "Word.Application: " + source + "/a.docx > " + destination + "/a.pdf";
  const std::string presentation = "PowerPoint.Application: " + source + "/c.pptx > " + destination + "/c.pdf";
  EXPECT_THAT(office.LaterHints(),
              ElementsAre(ElementsAre(StartsWith(word)), IsEmpty(), ElementsAre(presentation, StartsWith(word)),
                          IsEmpty()));
}

TEST_F(BatchRunTest, AllFilesWithoutWorkbookStartsWordEvenWithNothingForIt) {
  Source("a.pdf");
  form.FilePattern = "*.*";

  form.cmdConvert_Click();

  EXPECT_THAT(Created(), ElementsAre("CreateObject(Word.Application)"));
  EXPECT_EQ(form.ConvertedCount, 0);
}

TEST_F(BatchRunTest, BothDirectoriesAreCheckedAndNothingElseHappens) {
  Source("a.txt");
  env.files.unreadable.insert(source);
  env.files.unreadable.insert(destination);
  form.FilePattern = "*.txt";

  form.cmdConvert_Click();

  EXPECT_THAT(env.eventLog, ElementsAre("Source directory " + source + " not found",
                                        "Destination directory " + destination + " not found"));
  EXPECT_THAT(office.Calls(), IsEmpty());
  EXPECT_FALSE(form.RunInProgress);
}

TEST_F(BatchRunTest, SummaryCountsAndTimesTheRun) {
  for (double elapsed : {45.0, 59.6, 125.4, 3600.0}) {
    ElapseDuringPrint(elapsed);
    Source("a.txt");
    form.FilePattern = "*.txt";
    form.cmdConvert_Click();
  }

  EXPECT_THAT(env.eventLog,
              ElementsAre("Successfully converted 1 files in 0 minutes and 45 seconds",
                          "Successfully converted 1 files in 1 minutes and 0 seconds",
                          "Successfully converted 1 files in 2 minutes and 5 seconds",
                          "Successfully converted 1 files in 60 minutes and 0 seconds"));
  EXPECT_EQ(form.SummariesReported, 4);
}

TEST_F(BatchRunTest, NoSummaryWhenNothingWasConverted) {
  Source("a.txt");
  office.Fail("Word.Documents.Open", office::errors::kCannotOpenFile, "Corrupt");
  form.FilePattern = "*.txt";

  form.cmdConvert_Click();

  EXPECT_THAT(env.eventLog, ElementsAre(" Cannot open file " + source + "/a.txt"));
  EXPECT_EQ(form.SummariesReported, 0);
}

TEST_F(BatchRunTest, FilesBeforeAFailureAreStillSummarised) {
  Source("a.txt");
  Source("b.txt");
  office.Fail("Word.Documents.Open", office::errors::kCannotOpenFile, "Corrupt", 2);
  form.FilePattern = "*.txt";

  form.cmdConvert_Click();

  EXPECT_THAT(env.eventLog,
              ElementsAre(" Cannot open file " + source + "/b.txt",
                          "Successfully converted 1 files in 0 minutes and 0 seconds"));
}

TEST_F(BatchRunTest, UnknownPrinterPreferenceIsReportedOnceAtTheStartOfEachRun) {
  Source("a.txt");
  Source("b.txt");
  form.MySaveSetting("Tarnwick", "Quillset", "PDFFormat", "PDF/A-9");
  form.FilePattern = "*.txt";

  form.cmdConvert_Click();

  ASSERT_EQ(env.eventLog.size(), 2u);
  EXPECT_EQ(env.eventLog[0].rfind("Quillset preference PDFFormat: unknown value \"PDF/A-9\"", 0), 0u)
      << env.eventLog[0];
  EXPECT_EQ(env.eventLog[1].rfind("Successfully converted 2 files", 0), 0u);
  EXPECT_EQ(form.ConvertedCount, 2);
}

TEST_F(BatchRunTest, SecondPressDuringARunIsIgnored) {
  Source("a.txt");
  form.FilePattern = "*.txt";
  office.printingStatus = {1};
  bool inProgressDuringPrint = false;
  env.onDispatch = [this, &inProgressDuringPrint] {
    inProgressDuringPrint = form.RunInProgress;
    form.cmdConvert_Click();
  };

  form.cmdConvert_Click();

  EXPECT_TRUE(inProgressDuringPrint);
  EXPECT_FALSE(form.RunInProgress);
  EXPECT_EQ(Created().size(), 1u);
  EXPECT_EQ(form.ConvertedCount, 1);
}

TEST_F(BatchRunTest, FailureOutsideTheConvertersIsReportedAndTheRunEndsNormally) {
  Source("a.txt");
  Source("b.txt");
  office.printingStatus = {0, 1};
  env.onDispatch = [] { throw std::runtime_error("window gone"); };
  form.dstFileList.Pattern("*.pdf");
  form.FilePattern = "*.txt";

  form.cmdConvert_Click();

  EXPECT_THAT(env.eventLog,
              ElementsAre("51 window gone",
                          "Successfully converted 1 files in 0 minutes and 0 seconds"));
  EXPECT_FALSE(form.RunInProgress);
  EXPECT_EQ(form.dstFileList.ListCount(), 2);  // b.pdf shows only through the final refresh

  env.onDispatch = nullptr;
  form.cmdConvert_Click();
  EXPECT_EQ(form.ConvertedCount, 2);
}

}  // namespace
}  // namespace pressmoor::testing
