#include "WordApplication.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <cmath>
#include <exception>
#include <optional>
#include <sstream>
#include <thread>
#include <utility>
#include <vector>

#include "DocumentLoading.h"
#include "FileKinds.h"
#include "OfficeSession.h"
#include "PdfPrinting.h"
#include "ReadAhead.h"
#include "SpareOffice.h"
#include "WordPreparation.h"
#include "driver/Quillset.h"
#include "quillset/PdfJob.h"
#include "quillset/Preferences.h"

namespace pressmoor::office::libreoffice {
namespace {

constexpr const char* kSource = kWordClass;
// With the caller's 100 ms pause between polls, events still run every
// quarter second.
constexpr std::chrono::milliseconds kPrintGrace{150};

struct OpenDocument {
  std::string path;
  LoadedDocument loaded;
  std::optional<PagePlan> plan;
  std::vector<PageStep> pageSteps;  // the page set-up asked for, in order
  quillset::PrintPreferences preferences;  // the driver's, read when opened
  bool open = true;
};

// What the application object, its documents and their page set-ups share.
// The office lives as long as any of them.
class WordState {
 public:
  WordState(std::shared_ptr<OfficeSession> session, platform::Registry& registry,
            std::vector<std::string> expected, std::vector<std::unique_ptr<OfficeProcess>> spareOffices,
            std::size_t offices, std::shared_ptr<LaterPrints> earlier)
      : session_(std::move(session)),
        registry_(registry),
        recipes_(std::make_shared<PrintRecipes>()),
        readAhead_(session_, std::move(expected), WordDocumentLoader(recipes_, std::move(earlier)),
                   [recipes = recipes_](const std::string& path) { return recipes->Knows(path); },
                   offices, std::move(spareOffices)) {
    printers_ = QuerySystemPrinters(*session_);
    initialPrinter_ = printers_.defaultName;
    activePrinter_ = initialPrinter_;
  }

  ~WordState() { JoinBackground(); }

  WordState(const WordState&) = delete;
  WordState& operator=(const WordState&) = delete;

  OfficeSession& Session() { return *session_; }

  // Every member starts here: a finished background print's failure is
  // reported by the first call after it.
  void Settle() {
    session_->CheckUsable();
    JoinBackground();
    if (backgroundFailure_) {
      std::exception_ptr failure = std::exchange(backgroundFailure_, nullptr);
      std::rethrow_exception(failure);
    }
  }

  // Gives a small print a moment to finish, so that a caller polling at
  // human speed does not lose a whole poll interval per document.
  std::int32_t BackgroundStatus() {
    session_->CheckUsable();
    {
      std::unique_lock lock(printingMutex_);
      if (!printingDone_.wait_for(lock, kPrintGrace, [this] { return !printing_; })) return 1;
    }
    Settle();
    return 0;
  }

  std::string ActivePrinter() {
    Settle();
    return activePrinter_;
  }

  void SetActivePrinter(const std::string& printer) {
    Settle();
    if (printer != initialPrinter_ && !PrinterInstalled(printer, registry_, printers_)) {
      session_->Fail(errors::kPrinterNotInstalled,
                     "The printer \"" + printer + "\" is not installed." +
                         (printer == driver::kPrinterName ? " Install the Quillset driver." : ""));
    }
    activePrinter_ = printer;
  }

  void Open(const std::optional<std::string>& fileName) {
    Settle();
    LoadedDocument loaded = readAhead_.Open(fileName.value_or(std::string()));
    auto document = std::make_shared<OpenDocument>();
    document->path = fileName.value_or(std::string());
    document->loaded = std::move(loaded);
    document->preferences = quillset::ReadPrintPreferences(registry_);
    documents_.push_back(document);
  }

  void CloseAll() {
    Settle();
    std::vector<std::shared_ptr<OpenDocument>> closing = std::move(documents_);
    documents_.clear();
    for (const auto& document : closing) document->open = false;
    for (const auto& document : closing) readAhead_.CloseLater(std::move(document->loaded));
  }

  std::shared_ptr<OpenDocument> Active() {
    Settle();
    if (documents_.empty()) session_->Fail(errors::kNoDocument, "No document is open.");
    return documents_.back();
  }

  void CheckOpen(const OpenDocument& document) {
    Settle();
    if (!document.open) session_->Fail(errors::kNoDocument, "The document has been closed.");
  }

  PagePlan& Plan(OpenDocument& document) {
    CheckOpen(document);
    if (!document.plan) {
      LoadedDocument& loaded = document.loaded;
      if (!loaded.frames) {
        if (!loaded.component.is()) Reload(document);
        loaded.session->Run(errors::kBadPageSetup, "The page set-up cannot be read",
                            [&]() { ReadPageSetUp(*loaded.session, loaded); });
      }
      document.plan.emplace(PlanFor(document.path, loaded, document.preferences));
    }
    return *document.plan;
  }

