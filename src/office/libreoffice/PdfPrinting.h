// Printing from the office: to the Quillset printer, which turns the pages
// into a PDF file put in place whole, or to one of the machine's printers.
// The office writes files only into its own output directory (its sandbox
// holds no other place it may write); they are moved from there to where
// they were asked for.
#pragma once

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/lang/XComponent.hpp>

#include <optional>
#include <string>
#include <vector>

#include "OfficeSession.h"
#include "quillset/PdfJob.h"
#include "quillset/Preferences.h"

namespace pressmoor::office::libreoffice {

struct PageRange {
  std::optional<std::int32_t> from;
  std::optional<std::int32_t> to;
};

// The machine's printers as the office sees them, and its default printer
// (empty where there is none).
struct SystemPrinters {
  std::vector<std::string> names;
  std::string defaultName;
};
SystemPrinters QuerySystemPrinters(OfficeSession& session);

// The number of a failure to write a PDF, by its errno: kDiskFull,
// kPermissionDenied, kPathAccess or kBadFileName where the file system names
// the cause, kPrintFailed otherwise.
std::int32_t WriteFailureNumber(int errorNumber);

// Writes `document` as a PDF to `target` through a Quillset job, in the
// format `preferences` ask for (PDF/A, tagged); their paper is the page
// set-up's business. Throws AutomationError kPrintFailed when the file
// cannot be written or the export fails, or the number WriteFailureNumber
// gives where the cause is known; a lost office keeps its own number.
void PrintToPdf(OfficeSession& session, const css::uno::Reference<css::lang::XComponent>& document,
                const std::string& exportFilter, const std::string& target,
                const quillset::PrintPreferences& preferences, const PageRange& pages = {});

// Writes `document` as a PDF into `job`'s temporary file, leaving the
// commit to the caller. Throws as PrintToPdf does.
void WritePdf(OfficeSession& session, const css::uno::Reference<css::lang::XComponent>& document,
              const std::string& exportFilter, quillset::PdfJob& job,
              const quillset::PrintPreferences& preferences, const PageRange& pages = {});

// A file the office writes in its own output directory, which only it and
// we can reach; gone with this object unless taken.
class OfficeOutput {
 public:
  OfficeOutput(OfficeSession& session, std::string extension)
      : session_(session), extension_(std::move(extension)) {}
  ~OfficeOutput();
  OfficeOutput(const OfficeOutput&) = delete;
  OfficeOutput& operator=(const OfficeOutput&) = delete;

  // A new file's URL, for the office to write.
  ::rtl::OUString Url();
  // Moves what the office wrote to `target`, copying across file systems;
  // nothing happens when it wrote nothing, which the caller finds out.
  // Throws AutomationError with `failureText`, numbered by WriteFailureNumber.
  void MoveTo(const std::string& target, const std::string& failureText);

 private:
  OfficeSession& session_;
  std::string extension_;
  std::string path_;
};

// The store arguments of a PDF through `exportFilter` in the format
// `preferences` ask for: plain PDF asks for nothing beyond the filter's
// defaults; PDF/A makes it embed every font and leave encryption out.
css::uno::Sequence<css::beans::PropertyValue> PdfStoreArguments(const std::string& exportFilter,
                                                               const PageRange& pages,
                                                               const quillset::PrintPreferences& preferences);

// Puts `job`'s PDF in place; throws AutomationError kPrintFailed.
void CommitPdf(OfficeSession& session, quillset::PdfJob& job);

// Sends `document` to a printer of the machine, or into `outputFile` when
// it is not empty.
void PrintOnPrinter(OfficeSession& session,
                    const css::uno::Reference<css::lang::XComponent>& document,
                    const std::string& printer, const std::string& outputFile);

}  // namespace pressmoor::office::libreoffice

namespace pressmoor::platform {
class Registry;
}

namespace pressmoor::office::libreoffice {

// True for "Quillset" while its driver is installed, and for the machine's
// own printers.
bool PrinterInstalled(const std::string& name, platform::Registry& registry,
                      const SystemPrinters& printers);

}  // namespace pressmoor::office::libreoffice
