// A document printed ahead in one call to the office component: loaded,
// checked to be what its name says, set up the way the last one of its kind
// was, printed into a temporary file beside where the recipe's PDF went, and
// closed, without its reference ever crossing the bridge. The decisions stay
// the caller's: the recipe, the refused import filters and, at PrintOut, the
// comparison of the frames printed with those asked for.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "DocumentLoading.h"
#include "OfficeSession.h"
#include "PagePlan.h"
#include "PrintingAhead.h"
#include "ReadAhead.h"

namespace pressmoor::office::libreoffice {

struct AheadRequest {
  DocumentKind kind = DocumentKind::WordProcessing;
  // Empty for a word-processing document, whose own set-up names it.
  std::string exportFilter;
  // A word-processing document's page styles are read, planned with these
  // steps (each refused one passed over) and written before printing; none:
  // printed as the file has it.
  std::optional<std::vector<PageStep>> pageSteps;
  // Paper (width, height in points) put under the styles before the steps.
  std::optional<std::pair<double, double>> paper;
};

// Throws AutomationError kCannotOpenFile as LoadDocument does. Otherwise
// the document is closed, and `printed` holds the PDF, or is null when the
// set-up or print failed, for the real print to find out why; with page
// steps, `frames` and `tables` hold the page set-up as read and `printed`
// the frames it was printed with. Nullopt, with nothing loaded, when no
// temporary file can be made in the recipe's directory.
std::optional<LoadedDocument> LoadAndPrintAhead(OfficeSession& session, const std::string& path,
                                                const AheadRequest& request, const PrintRecipe& recipe);

}  // namespace pressmoor::office::libreoffice
