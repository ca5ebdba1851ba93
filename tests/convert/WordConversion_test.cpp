#include <filesystem>

#include "ConversionFixture.h"

namespace pressmoor::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class WordConversionTest : public ConversionTest {};

TEST_F(WordConversionTest, OneFileGoesThroughTheOfficeInTheFixedOrder) {
  const std::string path = Source("a.txt");
  office.printingStatus = {1};
  ListSource("*.txt");

  form.ConvertWithWord();

  EXPECT_THAT(office.Calls(),
              ElementsAre("CreateObject(Word.Application)", "Word.ActivePrinter",
                          "Word.ActivePrinter=Quillset", "Word.Documents.Open(FileName=" + path + ")",
                          "Word.Options.PrintBackground=true", "Word.ActiveDocument.PageSetup",
                          "Word.ActiveDocument.PageSetup.LeftMargin=72",
                          "Word.ActiveDocument.PageSetup.RightMargin=72",
                          "Word.ActiveDocument.PageSetup.TopMargin=72",
                          "Word.ActiveDocument.PageSetup.BottomMargin=72",
                          "Word.ActiveDocument.PageSetup.Orientation=0", "Word.Visible=false",
                          "Word.ActiveDocument.PrintOut(OutputFileName=" + Output("a.pdf") +
                              ", PrintToFile=true)",
                          "Word.BackgroundPrintingStatus", "Word.BackgroundPrintingStatus",
                          "Word.Documents.Close(SaveChanges=false)",
                          "Word.ActivePrinter=Office Printer", "Word.Quit"));
  EXPECT_EQ(form.ConvertedCount, 1);
  EXPECT_TRUE(std::filesystem::exists(Output("a.pdf")));
  EXPECT_THAT(env.eventLog, IsEmpty());
}

TEST_F(WordConversionTest, PrintWaitDispatchesEventsAndSleepsUntilThePrinterIsDone) {
  Source("a.rtf");
  office.printingStatus = {3, 2, 1, 0, 5};
  ListSource("*.rtf");

  form.ConvertWithWord();

  EXPECT_EQ(env.dispatches, 3);
  EXPECT_THAT(env.sleeps, ElementsAre(100, 100, 100));
  EXPECT_EQ(office.CallsTo("Word.BackgroundPrintingStatus").size(), 4u);
}

TEST_F(WordConversionTest, DestinationListIsRefreshedAfterEveryFile) {
  Source("a.txt");
  Source("b.txt");
  office.printingStatus = {0, 1};  // only the second print makes the converter wait
  form.dstFileList.Pattern("*.pdf");
  form.dstFileList.Path(destination);
  int listedDuringSecondPrint = -1;
  env.onDispatch = [&] { listedDuringSecondPrint = form.dstFileList.ListCount(); };
  ListSource("*.txt");

  form.ConvertWithWord();

  EXPECT_EQ(listedDuringSecondPrint, 1);
  EXPECT_EQ(form.dstFileList.ListCount(), 2);
}

TEST_F(WordConversionTest, OutputPathCutsAtTheLastDotAndSkipsOtherTypesSilently) {
  Source("Report.final.rtf");
  Source("page.html");
  Source("letter.docx");
  Source("sheet.xls");
  Source("scan.pdf");
  ListSource("*.*");

  form.ConvertWithWord();

  EXPECT_THAT(office.CallsTo("Word.ActiveDocument.PrintOut"),
              ElementsAre("Word.ActiveDocument.PrintOut(OutputFileName=" + Output("page.pdf") +
                              ", PrintToFile=true)",
                          "Word.ActiveDocument.PrintOut(OutputFileName=" +
                              Output("Report.final.pdf") + ", PrintToFile=true)"));
  EXPECT_EQ(form.ConvertedCount, 2);
  EXPECT_THAT(env.eventLog, IsEmpty());
}

