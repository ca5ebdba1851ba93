#include <filesystem>

#include "ConversionFixture.h"

namespace pressmoor::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ExcelConversionTest : public ConversionTest {
 protected:
  // Where the driver looks for the output name: machine-wide first, then per-user.
  std::string PdfFileName() { return office.PdfFileNameSetting(); }
};

TEST_F(ExcelConversionTest, OneWorkbookGoesThroughTheOfficeInTheFixedOrder) {
  const std::string path = Source("a.xls");
  ListSource("*.xls");

  form.ConvertWithExcel();

  EXPECT_THAT(office.Calls(),
              ElementsAre("CreateObject(Excel.Application)", "Excel.Visible=false",
                          "Excel.Workbooks.Open(" + path + ", , true)",
                          "Excel.Workbook.PrintOut(, , , , Quillset)",
                          "Excel.Workbook.Close(false, , false)", "Excel.Quit"));
  EXPECT_EQ(form.ConvertedCount, 1);
  EXPECT_TRUE(std::filesystem::exists(Output("a.pdf")));
  EXPECT_THAT(env.eventLog, IsEmpty());
}

TEST_F(ExcelConversionTest, OutputNameIsStoredBeforeEveryPrintAndKeepsTheLast) {
  Source("a.xls");
  Source("b.xls");
  Source("c.2009.xls");
  ListSource("*.xls");

  form.ConvertWithExcel();

  EXPECT_THAT(office.PdfsWritten(),
              ElementsAre(Output("a.pdf"), Output("b.pdf"), Output("c.2009.pdf")));
  EXPECT_EQ(PdfFileName(), Output("c.2009.pdf"));
  EXPECT_EQ(form.ConvertedCount, 3);
}

TEST_F(ExcelConversionTest, WorkbooksAreRecognisedByTheirLastThreeLettersInAnyCase) {
  Source("DATA.XLS");
  Source("new.xlsx");
  Source("notes.txt");
  ListSource("*.*");

  form.ConvertWithExcel();

  EXPECT_THAT(office.CallsTo("Excel.Workbooks.Open"),
              ElementsAre("Excel.Workbooks.Open(" + source + "/DATA.XLS, , true)"));
  EXPECT_EQ(form.ConvertedCount, 1);
}

TEST_F(ExcelConversionTest, NoWorkbookStillStartsAndQuitsExcel) {
  ListSource("*.xls");

  form.ConvertWithExcel();

  EXPECT_THAT(office.Calls(), ElementsAre("CreateObject(Excel.Application)", "Excel.Quit"));
  EXPECT_EQ(form.ConvertedCount, 0);
}

TEST_F(ExcelConversionTest, WorkbookInUseElsewhereIsConvertedAnyway) {
  const std::string path = Source("a.xls");
  env.files.lockedFiles.insert(path);
  ListSource("*.xls");

  form.ConvertWithExcel();

  EXPECT_EQ(form.ConvertedCount, 1);
  EXPECT_THAT(env.eventLog, IsEmpty());
}

TEST_F(ExcelConversionTest, FailureInTheMiddleEndsTheRunWithoutQuit) {
  Source("a.xls");
  const std::string broken = Source("b.xls");
  Source("c.xls");
  office.Fail("Excel.Workbooks.Open", office::errors::kCannotOpenFile, "Corrupt", 0, "b.xls");
  ListSource("*.xls");

  form.ConvertWithExcel();

  EXPECT_THAT(env.eventLog, ElementsAre(" Cannot open file " + broken));
  EXPECT_EQ(form.ConvertedCount, 1);
  EXPECT_EQ(office.CallsTo("Excel.Workbooks.Open").size(), 2u);
  EXPECT_THAT(office.CallsTo("Excel.Quit"), IsEmpty());
  EXPECT_EQ(office.CallsTo("Excel.Workbook.Close").size(), 1u);
  EXPECT_EQ(PdfFileName(), Output("b.pdf"));  // stored before the open failed
}

TEST_F(ExcelConversionTest, GenericMessageHasNoSourceText) {
  Source("a.xls");
  ListSource("*.xls");
  office.Fail("Excel.Workbook.PrintOut", 1004, "PrintOut failed", 1).source = "Calc";
  office.Fail("Excel.Workbook.PrintOut", office::errors::kPrintFailed, "Export", 2);
  office.Fail("CreateObject", office::errors::kCannotStart, "No office", 3);

  form.ConvertWithExcel();
  form.ConvertWithExcel();
  form.ConvertWithExcel();

  EXPECT_THAT(env.eventLog, ElementsAre("1004 PrintOut failed", " Error printing to Quillset",
                                        " Cannot open application for conversion"));
  EXPECT_EQ(form.ConvertedCount, 0);
}

TEST_F(ExcelConversionTest, CountGoesBeyondSixteenBits) {
  Source("a.xls");
  ListSource("*.xls");
  form.ConvertedCount = 32767;

  form.ConvertWithExcel();

  EXPECT_EQ(form.ConvertedCount, 32768);
  EXPECT_THAT(env.eventLog, IsEmpty());
  EXPECT_THAT(office.CallsTo("Excel.Quit"), ElementsAre("Excel.Quit"));
}

}  // namespace
}  // namespace pressmoor::testing
