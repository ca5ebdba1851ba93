#include "PrintAheadCall.h"

#include <filesystem>
#include <memory>

#include "FileKinds.h"
#include "OfficeStepNames.h"
#include "PageSetUpRows.h"
#include "PdfPrinting.h"
#include "UnoValues.h"

namespace pressmoor::office::libreoffice {
namespace {

using css::uno::Any;
using css::uno::Sequence;

// The answer's rows after what the load found (OfficeStepNames.h).
constexpr sal_Int32 kPrintedRow = 5;
constexpr sal_Int32 kSetUpRow = 6;

Sequence<::rtl::OUString> ServicesOf(DocumentKind kind) {
  std::vector<::rtl::OUString> services;
  switch (kind) {
    case DocumentKind::Spreadsheet:
      services = {"com.sun.star.sheet.SpreadsheetDocument"};
      break;
    case DocumentKind::Presentation:
      services = {"com.sun.star.presentation.PresentationDocument"};
      break;
    case DocumentKind::WordProcessing:
      services = {"com.sun.star.text.TextDocument", "com.sun.star.text.WebDocument"};
      break;
  }
  return Sequence<::rtl::OUString>(services.data(), static_cast<sal_Int32>(services.size()));
}

void AddSetUp(std::vector<css::beans::NamedValue>& step, const AheadRequest& request) {
  step.push_back(Named(steps::kWordSetUp, Any(request.kind == DocumentKind::WordProcessing)));
  if (!request.pageSteps) return;
  step.push_back(Named(steps::kPageSteps, StepsAsRows(*request.pageSteps)));
  if (request.paper) {
    const double paper[] = {request.paper->first, request.paper->second};
    step.push_back(Named(steps::kPaper, Any(Sequence<double>(paper, 2))));
  }
}

}  // namespace

std::optional<LoadedDocument> LoadAndPrintAhead(OfficeSession& session, const std::string& path,
                                                const AheadRequest& request, const PrintRecipe& recipe) {
  auto ahead = std::make_unique<AheadPrint>();
  ahead->preferences = recipe.preferences;
  try {
    // Only the directory matters: the job is renamed when its name is known.
    ahead->job = std::make_unique<quillset::PdfJob>(
        (std::filesystem::path(recipe.directory) / "printed-ahead.pdf").string());
  } catch (const quillset::PdfJobError&) {
    return std::nullopt;
  }
  std::vector<css::beans::NamedValue> step = LoadArguments(session, path, request.kind);
  OfficeOutput output(session, ".pdf");
  step.push_back(Named(steps::kServices, Any(ServicesOf(request.kind))));
  step.push_back(Named(steps::kRefusedFilter, Any(ToUno(RefusedFilterPrefix(path)))));
  step.push_back(Named(steps::kPdfUrl, Any(output.Url())));
  step.push_back(
      Named(steps::kStoreArguments, Any(PdfStoreArguments(request.exportFilter, {}, recipe.preferences))));
  AddSetUp(step, request);
  const Sequence<Any> answer = session.Run(errors::kCannotOpenFile, "The file " + path + " cannot be opened", [&]() {
    Sequence<Any> found = session.RunStep(steps::kPrintAhead, std::move(step));
    CheckLoaded(session, found, 0, request.kind, path, [] {});  // the office closed it
    return found;
  });
  LoadedDocument document;
  bool printed = false;
  if (answer.getLength() <= kSetUpRow || !(answer[kPrintedRow] >>= printed)) return document;
  // Whatever goes wrong from here costs only the print ahead.
  try {
    if (printed) output.MoveTo(ahead->job->TemporaryPath(), "The PDF printed ahead could not be kept");
    if (const Sequence<Any> setUp = Rows(answer[kSetUpRow]); setUp.getLength() == 3) {
      document.frames = FramesFromRows(setUp[0]);
      document.tables = TablesFromRows(setUp[1]);
      ahead->frames = FramesFromRows(setUp[2]);
    }
  } catch (const AutomationError&) {
    return LoadedDocument();
  } catch (const css::uno::Exception&) {
    return LoadedDocument();
  }
  if (printed) document.printed = std::move(ahead);
  return document;
}

}  // namespace pressmoor::office::libreoffice