TEST_F(WordConversionTest, MarginFieldsAreReadAsNumbersAndGoToTheirOwnSides) {
  Source("a.txt");
  form.txtLMargin.Text("0.5");
  form.txtRmargin.Text("1.25in");
  form.txtTMargin.Text("1 5");
  form.txtBMargin.Text("x");
  ListSource("*.txt");

  form.ConvertWithWord();

  EXPECT_THAT(office.CallsTo("Word.ActiveDocument.PageSetup.LeftMargin"),
              ElementsAre("Word.ActiveDocument.PageSetup.LeftMargin=36"));
  EXPECT_THAT(office.CallsTo("Word.ActiveDocument.PageSetup.RightMargin"),
              ElementsAre("Word.ActiveDocument.PageSetup.RightMargin=90"));
  EXPECT_THAT(office.CallsTo("Word.ActiveDocument.PageSetup.TopMargin"),
              ElementsAre("Word.ActiveDocument.PageSetup.TopMargin=1080"));
  EXPECT_THAT(office.CallsTo("Word.ActiveDocument.PageSetup.BottomMargin"),
              ElementsAre("Word.ActiveDocument.PageSetup.BottomMargin=0"));
}

TEST_F(WordConversionTest, LandscapeOnlyWhenAskedForInCapitals) {
  Source("a.txt");
  ListSource("*.txt");
  form.Orientation = "LANDSCAPE";
  form.ConvertWithWord();
  form.Orientation = "landscape";
  form.ConvertWithWord();
  form.Orientation = "";
  form.ConvertWithWord();

  EXPECT_THAT(office.CallsTo("Word.ActiveDocument.PageSetup.Orientation"),
              ElementsAre("Word.ActiveDocument.PageSetup.Orientation=1",
                          "Word.ActiveDocument.PageSetup.Orientation=0",
                          "Word.ActiveDocument.PageSetup.Orientation=0"));
}

TEST_F(WordConversionTest, DocFilesKeepTheirOwnPageSetUp) {
  Source("Letter.doc");
  Source("notes.txt");
  ListSource("*.*");

  form.ConvertWithWord();

  EXPECT_EQ(office.CallsTo("Word.ActiveDocument.PageSetup").size(), 1u);
  EXPECT_EQ(office.CallsTo("Word.ActiveDocument.PageSetup.Orientation").size(), 1u);
  EXPECT_EQ(form.ConvertedCount, 2);
}

TEST_F(WordConversionTest, DocInTheDirectoryNameSkipsThePageSetUpForEveryFile) {
  const std::string work = dirs.MakeDirectory("Work.docs");
  dirs.WriteFile("Work.docs/notes.txt", "text");
  form.SrcFolder.Path(work);
  form.srcFileList.Pattern("*.txt");
  form.srcFileList.Path(work);

  form.ConvertWithWord();

  EXPECT_THAT(office.CallsTo("Word.ActiveDocument.PageSetup"), IsEmpty());
  EXPECT_THAT(office.CallsTo("Word.Documents.Open"),
              ElementsAre("Word.Documents.Open(FileName=" + work + "/notes.txt)"));
  EXPECT_EQ(form.ConvertedCount, 1);
}

TEST_F(WordConversionTest, RejectedMarginDoesNotStopTheRestOfThePageOrThePrint) {
  Source("a.txt");
  office.Fail("Word.ActiveDocument.PageSetup.LeftMargin", office::errors::kBadPageSetup, "No");
  office.Fail("Word.ActiveDocument.PageSetup.Orientation", office::errors::kBadPageSetup, "No");
  ListSource("*.txt");

  form.ConvertWithWord();

  EXPECT_EQ(office.CallsTo("Word.ActiveDocument.PageSetup.BottomMargin").size(), 1u);
  EXPECT_EQ(office.CallsTo("Word.ActiveDocument.PrintOut").size(), 1u);
  EXPECT_EQ(form.ConvertedCount, 1);
  EXPECT_THAT(env.eventLog, IsEmpty());
}

TEST_F(WordConversionTest, PageSetUpThatCannotBeReadEndsTheRun) {
  Source("a.txt");
  office.Fail("Word.ActiveDocument.PageSetup", 4605, "No page set-up");
  ListSource("*.txt");

  form.ConvertWithWord();

  EXPECT_THAT(env.eventLog, ElementsAre("4605 Word No page set-up"));
  EXPECT_THAT(office.CallsTo("Word.ActiveDocument.PrintOut"), IsEmpty());
  EXPECT_EQ(office.CallsTo("Word.Quit").size(), 1u);
  EXPECT_EQ(form.ConvertedCount, 0);
}

