#include "NamedOutputApplication.h"

#include <algorithm>

#include "LaterPrints.h"
#include "OfficeSession.h"
#include "PrintAheadCall.h"
#include "PrintingAhead.h"
#include "ReadAhead.h"
#include "SpareOffice.h"
#include "driver/Quillset.h"
#include "quillset/PdfJob.h"
#include "quillset/Preferences.h"

namespace pressmoor::office::libreoffice {

// What the application object and its documents share; the office lives as
// long as any of them.
struct NamedOutputState {
  NamedOutputState(const NamedOutputKind& ofKind, std::shared_ptr<OfficeSession> officeSession,
                   platform::Registry& settings, std::shared_ptr<SpareOffice> spareOffice,
                   std::vector<std::string> expected,
                   std::vector<std::unique_ptr<OfficeProcess>> spareOffices, std::size_t offices,
                   const std::shared_ptr<LaterPrints>& later, std::shared_ptr<LaterPrints> earlier)
      : kind(ofKind),
        session(std::move(officeSession)),
        registry(settings),
        recipes(std::make_shared<PrintRecipes>()),
        printers(PrintersNow(*session)),
        readAhead(session, std::move(expected),
                  [kind = ofKind, recipes = recipes, earlier = std::move(earlier)](
                      OfficeSession& office, const std::string& path, bool ahead) {
                    if (earlier) {
                      if (std::optional<LoadedDocument> printed = earlier->Take(path)) return std::move(*printed);
                    }
                    return Prepare(kind, office, path, ahead, *recipes);
                  },
                  [recipes = recipes](const std::string& path) { return recipes->Knows(path); },
                  offices, std::move(spareOffices), IdleWorkOf(later)),
        spare(std::move(spareOffice)) {}

  // Asked before the offices begin: once the application's own office is at
  // work on a long document, a question to it waits for that document.
  static std::optional<SystemPrinters> PrintersNow(OfficeSession& office) {
    try {
      return QuerySystemPrinters(office);
    } catch (const AutomationError&) {
      return std::nullopt;  // asked again by the first print, which fails with the reason
    }
  }

  static ReadAhead::IdleWork IdleWorkOf(const std::shared_ptr<LaterPrints>& later) {
    if (!later) return {};
    return [later](bool heldUp) { return later->IdleJob(heldUp); };
  }

  // Ahead of need, a document is printed whole into the directory the last
  // one went to.
  static LoadedDocument Prepare(const NamedOutputKind& kind, OfficeSession& office,
                                const std::string& path, bool ahead, const PrintRecipes& recipes) {
    if (const std::optional<PrintRecipe> recipe = ahead ? recipes.For(path) : std::nullopt) {
      if (std::optional<LoadedDocument> printed =
              LoadAndPrintAhead(office, path, NamedOutputAheadRequest(kind), *recipe)) {
        return std::move(*printed);
      }
    }
    LoadedDocument document;
    document.component = LoadDocument(office, path, kind.document);
    return document;
  }

  NamedOutputKind kind;
  std::shared_ptr<OfficeSession> session;
  platform::Registry& registry;
  std::shared_ptr<PrintRecipes> recipes;
  std::optional<SystemPrinters> printers;
  ReadAhead readAhead;
  // These kinds come before word-processing documents in a batch: at Quit
  // the offices go on running for the next application.
  std::shared_ptr<SpareOffice> spare;

  void Quit() {
    if (!spare) {
      readAhead.End();
      return;
    }
    for (std::unique_ptr<OfficeProcess>& office : readAhead.Release()) spare->Put(std::move(office));
  }

  // The driver's output name is set before a document opens, so the
  // documents read ahead can be printed into its directory from the first.
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

AheadRequest NamedOutputAheadRequest(const NamedOutputKind& kind) {
  AheadRequest request;
  request.kind = kind.document;
  request.exportFilter = kind.exportFilter;
  return request;
}

namespace {

class DocumentObject : public NamedOutputDocument {
 public:
  DocumentObject(std::shared_ptr<NamedOutputState> state, std::string path, LoadedDocument document)
      : state_(std::move(state)),
        session_(document.session),
        document_(std::move(document)),
        path_(std::move(path)) {}

  void PrintOut(const PageRange& pages, const std::optional<std::string>& printerAsked) override {
    OfficeSession& session = *session_;
    CheckOpen();
    const std::string printer = printerAsked ? *printerAsked : state_->Printers().defaultName;
    if (printer.empty()) session.Fail(errors::kPrintFailed, "No printer is selected.");
    if (!PrinterInstalled(printer, state_->registry, state_->Printers())) {
      session.Fail(errors::kPrintFailed,
                   "The printer \"" + printer + "\" is not installed." +
                       (printer == driver::kPrinterName ? " Install the Quillset driver." : ""));
    }
    if (printer != driver::kPrinterName) {
      if (!document_.component.is()) Reload();
      PrintOnPrinter(*session_, document_.component, printer, "");
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
    const bool wholeDocument = !pages.from && !pages.to;
    const std::unique_ptr<AheadPrint> printed = std::move(document_.printed);
    if (state_->recipes->Remember(path_, {}, target, preferences)) state_->readAhead.Wake();
    if (wholeDocument && CommitAhead(printed.get(), target, preferences)) return;
    if (!document_.component.is()) Reload();
    PrintToPdf(*session_, document_.component, state_->kind.exportFilter, target, preferences, pages);
  }

  void Close() override {
    CheckOpen();
    open_ = false;
    state_->readAhead.CloseLater(std::move(document_));
  }

 private:
  // A document printed ahead was closed; another print needs it again.
  void Reload() {
    document_ = state_->readAhead.Reload(path_);
    session_ = document_.session;
  }

  void CheckOpen() {
    state_->session->CheckUsable();
    session_->CheckUsable();
    if (!open_) state_->session->Fail(errors::kNoDocument,
                                       std::string("The ") + state_->kind.noun + " has been closed.");
  }

  std::shared_ptr<NamedOutputState> state_;
  std::shared_ptr<OfficeSession> session_;  // the office holding this document
  LoadedDocument document_;
  std::string path_;
  bool open_ = true;
};

}  // namespace

NamedOutputApplication::NamedOutputApplication(const NamedOutputKind& kind,
                                               platform::Registry& registry,
                                               const OfficeReach& reach,
                                               std::shared_ptr<SpareOffice> spare,
                                               std::vector<std::string> expected,
                                               std::size_t offices,
                                               std::shared_ptr<LaterPrints> later,
                                               std::shared_ptr<LaterPrints> earlier) {
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
  state_ = std::make_shared<NamedOutputState>(kind, ConnectOrStart(kind.source, std::move(first), reach),
                                              registry, std::move(spare), std::move(expected),
                                              std::move(others), offices, later, std::move(earlier));
}

std::shared_ptr<NamedOutputDocument> NamedOutputApplication::Open(const std::string& path) {
  state_->ExpectPrintsLikeThis(path);
  return std::make_shared<DocumentObject>(state_, path, state_->readAhead.Open(path));
}

void NamedOutputApplication::CheckUsable() { state_->session->CheckUsable(); }

void NamedOutputApplication::Quit() { state_->Quit(); }

}  // namespace pressmoor::office::libreoffice
