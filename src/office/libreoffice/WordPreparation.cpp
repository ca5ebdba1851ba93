#include "WordPreparation.h"

#include <utility>

#include "DocumentLoading.h"
#include "FileKinds.h"
#include "PageLayout.h"

namespace pressmoor::office::libreoffice {
namespace {

// Prints ahead `document` with the page set-up it has.
void PrintAsItIs(OfficeSession& session, LoadedDocument& document, const PrintRecipe& recipe) {
  const std::string filter = session.Run(errors::kPrintFailed, "The document cannot be printed",
                                         [&]() { return SetUpForPrinting(session, document, std::nullopt); });
  document.printed = PrintAhead(session, document.component, filter, recipe);
}

// Sets up and prints ahead `document`, whose page styles have been read. A
// step it refuses is passed over, as the converter passes over the error.
void PrintAsBefore(OfficeSession& session, const std::string& path, LoadedDocument& document,
                   const PrintRecipe& recipe) {
  PagePlan plan = PlanFor(path, document, recipe.preferences);
  for (const PageStep& step : recipe.pageSteps) step.ApplyTo(plan);
  const std::string filter = session.Run(errors::kPrintFailed, "The page set-up could not be applied",
                                         [&]() { return SetUpForPrinting(session, document, plan.Frames()); });
  document.printed = PrintAhead(session, document.component, filter, recipe);
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
    // Printed without a page set-up, its page styles need not be read,
    // unless it is to be put on the preferred paper.
    if (recipe && recipe->pageSteps.empty() && !CarriesNoPaper(path)) {
      PrintAsItIs(session, document, *recipe);
      return document;
    }
    session.Run(errors::kBadPageSetup, "The page set-up cannot be read",
                [&]() { ReadPageSetUp(session, document); });
    if (recipe) PrintAsBefore(session, path, document, *recipe);
  } catch (const AutomationError&) {
    // Left for the real page set-up or print, which will say what is wrong.
  }
  return document;
}

PagePlan PlanFor(const std::string& path, const LoadedDocument& document,
                 const quillset::PrintPreferences& preferences) {
  if (!CarriesNoPaper(path)) return PagePlan(*document.frames, document.tables);
  return PagePlan(OnPaper(*document.frames, preferences.paper.width, preferences.paper.height),
                  document.tables);
}

void ReadPageSetUp(OfficeSession& session, LoadedDocument& document) {
  PageSetUpAsRead read = ReadPageSetUpOf(session, document.component);
  document.frames = std::move(read.frames);
  document.tables = std::move(read.tables);
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