// A read-only file fails the exclusive open the same way.
TEST_F(WordConversionTest, LockedFileIsReportedAndSkipped) {
  Source("a.txt");
  const std::string locked = Source("b.txt");
  Source("c.txt");
  env.files.lockedFiles.insert(locked);
  ListSource("*.txt");

  form.ConvertWithWord();

  EXPECT_THAT(env.eventLog,
              ElementsAre("File " + locked + " is already open, cannot convert to PDF format"));
  EXPECT_EQ(office.CallsTo("Word.Documents.Open").size(), 2u);
  EXPECT_EQ(form.ConvertedCount, 2);
  EXPECT_FALSE(std::filesystem::exists(Output("b.pdf")));
}

TEST_F(WordConversionTest, FileThatCannotBeOpenedEndsTheRunAndWordQuits) {
  Source("a.txt");
  const std::string broken = Source("b.txt");
  Source("c.txt");
  office.Fail("Word.Documents.Open", office::errors::kCannotOpenFile, "Corrupt", 0, "b.txt");
  ListSource("*.txt");

  form.ConvertWithWord();

  EXPECT_THAT(env.eventLog, ElementsAre(" Cannot open file " + broken));
  EXPECT_EQ(form.ConvertedCount, 1);
  EXPECT_TRUE(std::filesystem::exists(Output("a.pdf")));
  EXPECT_EQ(office.CallsTo("Word.Documents.Open").size(), 2u);  // c.txt is never looked at
  EXPECT_EQ(office.Calls().back(), "Word.Quit");
  EXPECT_THAT(office.CallsTo("Word.ActivePrinter"),
              ElementsAre("Word.ActivePrinter", "Word.ActivePrinter=Quillset"));
}

TEST_F(WordConversionTest, FailuresAreToldApartByNumber) {
  Source("a.txt");
  ListSource("*.txt");
  office.Fail("Word.ActiveDocument.PrintOut", office::errors::kPrintFailed, "Export", 1);
  office.Fail("Word.ActiveDocument.PrintOut", 4198, "Command failed", 2).source = "Writer";
  office.Fail("Word.Documents.Close", -2147023174, "The server is unavailable", 1);

  form.ConvertWithWord();
  form.ConvertWithWord();
  form.ConvertWithWord();

  EXPECT_THAT(env.eventLog, ElementsAre(" Error printing to Quillset", "4198 Writer Command failed",
                                        "-2147023174 Word The server is unavailable"));
  EXPECT_EQ(form.ConvertedCount, 0);
}

TEST_F(WordConversionTest, WordThatCannotStartLeavesNothingToQuit) {
  Source("a.txt");
  ListSource("*.txt");
  office.Fail("CreateObject", office::errors::kCannotStart, "No office", 1);
  office.Fail("CreateObject", office::errors::kUnknownClass, "No such class", 2).source =
      "Word.Application";

  form.ConvertWithWord();
  form.ConvertWithWord();

  EXPECT_THAT(env.eventLog, ElementsAre(" Cannot open application for conversion",
                                        "429 Word.Application No such class"));
  EXPECT_THAT(office.Calls(),
              ElementsAre("CreateObject(Word.Application)", "CreateObject(Word.Application)"));
}

TEST_F(WordConversionTest, QuitFailingOnTheFailurePathGivesNoSecondMessage) {
  const std::string path = Source("a.txt");
  ListSource("*.txt");
  office.Fail("Word.Documents.Open", office::errors::kOfficeDied, "The office ended");
  office.Fail("Word.Quit", office::errors::kOfficeDied, "The office ended");

  form.ConvertWithWord();

  EXPECT_THAT(env.eventLog, ElementsAre("1001 Word The office ended File: " + path));
}

TEST_F(WordConversionTest, EmptyListStillSwitchesThePrinterAndQuits) {
  ListSource("*.txt");

  form.ConvertWithWord();

  EXPECT_THAT(office.Calls(),
              ElementsAre("CreateObject(Word.Application)", "Word.ActivePrinter",
                          "Word.ActivePrinter=Quillset", "Word.ActivePrinter=Office Printer",
                          "Word.Quit"));
  EXPECT_EQ(form.ConvertedCount, 0);
}

TEST_F(WordConversionTest, CountGoesBeyondSixteenBits) {
  Source("a.txt");
  Source("b.txt");
  ListSource("*.txt");
  form.ConvertedCount = 32766;

  form.ConvertWithWord();

  EXPECT_EQ(form.ConvertedCount, 32768);
  EXPECT_THAT(env.eventLog, IsEmpty());
  EXPECT_EQ(office.Calls().back(), "Word.Quit");
}

}  // namespace
}  // namespace pressmoor::testing