  // A change asked for, remembered to set up the next document ahead even
  // when this one refuses it: the converter asks every document the same,
  // and the next may take it.
  bool Step(OpenDocument& document, const PageStep& step) {
    PagePlan& plan = Plan(document);
    document.pageSteps.push_back(step);
    return step.ApplyTo(plan);
  }

  void PrintBackground(bool value) {
    Settle();
    printBackground_ = value;
  }

  void Visible(bool value) {
    Settle();
    visible_ = value;  // the office stays headless either way
  }

  void PrintOut(OpenDocument& document, const WordPrintOutArgs& args) {
    CheckOpen(document);
    const bool toFile = args.PrintToFile.value_or(false);
    const std::string outputFile = toFile ? args.OutputFileName.value_or(std::string()) : "";
    if (activePrinter_.empty()) session_->Fail(errors::kPrintFailed, "No printer is selected.");
    // The preferred paper is set up even when the caller set up nothing.
    if (CarriesNoPaper(document.path)) Plan(document);
    LoadedDocument& loaded = document.loaded;
    const std::optional<std::vector<PageFrame>> wanted =
        document.plan ? std::optional(document.plan->Frames()) : loaded.frames;
    if (PrintedAheadAsAsked(document, wanted, outputFile)) return;
    loaded.printed.reset();
    if (!loaded.component.is()) Reload(document);

    OfficeSession& office = *loaded.session;
    const std::string filter = office.Run(errors::kPrintFailed, "The page set-up could not be applied",
                                          [&]() { return SetUpForPrinting(office, loaded, wanted); });
    if (activePrinter_ != driver::kPrinterName) {
      PrintOnPrinter(office, loaded.component, activePrinter_, outputFile);
      return;
    }
    if (!quillset::DriverInstalled(registry_)) {
      session_->Fail(errors::kPrintFailed,
                     "The Quillset printer is not installed. Install the Quillset driver.");
    }
    const std::string target = PdfTarget(outputFile);
    RememberRecipe(document, target);
    if (!printBackground_) {
      PrintToPdf(office, loaded.component, filter, target, document.preferences);
      return;
    }
    printing_ = true;
    background_ = std::thread([this, session = loaded.session, component = loaded.component, filter,
                               target, preferences = document.preferences]() {
      try {
        PrintToPdf(*session, component, filter, target, preferences);
      } catch (...) {
        backgroundFailure_ = std::current_exception();
      }
      {
        std::lock_guard lock(printingMutex_);
        printing_ = false;
      }
      printingDone_.notify_all();
    });
  }

  void Quit() {
    JoinBackground();
    backgroundFailure_ = nullptr;
    documents_.clear();
    readAhead_.End();
  }

 private:
  void JoinBackground() {
    if (background_.joinable()) background_.join();
  }

  // A document printed ahead was closed; the print asked for now needs it
  // again, as the file has it.
  void Reload(OpenDocument& document) {
    LoadedDocument fresh = readAhead_.Reload(document.path);
    fresh.frames = std::move(document.loaded.frames);
    fresh.tables = std::move(document.loaded.tables);
    document.loaded = std::move(fresh);
  }

  // Puts the PDF printed ahead in place when it was printed as now asked.
  bool PrintedAheadAsAsked(OpenDocument& document,
                           const std::optional<std::vector<PageFrame>>& wanted,
                           const std::string& outputFile) {
    AheadPrint* printed = document.loaded.printed.get();
    if (!printed || wanted != printed->frames) return false;
    if (activePrinter_ != driver::kPrinterName || !quillset::DriverInstalled(registry_)) return false;
    const std::string target = PdfTarget(outputFile);
    if (!CommitAhead(printed, target, document.preferences)) return false;
    RememberRecipe(document, target);
    return true;
  }

  // Where the Quillset printer puts the PDF: the file asked for, else its
  // own setting.
  std::string PdfTarget(const std::string& outputFile) {
    return outputFile.empty() ? quillset::OutputNameSetting(registry_) : outputFile;
  }

  void RememberRecipe(const OpenDocument& document, const std::string& target) {
    if (recipes_->Remember(document.path, document.pageSteps, target, document.preferences)) {
      readAhead_.Wake();
    }
  }

  std::shared_ptr<OfficeSession> session_;
  platform::Registry& registry_;
  std::shared_ptr<PrintRecipes> recipes_;
  ReadAhead readAhead_;
  SystemPrinters printers_;
  std::string initialPrinter_;
  std::string activePrinter_;
  bool printBackground_ = false;
  bool visible_ = false;
  std::vector<std::shared_ptr<OpenDocument>> documents_;
  std::thread background_;
  std::mutex printingMutex_;
  std::condition_variable printingDone_;
  bool printing_ = false;
  std::exception_ptr backgroundFailure_;
};

std::string Points(double points) {
  std::ostringstream text;
  text << points;
  return text.str();
}

class PageSetupObject : public WordPageSetup {
 public:
  PageSetupObject(std::shared_ptr<WordState> state, std::shared_ptr<OpenDocument> document)
      : state_(std::move(state)), document_(std::move(document)) {}

