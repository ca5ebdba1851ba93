#include "ExcelApplication.h"

#include "NamedOutputApplication.h"
#include "SpareOffice.h"

namespace pressmoor::office::libreoffice {
namespace {

const NamedOutputKind kExcel{"Excel.Application", "calc_pdf_Export", DocumentKind::Spreadsheet,
                             "workbook"};

class WorkbookObject : public ExcelWorkbook {
 public:
  explicit WorkbookObject(std::shared_ptr<NamedOutputDocument> document)
      : document_(std::move(document)) {}

  void PrintOut(const ExcelPrintOutArgs& args) override {
    document_->PrintOut(PageRange{args.From, args.To}, args.ActivePrinter);
  }
  void Close(const ExcelCloseArgs&) override { document_->Close(); }

 private:
  std::shared_ptr<NamedOutputDocument> document_;
};

class WorkbooksObject : public ExcelWorkbooks {
 public:
  explicit WorkbooksObject(std::shared_ptr<NamedOutputApplication> application)
      : application_(std::move(application)) {}

  // Always read-only and without link updates, whatever was asked.
  std::shared_ptr<ExcelWorkbook> Open(const ExcelOpenArgs& args) override {
    return std::make_shared<WorkbookObject>(application_->Open(args.Filename.value_or(std::string())));
  }

 private:
  std::shared_ptr<NamedOutputApplication> application_;
};

class ApplicationObject : public ExcelApplication {
 public:
  explicit ApplicationObject(std::shared_ptr<NamedOutputApplication> application)
      : application_(std::move(application)) {}

  void Visible(bool) override { application_->CheckUsable(); }
  std::shared_ptr<ExcelWorkbooks> Workbooks() override {
    application_->CheckUsable();
    return std::make_shared<WorkbooksObject>(application_);
  }
  void Quit() override { application_->Quit(); }

 private:
  std::shared_ptr<NamedOutputApplication> application_;
};

}  // namespace

std::shared_ptr<ExcelApplication> StartExcelApplication(platform::Registry& registry,
                                                        const OfficeReach& reach,
                                                        std::shared_ptr<SpareOffice> spare,
                                                        std::vector<std::string> expected,
                                                        std::size_t offices,
                                                        std::shared_ptr<LaterPrints> later) {
  return std::make_shared<ApplicationObject>(std::make_shared<NamedOutputApplication>(
      kExcel, registry, reach, std::move(spare), std::move(expected), offices, std::move(later)));
}

}  // namespace pressmoor::office::libreoffice
