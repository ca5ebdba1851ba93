#include "ExcelApplication.h"

#include <algorithm>
#include <optional>

#include "DocumentLoading.h"
#include "OfficeSession.h"
#include "PdfPrinting.h"
#include "PrintingAhead.h"
#include "ReadAhead.h"
#include "SpareOffice.h"
#include "driver/Quillset.h"
#include "quillset/PdfJob.h"
#include "quillset/Preferences.h"

namespace pressmoor::office::libreoffice {
namespace {

constexpr const char* kSource = "Excel.Application";
constexpr const char* kPdfFilter = "calc_pdf_Export";

// What the application object and its workbooks share; the office lives as
// long as any of them.
struct ExcelState {
  ExcelState(std::shared_ptr<OfficeSession> officeSession, platform::Registry& settings,
             std::shared_ptr<SpareOffice> spareOffice, std::vector<std::string> expected,
             std::vector<std::unique_ptr<OfficeProcess>> spareOffices, std::size_t offices)
      : session(std::move(officeSession)),
        registry(settings),
        recipes(std::make_shared<PrintRecipes>()),
        readAhead(session, std::move(expected),
                  [recipes = recipes](OfficeSession& office, const std::string& path, bool ahead) {
                    return PrepareWorkbook(office, path, ahead, *recipes);
                  },
                  [recipes = recipes](const std::string& path) { return recipes->Knows(path); },
                  offices, std::move(spareOffices)),
        spare(std::move(spareOffice)) {}

  // Ahead of need, a workbook is printed whole into the directory the last
  // one went to.
  static LoadedDocument PrepareWorkbook(OfficeSession& office, const std::string& path,
                                        bool ahead, const PrintRecipes& recipes) {
    LoadedDocument workbook;
    workbook.component = LoadDocument(office, path, DocumentKind::Spreadsheet);
    if (!ahead) return workbook;
    if (std::optional<PrintRecipe> recipe = recipes.For(path)) {
      workbook.printed = PrintAhead(office, workbook.component, kPdfFilter, *recipe);
    }
    return workbook;
  }

  std::shared_ptr<OfficeSession> session;
  platform::Registry& registry;
  std::shared_ptr<PrintRecipes> recipes;
  ReadAhead readAhead;
  std::optional<SystemPrinters> printers;  // asked for when first needed
  // Workbooks come before documents in a batch: at Quit the offices go on
  // running for the next application.
  std::shared_ptr<SpareOffice> spare;

  void Quit() {
    if (!spare) {
      readAhead.End();
      return;
    }
    for (std::unique_ptr<OfficeProcess>& office : readAhead.Release()) spare->Put(std::move(office));
  }

  // The driver's output name is set before a workbook opens, so the
  // workbooks read ahead can be printed into its directory from the first.
  void ExpectPrintsLikeThis(const std::string& path) {
    if (recipes->For(path)) return;
    const std::string target = quillset::OutputNameSetting(registry);
    if (target.empty()) return;
    recipes->Remember(path, {}, target, quillset::ReadPrintPreferences(registry));
  }

  const SystemPrinters& Printers() {
    if (!printers) printers = QuerySystemPrinters(*session);
    return *printers;
  }
};

class WorkbookObject : public ExcelWorkbook {
 public:
  WorkbookObject(std::shared_ptr<ExcelState> state, std::string path, LoadedDocument workbook)
      : state_(std::move(state)),
        session_(workbook.session),
        workbook_(std::move(workbook)),
        path_(std::move(path)) {}

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
      if (!workbook_.component.is()) Reload();
      PrintOnPrinter(*session_, workbook_.component, printer, "");
      return;
    }
    // The driver takes the name from the settings when the job reaches it.
    const std::string target = quillset::OutputNameSetting(state_->registry);
    if (target.empty()) {
      session.Fail(errors::kPrintFailed,
                   "Quillset has no output file name: the PDFFileName setting is empty.");
    }
    // Read afresh for every job, as the driver does.
    const quillset::PrintPreferences preferences = quillset::ReadPrintPreferences(state_->registry);
    const bool wholeWorkbook = !args.From && !args.To;
    const std::unique_ptr<AheadPrint> printed = std::move(workbook_.printed);
    if (state_->recipes->Remember(path_, {}, target, preferences)) state_->readAhead.Wake();
    if (wholeWorkbook && CommitAhead(printed.get(), target, preferences)) return;
    if (!workbook_.component.is()) Reload();
    PrintToPdf(*session_, workbook_.component, kPdfFilter, target, preferences,
               PageRange{args.From, args.To});
  }

  void Close(const ExcelCloseArgs&) override {
    CheckOpen();
    open_ = false;
    state_->readAhead.CloseLater(std::move(workbook_));
  }

 private:
  // A workbook printed ahead was closed; another print needs it again.
  void Reload() {
    workbook_ = state_->readAhead.Reload(path_);
    session_ = workbook_.session;
  }

  void CheckOpen() {
    state_->session->CheckUsable();
    session_->CheckUsable();
    if (!open_) state_->session->Fail(errors::kNoDocument, "The workbook has been closed.");
  }

  std::shared_ptr<ExcelState> state_;
  std::shared_ptr<OfficeSession> session_;  // the office holding this workbook
  LoadedDocument workbook_;
  std::string path_;
  bool open_ = true;
};

class WorkbooksObject : public ExcelWorkbooks {
 public:
  explicit WorkbooksObject(std::shared_ptr<ExcelState> state) : state_(std::move(state)) {}

  std::shared_ptr<ExcelWorkbook> Open(const ExcelOpenArgs& args) override {
    // Always read-only and without link updates, whatever was asked.
    const std::string path = args.Filename.value_or(std::string());
    state_->ExpectPrintsLikeThis(path);
    return std::make_shared<WorkbookObject>(state_, path, state_->readAhead.Open(path));
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
                                                        const OfficeReach& reach,
                                                        std::shared_ptr<SpareOffice> spare,
                                                        std::vector<std::string> expected,
                                                        std::size_t offices) {
  // Offices left by an earlier application are taken first.
  const std::size_t wanted = std::min(offices, std::max<std::size_t>(expected.size(), 1));
  std::vector<std::unique_ptr<OfficeProcess>> others;
  if (spare) others = spare->TakeUpTo(wanted, reach);
  others = StartedUpTo(std::move(others), wanted, reach);
  std::unique_ptr<OfficeProcess> first;
  if (!others.empty()) {
    first = std::move(others.front());
    others.erase(others.begin());
  }
  auto state = std::make_shared<ExcelState>(ConnectOrStart(kSource, std::move(first), reach), registry,
                                            std::move(spare), std::move(expected), std::move(others),
                                            offices);
  return std::make_shared<ApplicationObject>(std::move(state));
}

}  // namespace pressmoor::office::libreoffice
