// Getting a word-processing document ready to print: loaded with its layout
// held back, and, when prepared ahead, its page styles read and the document
// set up and printed the way the last one of its kind was.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "OfficeSession.h"
#include "PagePlan.h"
#include "PrintAheadCall.h"
#include "PrintingAhead.h"
#include "ReadAhead.h"
#include "quillset/Preferences.h"

namespace pressmoor::office::libreoffice {

class LaterPrints;

// How `path` is printed ahead under `recipe`: with its page steps, on the
// preferred paper when the file carries none of its own.
AheadRequest WordAheadRequest(const std::string& path, const PrintRecipe& recipe);

// PrepareWordDocument for the word processor's reading ahead, after taking
// what `earlier` printed of the document, when there is any.
ReadAhead::Loader WordDocumentLoader(std::shared_ptr<const PrintRecipes> recipes,
                                     std::shared_ptr<LaterPrints> earlier);

// Throws AutomationError kCannotOpenFile when the file cannot be opened;
// whatever goes wrong after that is left for the real print to meet.
LoadedDocument PrepareWordDocument(OfficeSession& session, const std::string& path, bool ahead,
                                   const PrintRecipes& recipes);

// The page set-up to plan on for `document` at `path`, once its page styles
// have been read: as the file has it, on the preferred paper when the file
// carries none of its own.
PagePlan PlanFor(const std::string& path, const LoadedDocument& document,
                 const quillset::PrintPreferences& preferences);

// Reads the page styles in use of `document` and the tables its pages must
// hold; valid inside OfficeSession::Run.
void ReadPageSetUp(OfficeSession& session, LoadedDocument& document);

// Gives the office the `wanted` page styles, unless it holds them already,
// lets the document lay itself out and gives it the hidden window printing
// needs; returns the document's PDF export filter. Valid inside
// OfficeSession::Run.
std::string SetUpForPrinting(OfficeSession& session, LoadedDocument& document,
                             const std::optional<std::vector<PageFrame>>& wanted);

}  // namespace pressmoor::office::libreoffice
