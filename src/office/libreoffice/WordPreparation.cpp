#include "WordPreparation.h"

#include <utility>

#include "DocumentLoading.h"
#include "PageLayout.h"

namespace pressmoor::office::libreoffice {
namespace {

// Prints ahead `document` with the page set-up it has.
void PrintAsItIs(OfficeSession& session, LoadedDocument& document, const PrintRecipe& recipe) {
  const std::string filter = session.Run(errors::kPrintFailed, "The document cannot be printed",
                                         [&]() { return SetUpForPrinting(session, document, std::nullopt); });
  document.printed = PrintAhead(session, document.component, filter, recipe.directory);
}

// Sets up and prints ahead `document`, whose page styles have been read. A
// step it refuses is passed over, as the converter passes over the error.
void PrintAsBefore(OfficeSession& session, LoadedDocument& document, const PrintRecipe& recipe) {
  PagePlan plan(*document.frames, document.tables);
  for (const PageStep& step : recipe.pageSteps) step.ApplyTo(plan);
  const std::string filter = session.Run(errors::kPrintFailed, "The page set-up could not be applied",
                                         [&]() { return SetUpForPrinting(session, document, plan.Frames()); });
  document.printed = PrintAhead(session, document.component, filter, recipe.directory);
  if (document.printed) document.printed->frames = plan.Frames();
}

}  // namespace

LoadedDocument PrepareWordDocument(OfficeSession& session, const std::string& path, bool ahead,
                                   const PrintRecipes& recipes) {
  LoadedDocument document;
  document.component = LoadDocument(session, path, DocumentKind::WordProcessing);
  document.layoutHeld = true;
  if (!ahead) return document;
  try {
    const std::optional<PrintRecipe> recipe = recipes.For(path);
    // Printed without a page set-up, its page styles need not be read.
    if (recipe && recipe->pageSteps.empty()) {
      PrintAsItIs(session, document, *recipe);
      return document;
    }
    session.Run(errors::kBadPageSetup, "The page set-up cannot be read",
                [&]() { ReadPageSetUp(session, document); });
    if (recipe) PrintAsBefore(session, document, *recipe);
  } catch (const AutomationError&) {
    // Left for the real page set-up or print, which will say what is wrong.
  }
  return document;
}

void ReadPageSetUp(OfficeSession& session, LoadedDocument& document) {
  std::vector<BodyTable> tables = ReadBodyTables(session, document.component);
  document.frames = ReadPageFrames(session, document.component);
  document.tables = std::move(tables);
}

std::string SetUpForPrinting(OfficeSession& session, LoadedDocument& document,
                             const std::optional<std::vector<PageFrame>>& wanted) {
  const std::optional<std::vector<PageFrame>>& held =
      document.officeFrames ? document.officeFrames : document.frames;
  const bool write = wanted && held && *wanted != *held;
  // Released at most once, even when the set-up fails half-way.
  const bool release = std::exchange(document.layoutHeld, false);
  const std::string filter =
      SetUpPagesForPrint(session, document.component, write ? *wanted : std::vector<PageFrame>(), release);
  if (write) document.officeFrames = wanted;
  return filter;
}

}  // namespace pressmoor::office::libreoffice
