// Documents with comments, form fields and charts through the converters'
// print sequences. Comments get windows of their own once a document has a
// view, and an office that lacks what those windows are built from dies.
#include <gtest/gtest.h>

#include "OfficeTestbed.h"

namespace pressmoor::testing {
namespace {

// True when `bytes` hold the ASCII `text` in single bytes or in UTF-16LE,
// as Word and Excel files store it.
bool Holds(const std::string& bytes, const std::string& text) {
  std::string wide;
  for (const char c : text) wide += std::string{c, '\0'};
  return bytes.find(text) != std::string::npos || bytes.find(wide) != std::string::npos;
}

struct Case {
  std::string source;
  std::string held;                  // in the source file's bytes
  std::vector<std::string> printed;  // in the PDF's text
};

class Comments : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    bed_ = std::make_unique<OfficeTestbed>();
    word_ = bed_->Word();
    excel_ = bed_->Excel();
  }
  static void TearDownTestSuite() {
    word_->Quit();
    excel_->Quit();
    word_.reset();
    excel_.reset();
    bed_.reset();
  }

  // Prints `source` the way its converter does; returns the PDF's text.
  std::string PrintedText(const std::string& source) {
    const std::string pdf = output_.Sub(std::filesystem::path(source).filename().string() + ".pdf");
    if (source.ends_with(".xls")) {
      bed_->SetMachineOutputName(pdf);
      excel_->Visible(false);
      auto workbook = excel_->Workbooks()->Open({source, std::nullopt, true});
      workbook->PrintOut({std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                          std::string(driver::kPrinterName)});
      workbook->Close({false, std::nullopt, false});
    } else {
      word_->ActivePrinter(driver::kPrinterName);
      word_->Documents()->Open({source});
      word_->Visible(false);
      word_->ActiveDocument()->PrintOut({pdf, true});
      while (word_->BackgroundPrintingStatus() > 0) {
      }
      word_->Documents()->Close({false});
    }
    return PdfText(pdf);
  }

  void ExpectPrinted(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.source);
      EXPECT_TRUE(Holds(ReadBytes(c.source), c.held)) << "the source lacks " << c.held;
      std::string text;
      EXPECT_NO_THROW(text = PrintedText(c.source));  // names the file that stopped the office
      for (const std::string& words : c.printed) {
        EXPECT_NE(text.find(words), std::string::npos) << words << " not in " << text;
      }
    }
  }

  static inline std::unique_ptr<OfficeTestbed> bed_;
  static inline std::shared_ptr<office::WordApplication> word_;
  static inline std::shared_ptr<office::ExcelApplication> excel_;
  TempDir input_;
  TempDir output_;
};

TEST_F(Comments, DocumentsWithCommentsPrintTheirText) {
  const std::string remark = "<!-- " + kRemark + " -->";
  ExpectPrinted({
      // This office drops HTML comments on reading; one that keeps them as notes is covered.
      {input_.WriteFile("remarks.htm", "<html><head>" + remark +
                                           "<title>Remarks</title></head><body>" + remark +
                                           "<p>Remarked page " + remark + "text</p></body></html>"),
       kRemark,
       {"Remarked page text"}},
      {Fixtures::Get().Path("remark.doc"), kRemark, {"Remarked letter stays."}},
      {input_.WriteFile("remark.rtf",
                        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0 Remarked rich "
                        "text{\\*\\atnid AN}{\\*\\annotation {\\*\\atndate 0}" +
                            kRemark + "} stays.\\par}"),
       kRemark,
       {"Remarked rich text stays."}},
      // The note is shown on the sheet, so it prints: the workbook read holds it.
      {Fixtures::Get().Path("remark.xls"), kRemark, {"Remarked cell", kRemark}},
  });
}

TEST_F(Comments, FormFieldsAndChartsPrint) {
  ExpectPrinted({
      {Fixtures::Get().Path("form.doc"), "FORMTEXT", {"Form typed value"}},
      {Fixtures::Get().Path("chart.xls"), "Chart heading", {"Chart heading"}},
  });
}

}  // namespace
}  // namespace pressmoor::testing
