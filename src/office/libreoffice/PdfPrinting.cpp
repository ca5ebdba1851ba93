#include "PdfPrinting.h"

#include "OfficeStepNames.h"
#include "UnoValues.h"

#include <com/sun/star/awt/PrinterServer.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/view/XPrintable.hpp>
#include <osl/file.hxx>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "driver/Quillset.h"

namespace pressmoor::office::libreoffice {
namespace {

using css::beans::PropertyValue;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

std::string PageRangeText(const PageRange& pages) {
  if (!pages.from && !pages.to) return {};
  const std::int32_t from = pages.from.value_or(1);
  return std::to_string(from) + "-" + (pages.to ? std::to_string(*pages.to) : std::string());
}

}  // namespace

Sequence<PropertyValue> PdfStoreArguments(const std::string& exportFilter, const PageRange& pages,
                                          const quillset::PrintPreferences& preferences) {
  std::vector<PropertyValue> arguments{Property("FilterName", Any(ToUno(exportFilter))),
                                       Property("Overwrite", Any(true))};
  std::vector<PropertyValue> filterData;
  if (const std::string range = PageRangeText(pages); !range.empty()) {
    filterData.push_back(Property("PageRange", Any(ToUno(range))));
  }
  if (preferences.pdfaPart != 0) {
    filterData.push_back(Property("SelectPdfVersion", Any(sal_Int32(preferences.pdfaPart))));
    // Form fields would bring a Helvetica the office does not embed, which
    // PDF/A forbids; they print as they look instead.
    filterData.push_back(Property("ExportFormFields", Any(false)));
  }
  if (preferences.tagged) filterData.push_back(Property("UseTaggedPDF", Any(true)));
  if (!filterData.empty()) {
    const auto count = static_cast<sal_Int32>(filterData.size());
    arguments.push_back(
        Property("FilterData", Any(Sequence<PropertyValue>(filterData.data(), count))));
  }
  return Sequence<PropertyValue>(arguments.data(), static_cast<sal_Int32>(arguments.size()));
}

namespace {

// Has the office write `document` into `job`'s temporary file; `store`
// makes the call, given the office's output URL and the arguments.
template <typename Store>
void WritePdfWith(OfficeSession& session, quillset::PdfJob& job, const std::string& exportFilter,
                  const PageRange& pages, const quillset::PrintPreferences& preferences,
                  Store&& store) {
  const std::string failureText = "The PDF " + job.Target() + " could not be written";
  OfficeOutput output(session, ".pdf");
  session.Run(errors::kPrintFailed, failureText,
              [&]() { store(output.Url(), PdfStoreArguments(exportFilter, pages, preferences)); });
  output.MoveTo(job.TemporaryPath(), failureText);
}

}  // namespace

OfficeOutput::~OfficeOutput() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove(path_, ignored);
}

::rtl::OUString OfficeOutput::Url() {
  path_ = session_.NewOutputPath(extension_);
  return FileUrl(path_);
}

void OfficeOutput::MoveTo(const std::string& target, const std::string& failureText) {
  std::error_code error;
  if (path_.empty() || !std::filesystem::exists(path_, error)) return;
  if (std::rename(path_.c_str(), target.c_str()) == 0) return;
  int failure = errno;
  if (failure == EXDEV) {
    const auto overwrite = std::filesystem::copy_options::overwrite_existing;
    if (std::filesystem::copy_file(path_, target, overwrite, error)) return;
    failure = error.value();
  }
  session_.Fail(WriteFailureNumber(failure), failureText + ": " + std::strerror(failure) + ".");
}

std::int32_t WriteFailureNumber(int errorNumber) {
  switch (errorNumber) {
    case ENOSPC:
    case EDQUOT:
      return errors::kDiskFull;
    case EACCES:
    case EPERM:
      return errors::kPermissionDenied;
    case EROFS:
      return errors::kPathAccess;
    case ENAMETOOLONG:
      return errors::kBadFileName;
    default:
      return errors::kPrintFailed;
  }
}

SystemPrinters QuerySystemPrinters(OfficeSession& session) {
  return session.Run(errors::kPrintFailed, "The printers could not be listed", [&]() {
    Reference<css::awt::XPrinterServer2> server = css::awt::PrinterServer::create(session.Context());
    SystemPrinters printers;
    const Sequence<::rtl::OUString> names = server->getPrinterNames();
    for (sal_Int32 i = 0; i < names.getLength(); ++i) printers.names.push_back(FromUno(names[i]));
    printers.defaultName = FromUno(server->getDefaultPrinterName());
    return printers;
  });
}

void WritePdf(OfficeSession& session, const Reference<css::lang::XComponent>& document,
              const std::string& exportFilter, quillset::PdfJob& job,
              const quillset::PrintPreferences& preferences, const PageRange& pages) {
  WritePdfWith(session, job, exportFilter, pages, preferences,
               [&](const ::rtl::OUString& url, const Sequence<PropertyValue>& arguments) {
                 Reference<css::frame::XStorable>(document, UNO_QUERY_THROW)->storeToURL(url, arguments);
               });
}

void PrintToPdf(OfficeSession& session, const Reference<css::lang::XComponent>& document,
                const std::string& exportFilter, const std::string& target,
                const quillset::PrintPreferences& preferences, const PageRange& pages) {
  std::optional<quillset::PdfJob> job;
  try {
    job.emplace(target);
  } catch (const quillset::PdfJobError& error) {
    session.Fail(WriteFailureNumber(error.ErrorNumber()), error.what());
  }
  WritePdf(session, document, exportFilter, *job, preferences, pages);
  CommitPdf(session, *job);
}

void CommitPdf(OfficeSession& session, quillset::PdfJob& job) {
  try {
    job.Commit();
  } catch (const quillset::PdfJobError& error) {
    session.Fail(WriteFailureNumber(error.ErrorNumber()), error.what());
  }
}

void PrintOnPrinter(OfficeSession& session, const Reference<css::lang::XComponent>& document,
                    const std::string& printer, const std::string& outputFile) {
  const std::string failureText = "Printing on " + printer + " failed";
  OfficeOutput output(session, ".prn");
  session.Run(errors::kPrintFailed, failureText, [&]() {
    Reference<css::view::XPrintable> printable(document, UNO_QUERY_THROW);
    const PropertyValue name[] = {Property("Name", Any(ToUno(printer)))};
    printable->setPrinter(Sequence<PropertyValue>(name, 1));
    std::vector<PropertyValue> options{Property("Wait", Any(true))};
    if (!outputFile.empty()) options.push_back(Property("FileName", Any(output.Url())));
    printable->print(Sequence<PropertyValue>(options.data(), static_cast<sal_Int32>(options.size())));
  });
  if (!outputFile.empty()) output.MoveTo(outputFile, failureText);
}

}  // namespace pressmoor::office::libreoffice

namespace pressmoor::office::libreoffice {

bool PrinterInstalled(const std::string& name, platform::Registry& registry,
                      const SystemPrinters& printers) {
  if (name == driver::kPrinterName) return quillset::DriverInstalled(registry);
  for (const std::string& printer : printers.names) {
    if (printer == name) return true;
  }
  return false;
}

}  // namespace pressmoor::office::libreoffice