  void LeftMargin(double points) override { Margin(MarginSide::Left, "left", points); }
  void RightMargin(double points) override { Margin(MarginSide::Right, "right", points); }
  void TopMargin(double points) override { Margin(MarginSide::Top, "top", points); }
  void BottomMargin(double points) override { Margin(MarginSide::Bottom, "bottom", points); }

  void Orientation(std::int32_t orientation) override {
    if (!state_->Step(*document_, {.isOrientation = true, .orientation = orientation})) {
      state_->Session().Fail(errors::kBadPageSetup,
                             "The orientation " + std::to_string(orientation) +
                                 " does not fit the page with its margins.");
    }
  }

 private:
  void Margin(MarginSide side, const char* name, double points) {
    if (!state_->Step(*document_, {.side = side, .points = points})) {
      state_->Session().Fail(errors::kBadPageSetup,
                             std::string("A ") + name + " margin of " + Points(points) +
                                 " points does not fit the page; margins must be zero or more "
                                 "and leave room for text.");
    }
  }

  std::shared_ptr<WordState> state_;
  std::shared_ptr<OpenDocument> document_;
};

class DocumentObject : public WordDocument {
 public:
  DocumentObject(std::shared_ptr<WordState> state, std::shared_ptr<OpenDocument> document)
      : state_(std::move(state)), document_(std::move(document)) {}

  std::shared_ptr<WordPageSetup> PageSetup() override {
    state_->Plan(*document_);
    return std::make_shared<PageSetupObject>(state_, document_);
  }

  void PrintOut(const WordPrintOutArgs& args) override { state_->PrintOut(*document_, args); }

 private:
  std::shared_ptr<WordState> state_;
  std::shared_ptr<OpenDocument> document_;
};

class DocumentsObject : public WordDocuments {
 public:
  explicit DocumentsObject(std::shared_ptr<WordState> state) : state_(std::move(state)) {}
  void Open(const WordOpenArgs& args) override { state_->Open(args.FileName); }
  void Close(const WordCloseArgs&) override { state_->CloseAll(); }

 private:
  std::shared_ptr<WordState> state_;
};

class OptionsObject : public WordOptions {
 public:
  explicit OptionsObject(std::shared_ptr<WordState> state) : state_(std::move(state)) {}
  void PrintBackground(bool value) override { state_->PrintBackground(value); }

 private:
  std::shared_ptr<WordState> state_;
};

class ApplicationObject : public WordApplication {
 public:
  explicit ApplicationObject(std::shared_ptr<WordState> state) : state_(std::move(state)) {}

  std::string ActivePrinter() override { return state_->ActivePrinter(); }
  void ActivePrinter(const std::string& printer) override { state_->SetActivePrinter(printer); }
  std::shared_ptr<WordDocuments> Documents() override {
    state_->Settle();
    return std::make_shared<DocumentsObject>(state_);
  }
  std::shared_ptr<WordOptions> Options() override {
    state_->Settle();
    return std::make_shared<OptionsObject>(state_);
  }
  std::shared_ptr<WordDocument> ActiveDocument() override {
    return std::make_shared<DocumentObject>(state_, state_->Active());
  }
  void Visible(bool value) override { state_->Visible(value); }
  std::int32_t BackgroundPrintingStatus() override { return state_->BackgroundStatus(); }
  void Quit() override { state_->Quit(); }

 private:
  std::shared_ptr<WordState> state_;
};

}  // namespace

std::shared_ptr<WordApplication> StartWordApplication(platform::Registry& registry,
                                                      const OfficeReach& reach,
                                                      std::vector<std::unique_ptr<OfficeProcess>> running,
                                                      std::vector<std::string> expected,
                                                      std::size_t offices,
                                                      std::shared_ptr<LaterPrints> earlier) {
  running = StartedUpTo(std::move(running), std::min(offices, std::max<std::size_t>(expected.size(), 1)),
                        reach);
  std::unique_ptr<OfficeProcess> own;
  if (!running.empty()) {
    own = std::move(running.front());
    running.erase(running.begin());
  }
  auto state = std::make_shared<WordState>(ConnectOrStart(kSource, std::move(own), reach), registry,
                                           std::move(expected), std::move(running), offices,
                                           std::move(earlier));
  return std::make_shared<ApplicationObject>(std::move(state));
}

}  // namespace pressmoor::office::libreoffice
