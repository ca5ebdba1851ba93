#include "office/ScriptedOffice.h"

#include <fstream>
#include <sstream>
#include <type_traits>
#include <utility>

#include "driver/Quillset.h"
#include "quillset/PdfJob.h"

namespace pressmoor::office {

namespace {

std::string Flag(bool value) { return value ? "true" : "false"; }

std::string Points(double value) {
  std::ostringstream text;
  text << value;
  return text.str();
}

template <typename T>
std::string Positional(const std::optional<T>& value) {
  if (!value) return "";
  if constexpr (std::is_same_v<T, bool>) {
    return Flag(*value);
  } else if constexpr (std::is_same_v<T, std::string>) {
    return *value;
  } else {
    return std::to_string(*value);
  }
}

// One page naming what printed it: enough for a reader to accept the file.
std::string TinyPdf(const std::string& text) {
  std::string content = "BT /F1 12 Tf 72 720 Td (" + text + ") Tj ET";
  std::vector<std::string> objects = {
      "<< /Type /Catalog /Pages 2 0 R >>",
      "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
      "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R "
      "/Resources << /Font << /F1 5 0 R >> >> >>",
      "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content +
          "\nendstream",
      "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"};
  std::string pdf = "%PDF-1.4\n";
  std::vector<std::size_t> offsets;
  for (std::size_t i = 0; i < objects.size(); ++i) {
    offsets.push_back(pdf.size());
    pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
  }
  std::size_t xref = pdf.size();
  pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
  for (std::size_t offset : offsets) {
    std::string number = std::to_string(offset);
    pdf += std::string(10 - number.size(), '0') + number + " 00000 n \n";
  }
  pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) +
         " /Root 1 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
  return pdf;
}

// ---- Word --------------------------------------------------------------------

struct WordState {
  explicit WordState(ScriptedOffice& scripted) : office(scripted) {}
  ScriptedOffice& office;
  std::string activePrinter;
  bool quit = false;
  bool documentOpen = false;

  void Call(const std::string& entry) {
    office.Call(entry);
    if (quit) throw AutomationError(errors::kObjectGone, "Word", "The object has quit");
  }
  void DocumentCall(const std::string& entry) {
    Call(entry);
    if (!documentOpen) throw AutomationError(errors::kNoDocument, "Word", "No document is open");
  }
};

class ScriptedPageSetup : public WordPageSetup {
 public:
  explicit ScriptedPageSetup(std::shared_ptr<WordState> state) : state_(std::move(state)) {}
  void LeftMargin(double points) override { Set("LeftMargin", Points(points)); }
  void RightMargin(double points) override { Set("RightMargin", Points(points)); }
  void TopMargin(double points) override { Set("TopMargin", Points(points)); }
  void BottomMargin(double points) override { Set("BottomMargin", Points(points)); }
  void Orientation(std::int32_t orientation) override {
    Set("Orientation", std::to_string(orientation));
  }

 private:
  void Set(const std::string& property, const std::string& value) {
    state_->DocumentCall("Word.ActiveDocument.PageSetup." + property + "=" + value);
  }
  std::shared_ptr<WordState> state_;
};

class ScriptedDocument : public WordDocument {
 public:
  explicit ScriptedDocument(std::shared_ptr<WordState> state) : state_(std::move(state)) {}
  std::shared_ptr<WordPageSetup> PageSetup() override {
    state_->DocumentCall("Word.ActiveDocument.PageSetup");
    return std::make_shared<ScriptedPageSetup>(state_);
  }
  void PrintOut(const WordPrintOutArgs& args) override {
    std::string named;
    if (args.OutputFileName) named += "OutputFileName=" + *args.OutputFileName;
    if (args.PrintToFile) named += std::string(named.empty() ? "" : ", ") + "PrintToFile=" + Flag(*args.PrintToFile);
    state_->DocumentCall("Word.ActiveDocument.PrintOut(" + named + ")");
    if (state_->activePrinter == driver::kPrinterName && args.PrintToFile.value_or(false) &&
        args.OutputFileName) {
      state_->office.PrintPdf("Word", *args.OutputFileName);
    }
  }

 private:
  std::shared_ptr<WordState> state_;
};

class ScriptedDocuments : public WordDocuments {
 public:
  explicit ScriptedDocuments(std::shared_ptr<WordState> state) : state_(std::move(state)) {}
  void Open(const WordOpenArgs& args) override {
    state_->Call("Word.Documents.Open(FileName=" + args.FileName.value_or("") + ")");
    state_->documentOpen = true;
  }
  void Close(const WordCloseArgs& args) override {
    std::string named = args.SaveChanges ? "SaveChanges=" + Flag(*args.SaveChanges) : "";
    state_->Call("Word.Documents.Close(" + named + ")");
    state_->documentOpen = false;
  }

