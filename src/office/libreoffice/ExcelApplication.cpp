#include "ExcelApplication.h"

#include "DocumentLoading.h"
#include "OfficeSession.h"
#include "PdfPrinting.h"
#include "ReadAhead.h"
#include "SpareOffice.h"
#include "driver/Quillset.h"
#include "quillset/PdfJob.h"

namespace pressmoor::office::libreoffice {
namespace {

constexpr const char* kSource = "Excel.Application";

// What the application object and its workbooks share; the office lives as
// long as any of them.
struct ExcelState {
  ExcelState(std::shared_ptr<OfficeSession> officeSession, platform::Registry& settings,
             std::shared_ptr<SpareOffice> spareOffice, std::vector<std::string> expected)
      : session(std::move(officeSession)),
        registry(settings),
        readAhead(session, std::move(expected), LoadWorkbook),
        spare(std::move(spareOffice)) {}

  static css::uno::Reference<css::lang::XComponent> LoadWorkbook(OfficeSession& office,
                                                                 const std::string& path) {
    return LoadDocument(office, path, DocumentKind::Spreadsheet);
  }

  std::shared_ptr<OfficeSession> session;
  platform::Registry& registry;
  ReadAhead readAhead;
  std::optional<SystemPrinters> printers;  // asked for when first needed
  // Workbooks come before documents in a batch, so the next application's
  // office starts while they are printed; it ends with us unless Quit hands
  // it on.
  std::shared_ptr<SpareOffice> spare;
  std::unique_ptr<OfficeProcess> nextOffice;
  bool nextOfficeLaunched = false;

  void LaunchNextOffice() {
    if (!spare || nextOfficeLaunched) return;
    nextOfficeLaunched = true;
    nextOffice = LaunchSpareOffice();
  }

  void Quit() {
    readAhead.End();
    if (spare && nextOffice) spare->Put(std::move(nextOffice));
  }

  const SystemPrinters& Printers() {
    if (!printers) printers = QuerySystemPrinters(*session);
    return *printers;
  }
};

class WorkbookObject : public ExcelWorkbook {
 public:
  WorkbookObject(std::shared_ptr<ExcelState> state, LoadedDocument workbook)
      : state_(std::move(state)),
        session_(std::move(workbook.session)),
        component_(std::move(workbook.component)) {}

  void PrintOut(const ExcelPrintOutArgs& args) override {
    OfficeSession& session = *session_;
    CheckOpen();
    const std::string printer = args.ActivePrinter ? *args.ActivePrinter
                                                   : state_->Printers().defaultName;
    if (printer.empty()) session.Fail(errors::kPrintFailed, "No printer is selected.");
    if (!PrinterInstalled(printer, state_->registry, state_->Printers())) {
      session.Fail(errors::kPrintFailed,
                   "The printer \"" + printer + "\" is not installed." +
                       (printer == driver::kPrinterName ? " Install the Quillset driver." : ""));
    }
    if (printer != driver::kPrinterName) {
      PrintOnPrinter(session, component_, printer, "");
      return;
    }
    // The driver takes the name from the settings when the job reaches it.
    const std::string target = quillset::OutputNameSetting(state_->registry);
    if (target.empty()) {
      session.Fail(errors::kPrintFailed,
                   "Quillset has no output file name: the PDFFileName setting is empty.");
    }
    PrintToPdf(session, component_, "calc_pdf_Export", target, PageRange{args.From, args.To});
  }

  void Close(const ExcelCloseArgs&) override {
    CheckOpen();
    open_ = false;
    session_->Run(errors::kCannotOpenFile, "The workbook could not be closed",
                  [&]() { CloseDocument(component_); });
  }

 private:
  void CheckOpen() {
    state_->session->CheckUsable();
    session_->CheckUsable();
    if (!open_) state_->session->Fail(errors::kNoDocument, "The workbook has been closed.");
  }

  std::shared_ptr<ExcelState> state_;
  std::shared_ptr<OfficeSession> session_;  // the office holding this workbook
  css::uno::Reference<css::lang::XComponent> component_;
  bool open_ = true;
};

class WorkbooksObject : public ExcelWorkbooks {
 public:
  explicit WorkbooksObject(std::shared_ptr<ExcelState> state) : state_(std::move(state)) {}

  std::shared_ptr<ExcelWorkbook> Open(const ExcelOpenArgs& args) override {
    state_->LaunchNextOffice();
    // Always read-only and without link updates, whatever was asked.
    return std::make_shared<WorkbookObject>(
        state_, state_->readAhead.Open(args.Filename.value_or(std::string())));
  }

 private:
  std::shared_ptr<ExcelState> state_;
};

class ApplicationObject : public ExcelApplication {
 public:
  explicit ApplicationObject(std::shared_ptr<ExcelState> state) : state_(std::move(state)) {}

  void Visible(bool) override { state_->session->CheckUsable(); }
  std::shared_ptr<ExcelWorkbooks> Workbooks() override {
    state_->session->CheckUsable();
    return std::make_shared<WorkbooksObject>(state_);
  }
  void Quit() override { state_->Quit(); }

 private:
  std::shared_ptr<ExcelState> state_;
};

}  // namespace

std::shared_ptr<ExcelApplication> StartExcelApplication(platform::Registry& registry,
                                                        std::shared_ptr<SpareOffice> spare,
                                                        std::vector<std::string> expected) {
  auto state = std::make_shared<ExcelState>(std::make_shared<OfficeSession>(kSource), registry,
                                            std::move(spare), std::move(expected));
  return std::make_shared<ApplicationObject>(std::move(state));
}

}  // namespace pressmoor::office::libreoffice
