// What the spreadsheet and the presentation program share: applications
// whose prints on Quillset take the PDF's name from the driver's
// "PDFFileName" setting. Their documents are read ahead in every office and,
// once a name has been set, printed ahead whole into that name's directory,
// so the caller's print of the same document only puts its PDF in place.
// Quit hands the offices still running to the spare, for the application
// that follows in the run.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "DocumentLoading.h"
#include "OfficeProcess.h"
#include "OfficeSandbox.h"
#include "PdfPrinting.h"
#include "PrintAheadCall.h"
#include "platform/Registry.h"

namespace pressmoor::office::libreoffice {

class LaterPrints;
class SpareOffice;
struct NamedOutputState;

struct NamedOutputKind {
  const char* source;        // the class name, the source of its failures
  const char* exportFilter;  // the office's PDF export filter for the kind
  DocumentKind document;
  const char* noun;          // "workbook", in messages
};

// How a document of `kind` is printed ahead: whole, as the office lays it out.
AheadRequest NamedOutputAheadRequest(const NamedOutputKind& kind);

// One open document. Every member throws AutomationError.
class NamedOutputDocument {
 public:
  virtual ~NamedOutputDocument() = default;
  // On Quillset (kPrintFailed without a "PDFFileName"), or on the printer
  // named; the machine's default printer when none is.
  virtual void PrintOut(const PageRange& pages, const std::optional<std::string>& printer) = 0;
  // Closes unsaved once its office is done with the work in hand.
  virtual void Close() = 0;
};

class NamedOutputApplication {
 public:
  // Starts an office that may read `reach`, or takes those left in `spare`;
  // `expected` are the files it will open, in order, read ahead in up to
  // `offices` offices; an office left without work prints ahead `later`
  // documents of the run, and a document `earlier` printed is taken from
  // it. Throws AutomationError.
  NamedOutputApplication(const NamedOutputKind& kind, platform::Registry& registry,
                         const OfficeReach& reach, std::shared_ptr<SpareOffice> spare,
                         std::vector<std::string> expected, std::size_t offices,
                         std::shared_ptr<LaterPrints> later = nullptr,
                         std::shared_ptr<LaterPrints> earlier = nullptr);

  // Always read-only, hidden, without macros or link updates.
  std::shared_ptr<NamedOutputDocument> Open(const std::string& path);
  // Throws when the office is known to be gone.
  void CheckUsable();
  void Quit();

 private:
  std::shared_ptr<NamedOutputState> state_;
};

}  // namespace pressmoor::office::libreoffice