 private:
  std::shared_ptr<WordState> state_;
};

class ScriptedOptions : public WordOptions {
 public:
  explicit ScriptedOptions(std::shared_ptr<WordState> state) : state_(std::move(state)) {}
  void PrintBackground(bool value) override {
    state_->Call("Word.Options.PrintBackground=" + Flag(value));
  }

 private:
  std::shared_ptr<WordState> state_;
};

class ScriptedWord : public WordApplication {
 public:
  explicit ScriptedWord(ScriptedOffice& office) : state_(std::make_shared<WordState>(office)) {
    state_->activePrinter = office.activePrinter;
  }
  std::string ActivePrinter() override {
    state_->Call("Word.ActivePrinter");
    return state_->activePrinter;
  }
  void ActivePrinter(const std::string& printer) override {
    state_->Call("Word.ActivePrinter=" + printer);
    state_->activePrinter = printer;
  }
  std::shared_ptr<WordDocuments> Documents() override {
    return std::make_shared<ScriptedDocuments>(state_);
  }
  std::shared_ptr<WordOptions> Options() override {
    return std::make_shared<ScriptedOptions>(state_);
  }
  std::shared_ptr<WordDocument> ActiveDocument() override {
    if (!state_->documentOpen) {
      throw AutomationError(errors::kNoDocument, "Word", "No document is open");
    }
    return std::make_shared<ScriptedDocument>(state_);
  }
  void Visible(bool value) override { state_->Call("Word.Visible=" + Flag(value)); }
  std::int32_t BackgroundPrintingStatus() override {
    state_->Call("Word.BackgroundPrintingStatus");
    std::deque<std::int32_t>& answers = state_->office.printingStatus;
    if (answers.empty()) return 0;
    std::int32_t status = answers.front();
    answers.pop_front();
    return status;
  }
  void Quit() override {
    state_->Call("Word.Quit");
    state_->quit = true;
  }

 private:
  std::shared_ptr<WordState> state_;
};

// ---- Excel -------------------------------------------------------------------

// An application that quits once; used by the spreadsheet and the presentations.
struct ExcelState {
  ExcelState(ScriptedOffice& scripted, std::string applicationName = "Excel")
      : office(scripted), name(std::move(applicationName)) {}
  ScriptedOffice& office;
  std::string name;
  bool quit = false;

  void Call(const std::string& entry) {
    office.Call(entry);
    if (quit) throw AutomationError(errors::kObjectGone, name, "The object has quit");
  }
};

class ScriptedWorkbook : public ExcelWorkbook {
 public:
  explicit ScriptedWorkbook(std::shared_ptr<ExcelState> state) : state_(std::move(state)) {}
  void PrintOut(const ExcelPrintOutArgs& args) override {
    state_->Call("Excel.Workbook.PrintOut(" + Positional(args.From) + ", " + Positional(args.To) +
                 ", " + Positional(args.Copies) + ", " + Positional(args.Preview) + ", " +
                 Positional(args.ActivePrinter) + ")");
    if (closed_) throw AutomationError(errors::kNoDocument, "Excel", "The workbook is closed");
    if (args.ActivePrinter.value_or("") == driver::kPrinterName) {
      state_->office.PrintPdf("Excel", state_->office.PdfFileNameSetting());
    }
  }
  void Close(const ExcelCloseArgs& args) override {
    state_->Call("Excel.Workbook.Close(" + Positional(args.SaveChanges) + ", " +
                 Positional(args.Filename) + ", " + Positional(args.RouteWorkbook) + ")");
    closed_ = true;
  }

 private:
  std::shared_ptr<ExcelState> state_;
  bool closed_ = false;
};

class ScriptedWorkbooks : public ExcelWorkbooks {
 public:
  explicit ScriptedWorkbooks(std::shared_ptr<ExcelState> state) : state_(std::move(state)) {}
  std::shared_ptr<ExcelWorkbook> Open(const ExcelOpenArgs& args) override {
    state_->Call("Excel.Workbooks.Open(" + Positional(args.Filename) + ", " +
                 Positional(args.UpdateLinks) + ", " + Positional(args.ReadOnly) + ")");
    return std::make_shared<ScriptedWorkbook>(state_);
  }

 private:
  std::shared_ptr<ExcelState> state_;
};

class ScriptedExcel : public ExcelApplication {
 public:
  explicit ScriptedExcel(ScriptedOffice& office) : state_(std::make_shared<ExcelState>(office)) {}
  void Visible(bool value) override { state_->Call("Excel.Visible=" + Flag(value)); }
  std::shared_ptr<ExcelWorkbooks> Workbooks() override {
    return std::make_shared<ScriptedWorkbooks>(state_);
  }
  void Quit() override {
    state_->Call("Excel.Quit");
    state_->quit = true;
  }

