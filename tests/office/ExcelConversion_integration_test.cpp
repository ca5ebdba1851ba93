// Workbooks through "Excel.Application": the PDF goes where the driver's
// "PDFFileName" setting says when the job reaches it.
#include <gtest/gtest.h>

#include "OfficeTestbed.h"

namespace pressmoor::testing {
namespace {

const office::ExcelPrintOutArgs kOnQuillset{std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                                            std::string(driver::kPrinterName)};

class ExcelConversion : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    bed_ = std::make_unique<OfficeTestbed>();
    excel_ = bed_->Excel();
  }
  static void TearDownTestSuite() {
    excel_->Quit();
    excel_.reset();
    bed_.reset();
  }

  void PrintWorkbook(const std::string& source) {
    excel_->Visible(false);
    auto workbook = excel_->Workbooks()->Open({source, std::nullopt, true});
    workbook->PrintOut(kOnQuillset);
    workbook->Close({false, std::nullopt, false});
  }

  static inline std::unique_ptr<OfficeTestbed> bed_;
  static inline std::shared_ptr<office::ExcelApplication> excel_;
  TempDir output_;
};

TEST_F(ExcelConversion, WorkbookPrintsToTheMachineWideOutputName) {
  const std::string pdf = output_.Sub("sheet.pdf");
  bed_->SetUserOutputName(output_.Sub("elsewhere.pdf"));
  bed_->SetMachineOutputName(pdf);
  PrintWorkbook(Fixtures::Get().Path("sheet.xls"));
  EXPECT_NE(PdfText(pdf).find(kSampleWords), std::string::npos) << PdfText(pdf);
  EXPECT_FALSE(std::filesystem::exists(output_.Sub("elsewhere.pdf")));
}

TEST_F(ExcelConversion, EmptyMachineValueFallsBackToThePerUserName) {
  const std::string pdf = output_.Sub("user.pdf");
  bed_->SetMachineOutputName("");
  bed_->SetUserOutputName(pdf);
  PrintWorkbook(Fixtures::Get().Path("sheet.xls"));
  EXPECT_NE(PdfText(pdf).find(kSampleWords), std::string::npos);
}

TEST_F(ExcelConversion, PrintFailuresCarryTheirNumbers) {
  auto workbook =
      excel_->Workbooks()->Open({Fixtures::Get().Path("sheet.xls"), std::nullopt, true});
  bed_->SetMachineOutputName("");
  bed_->SetUserOutputName("");
  EXPECT_EQ(CaughtError([&] { workbook->PrintOut(kOnQuillset); }).Number(),
            office::errors::kPrintFailed);
  bed_->SetMachineOutputName(output_.Sub("x.pdf"));
  bed_->UninstallDriver();
  EXPECT_EQ(CaughtError([&] { workbook->PrintOut(kOnQuillset); }).Number(),
            office::errors::kPrintFailed);
  bed_->InstallDriver();
  EXPECT_EQ(CaughtError([&] {
              workbook->PrintOut({std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                                  std::string("Nowhere")});
            }).Number(),
            office::errors::kPrintFailed);
  workbook->Close({false, std::nullopt, false});
  EXPECT_EQ(CaughtError([&] { workbook->PrintOut(kOnQuillset); }).Number(),
            office::errors::kNoDocument);
  EXPECT_FALSE(std::filesystem::exists(output_.Sub("x.pdf")));
}

}  // namespace
}  // namespace pressmoor::testing
