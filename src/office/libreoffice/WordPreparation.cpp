#include "WordPreparation.h"

#include <utility>

#include "DocumentLoading.h"
#include "FileKinds.h"
#include "LaterPrints.h"
#include "PageLayout.h"
#include "PrintAheadCall.h"

namespace pressmoor::office::libreoffice {

AheadRequest WordAheadRequest(const std::string& path, const PrintRecipe& recipe) {
  AheadRequest request;
  // Printed without a page set-up, its page styles need not be read,
  // unless it is to be put on the preferred paper.
  if (!recipe.pageSteps.empty() || CarriesNoPaper(path)) request.pageSteps = recipe.pageSteps;
  if (CarriesNoPaper(path)) request.paper = {recipe.preferences.paper.width, recipe.preferences.paper.height};
  return request;
}

LoadedDocument PrepareWordDocument(OfficeSession& session, const std::string& path, bool ahead,
                                   const PrintRecipes& recipes) {
  if (const std::optional<PrintRecipe> recipe = ahead ? recipes.For(path) : std::nullopt) {
    if (std::optional<LoadedDocument> printed =
            LoadAndPrintAhead(session, path, WordAheadRequest(path, *recipe), *recipe)) {
      return std::move(*printed);
    }
  }
  LoadedDocument document;
  document.component = LoadDocument(session, path, DocumentKind::WordProcessing);
  document.layoutHeld = true;
  if (!ahead) return document;
  try {
    session.Run(errors::kBadPageSetup, "The page set-up cannot be read",
                [&]() { ReadPageSetUp(session, document); });
  } catch (const AutomationError&) {
    // Left for the real page set-up, which will say what is wrong.
  }
  return document;
}

ReadAhead::Loader WordDocumentLoader(std::shared_ptr<const PrintRecipes> recipes,
                                     std::shared_ptr<LaterPrints> earlier) {
  return [recipes = std::move(recipes), earlier = std::move(earlier)](OfficeSession& session,
                                                                      const std::string& path, bool ahead) {
    if (earlier) {
      if (std::optional<LoadedDocument> printed = earlier->Take(path)) return std::move(*printed);
    }
    return PrepareWordDocument(session, path, ahead, *recipes);
  };
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
