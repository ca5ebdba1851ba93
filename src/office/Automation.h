// The automation objects the converters drive: a word processor
// ("Word.Application"), a spreadsheet ("Excel.Application") and a
// presentation program ("PowerPoint.Application"). Only the
// members the converters use exist. Arguments are structs of optional fields
// in positional order, so a call can name its arguments or give them by
// position; an empty optional is an omitted argument ("use the default").
//
// Every failing member throws AutomationError carrying an error number, a
// source text and a description text; nothing else escapes these objects.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace pressmoor::office {

// Error numbers. Which failure carries which number is this layer's business;
// the converters only tell 439, 5174 and 5216 apart from the rest.
namespace errors {
inline constexpr std::int32_t kUnknownClass = 429;       // no such class name
inline constexpr std::int32_t kCannotStart = 439;        // office not installed, failed to start or connect
inline constexpr std::int32_t kCannotOpenFile = 5174;    // missing, directory, unreadable, corrupt, protected, wrong kind
inline constexpr std::int32_t kPrintFailed = 5216;       // printer not installed, output unwritable, export failed
inline constexpr std::int32_t kOfficeDied = 1001;        // the office process ended during a call
inline constexpr std::int32_t kTimedOut = 1002;          // a call outran PRESSMOOR_OFFICE_TIMEOUT
inline constexpr std::int32_t kNoSandbox = 1003;         // no sandbox for the office (PRESSMOOR_SANDBOX)
inline constexpr std::int32_t kBadPageSetup = 4608;      // a margin or orientation the page cannot take
inline constexpr std::int32_t kNoDocument = 4248;        // a document member used with no document open
inline constexpr std::int32_t kPrinterNotInstalled = 4605;  // ActivePrinter set to an unknown printer
inline constexpr std::int32_t kObjectGone = 462;         // member used after Quit
// Writing the PDF failed for a cause the file system names.
inline constexpr std::int32_t kBadFileName = 52;         // the name is too long for the destination
inline constexpr std::int32_t kDiskFull = 61;            // no room or quota left on the destination
inline constexpr std::int32_t kPermissionDenied = 70;    // the destination refuses the write
inline constexpr std::int32_t kPathAccess = 75;          // the destination is read-only
}  // namespace errors

class AutomationError : public std::runtime_error {
 public:
  AutomationError(std::int32_t number, std::string source, std::string description)
      : std::runtime_error(description),
        number_(number),
        source_(std::move(source)),
        description_(std::move(description)) {}
  std::int32_t Number() const { return number_; }
  const std::string& Source() const { return source_; }
  const std::string& Description() const { return description_; }

 private:
  std::int32_t number_;
  std::string source_;
  std::string description_;
};

// What CreateObject hands out; cast to the class asked for.
class Object {
 public:
  virtual ~Object() = default;
};

// ---- "Word.Application" ----------------------------------------------------

class WordPageSetup {
 public:
  virtual ~WordPageSetup() = default;
  virtual void LeftMargin(double points) = 0;
  virtual void RightMargin(double points) = 0;
  virtual void TopMargin(double points) = 0;
  virtual void BottomMargin(double points) = 0;
  virtual void Orientation(std::int32_t orientation) = 0;  // 0 portrait, 1 landscape
};

struct WordPrintOutArgs {
  std::optional<std::string> OutputFileName;
  std::optional<bool> PrintToFile;
};

class WordDocument {
 public:
  virtual ~WordDocument() = default;
  virtual std::shared_ptr<WordPageSetup> PageSetup() = 0;
  // Prints on the application's active printer; with PrintToFile the output
  // goes to OutputFileName.
  virtual void PrintOut(const WordPrintOutArgs& args) = 0;
};

struct WordOpenArgs {
  std::optional<std::string> FileName;
};

struct WordCloseArgs {
  std::optional<bool> SaveChanges;
};

class WordDocuments {
 public:
  virtual ~WordDocuments() = default;
  // Opens the document and makes it the active document.
  virtual void Open(const WordOpenArgs& args) = 0;
  // Closes every open document.
  virtual void Close(const WordCloseArgs& args) = 0;
};

class WordOptions {
 public:
  virtual ~WordOptions() = default;
  virtual void PrintBackground(bool value) = 0;
};

class WordApplication : public Object {
 public:
  virtual std::string ActivePrinter() = 0;
  virtual void ActivePrinter(const std::string& printer) = 0;
  virtual std::shared_ptr<WordDocuments> Documents() = 0;
  virtual std::shared_ptr<WordOptions> Options() = 0;
  virtual std::shared_ptr<WordDocument> ActiveDocument() = 0;
  virtual void Visible(bool value) = 0;
  // Greater than 0 while a background print is still going on.
  virtual std::int32_t BackgroundPrintingStatus() = 0;
  virtual void Quit() = 0;
};

