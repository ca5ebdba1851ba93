#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "convert/NamedOutputConversion.h"
#include "convert/TextCase.h"
#include "convert/TodaysFormats.h"
#include "driver/Quillset.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

namespace {

const office::ExcelCloseArgs kDiscardChanges{
    .SaveChanges = false, .Filename = std::nullopt, .RouteWorkbook = false};

// The spreadsheet of one run and the workbook in hand.
class RunExcel : public convert::NamedOutputOffice {
 public:
  explicit RunExcel(frmPressmoorMain& window) : window_(window) {}

  void Start(std::vector<std::string> expected) override {
    excel_.reset();
    window_.Env().Office().ExpectDocuments(std::move(expected));
    excel_ = std::dynamic_pointer_cast<office::ExcelApplication>(
        window_.Env().Office().CreateObject("Excel.Application"));
    if (!excel_) {
      throw office::AutomationError(office::errors::kCannotStart, "Excel.Application",
                                    "The object is not a spreadsheet");
    }
  }

  void Open(const std::string& sourcePath) override {
    excel_->Visible(false);
    workbook_ = excel_->Workbooks()->Open(
        {.Filename = sourcePath, .UpdateLinks = std::nullopt, .ReadOnly = true});
  }

  void PrintOnQuillset() override {
    workbook_->PrintOut({.From = std::nullopt,
                         .To = std::nullopt,
                         .Copies = std::nullopt,
                         .Preview = std::nullopt,
                         .ActivePrinter = driver::kPrinterName});
  }

  bool Started() const override { return excel_ != nullptr; }
  bool HoldsDocument() const override { return workbook_ != nullptr; }
  void CloseDocument() override { std::exchange(workbook_, nullptr)->Close(kDiscardChanges); }
  void DropDocument() override { workbook_.reset(); }
  void Quit() override { excel_->Quit(); }

 private:
  frmPressmoorMain& window_;
  std::shared_ptr<office::ExcelApplication> excel_;
  std::shared_ptr<office::ExcelWorkbook> workbook_;
};

}  // namespace

void frmPressmoorMain::ConvertWithExcel() {
  RunExcel excel(*this);
  convert::ConvertWithNamedOutput(*this, excel, &frmPressmoorMain::IsExcelFile);
}

bool frmPressmoorMain::IsExcelFile(const std::string& name) {
  if (TodaysFormats && convert::TodaysKindOf(name) == convert::TodaysKind::Spreadsheet) return true;
  return convert::AsciiLower(convert::LastThree(name)) == "xls";
}

}  // namespace pressmoor::ui