 private:
  std::shared_ptr<ExcelState> state_;
};

// ---- PowerPoint --------------------------------------------------------------

class ScriptedPresentation : public PowerPointPresentation {
 public:
  explicit ScriptedPresentation(std::shared_ptr<ExcelState> state) : state_(std::move(state)) {}
  void PrintOut(const PowerPointPrintOutArgs& args) override {
    state_->Call("PowerPoint.Presentation.PrintOut(" + Positional(args.From) + ", " +
                 Positional(args.To) + ", " + Positional(args.Copies) + ", " +
                 Positional(args.ActivePrinter) + ")");
    if (closed_) throw AutomationError(errors::kNoDocument, "PowerPoint", "The presentation is closed");
    if (args.ActivePrinter.value_or("") == driver::kPrinterName) {
      state_->office.PrintPdf("PowerPoint", state_->office.PdfFileNameSetting());
    }
  }
  void Close() override {
    state_->Call("PowerPoint.Presentation.Close");
    closed_ = true;
  }

 private:
  std::shared_ptr<ExcelState> state_;
  bool closed_ = false;
};

class ScriptedPresentations : public PowerPointPresentations {
 public:
  explicit ScriptedPresentations(std::shared_ptr<ExcelState> state) : state_(std::move(state)) {}
  std::shared_ptr<PowerPointPresentation> Open(const PowerPointOpenArgs& args) override {
    state_->Call("PowerPoint.Presentations.Open(" + Positional(args.FileName) + ", " +
                 Positional(args.ReadOnly) + ", " + Positional(args.Untitled) + ", " +
                 Positional(args.WithWindow) + ")");
    return std::make_shared<ScriptedPresentation>(state_);
  }

 private:
  std::shared_ptr<ExcelState> state_;
};

class ScriptedPowerPoint : public PowerPointApplication {
 public:
  explicit ScriptedPowerPoint(ScriptedOffice& office)
      : state_(std::make_shared<ExcelState>(office, "PowerPoint")) {}
  std::shared_ptr<PowerPointPresentations> Presentations() override {
    return std::make_shared<ScriptedPresentations>(state_);
  }
  void Quit() override {
    state_->Call("PowerPoint.Quit");
    state_->quit = true;
  }

 private:
  std::shared_ptr<ExcelState> state_;
};

}  // namespace

std::string MemberOf(const std::string& entry) {
  return entry.substr(0, entry.find_first_of("(="));
}

ScriptedOffice::ScriptedOffice(platform::Registry* settings) : settings_(settings) {}

ScriptedFailure& ScriptedOffice::Fail(const std::string& member, std::int32_t number,
                                      const std::string& description, int occurrence,
                                      const std::string& argument) {
  ScriptedFailure failure;
  failure.member = member;
  failure.occurrence = occurrence;
  failure.argument = argument;
  failure.number = number;
  failure.description = description;
  failures_.push_back(failure);
  return failures_.back();
}

std::vector<std::string> ScriptedOffice::CallsTo(const std::string& member) const {
  std::vector<std::string> found;
  for (const std::string& entry : calls_) {
    if (MemberOf(entry) == member) found.push_back(entry);
  }
  return found;
}

void ScriptedOffice::Call(const std::string& entry) {
  calls_.push_back(entry);
  const std::string member = MemberOf(entry);
  const std::string arguments = entry.substr(member.size());
  // Every rule counts the call, so a rule's occurrence does not depend on the
  // rules before it.
  const ScriptedFailure* firing = nullptr;
  for (ScriptedFailure& failure : failures_) {
    if (failure.member != member) continue;
    if (!failure.argument.empty() && arguments.find(failure.argument) == std::string::npos) {
      continue;
    }
    ++failure.matched;
    const bool fires = failure.occurrence == 0 || failure.matched == failure.occurrence;
    if (fires && !firing) firing = &failure;
  }
  if (!firing) return;
  std::string source =
      firing->source.empty() ? member.substr(0, member.find('.')) : firing->source;
  throw AutomationError(firing->number, source, firing->description);
}

std::shared_ptr<Object> ScriptedOffice::CreateObject(const std::string& className) {
  Call("CreateObject(" + className + ")");
  if (className == "Word.Application") return std::make_shared<ScriptedWord>(*this);
  if (className == "Excel.Application") return std::make_shared<ScriptedExcel>(*this);
  if (className == "PowerPoint.Application") return std::make_shared<ScriptedPowerPoint>(*this);
  throw AutomationError(errors::kUnknownClass, className, "Cannot create object");
}

void ScriptedOffice::EndAllOffices() { calls_.push_back("EndAllOffices"); }

void ScriptedOffice::ExpectDocuments(std::vector<std::string> paths) {
  hints_.push_back(std::move(paths));
}

void ScriptedOffice::PrintPdf(const std::string& application, const std::string& path) {
  if (!writesPdf) return;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << TinyPdf("Printed by " + application);
  out.close();
  if (path.empty() || !out) {
    throw AutomationError(errors::kPrintFailed, application, "Cannot write " + path);
  }
  pdfsWritten_.push_back(path);
}

std::string ScriptedOffice::PdfFileNameSetting() {
  return settings_ ? quillset::OutputNameSetting(*settings_) : "";
}

}  // namespace pressmoor::office