// ---- "Excel.Application" ---------------------------------------------------

struct ExcelPrintOutArgs {
  std::optional<std::int32_t> From;
  std::optional<std::int32_t> To;
  std::optional<std::int32_t> Copies;
  std::optional<bool> Preview;
  std::optional<std::string> ActivePrinter;
};

struct ExcelCloseArgs {
  std::optional<bool> SaveChanges;
  std::optional<std::string> Filename;
  std::optional<bool> RouteWorkbook;
};

class ExcelWorkbook {
 public:
  virtual ~ExcelWorkbook() = default;
  virtual void PrintOut(const ExcelPrintOutArgs& args) = 0;
  virtual void Close(const ExcelCloseArgs& args) = 0;
};

struct ExcelOpenArgs {
  std::optional<std::string> Filename;
  std::optional<std::int32_t> UpdateLinks;
  std::optional<bool> ReadOnly;
};

class ExcelWorkbooks {
 public:
  virtual ~ExcelWorkbooks() = default;
  virtual std::shared_ptr<ExcelWorkbook> Open(const ExcelOpenArgs& args) = 0;
};

class ExcelApplication : public Object {
 public:
  virtual void Visible(bool value) = 0;
  virtual std::shared_ptr<ExcelWorkbooks> Workbooks() = 0;
  virtual void Quit() = 0;
};

// ---- "PowerPoint.Application" ----------------------------------------------
// Printed as workbooks are: the printer is named in the call, and the PDF
// printer takes the file name from its "PDFFileName" setting.

struct PowerPointPrintOutArgs {
  std::optional<std::int32_t> From;
  std::optional<std::int32_t> To;
  std::optional<std::int32_t> Copies;
  std::optional<std::string> ActivePrinter;
};

class PowerPointPresentation {
 public:
  virtual ~PowerPointPresentation() = default;
  virtual void PrintOut(const PowerPointPrintOutArgs& args) = 0;
  // Closes without saving: a presentation opened read-only has nothing to save.
  virtual void Close() = 0;
};

struct PowerPointOpenArgs {
  std::optional<std::string> FileName;
  std::optional<bool> ReadOnly;
  std::optional<bool> Untitled;
  std::optional<bool> WithWindow;
};

class PowerPointPresentations {
 public:
  virtual ~PowerPointPresentations() = default;
  virtual std::shared_ptr<PowerPointPresentation> Open(const PowerPointOpenArgs& args) = 0;
};

class PowerPointApplication : public Object {
 public:
  virtual std::shared_ptr<PowerPointPresentations> Presentations() = 0;
  virtual void Quit() = 0;
};

// A document of an application created later in a run, and how that
// application will be asked to print it.
struct LaterDocument {
  std::string className;  // of the application that will open it
  std::string path;
  std::string outputFile;  // the PDF it will be printed to
  // The calls the word processor's page set-up will get; null: none.
  std::function<void(WordPageSetup&)> pageSetup;
};

// Creates application objects by class name ("Word.Application",
// "Excel.Application", "PowerPoint.Application"). Throws AutomationError: kUnknownClass for another
// name, kCannotStart when the office cannot be started.
class ObjectFactory {
 public:
  virtual ~ObjectFactory() = default;
  virtual std::shared_ptr<Object> CreateObject(const std::string& className) = 0;
  // The files the next application object created will open, in the order
  // it will open them. Its office may read their folders and nothing else of
  // the user's (a file elsewhere fails to open); beyond that a hint only: a
  // factory may start reading them ahead, but every result and failure stays
  // that of the Open that asks for a file.
  virtual void ExpectDocuments(std::vector<std::string> paths) { (void)paths; }
  // The documents of the applications still to come in the run, in the
  // order they will be opened, which objects created before those may begin
  // while they leave an office idle; a hint only, as ExpectDocuments is.
  // Replaces those given before; empty forgets them.
  virtual void ExpectLaterDocuments(std::vector<LaterDocument> documents) { (void)documents; }
  // Ends every office of every object created here at once, for a run told
  // to stop: calls in progress fail fast and no office starts after it.
  // Callable from any thread.
  virtual void EndAllOffices() {}
  // While a call of an object created here waits for an office, `idle` runs
  // on the thread that set it, at least every 0.2 s, so a window there stays
  // alive. It must not call the objects. Null: the calls just wait.
  virtual void WhileWaiting(std::function<void()> idle) { (void)idle; }
};

}  // namespace pressmoor::office
