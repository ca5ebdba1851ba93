// Getting a word-processing document ready to print: loaded with its layout
// held back, and, when prepared ahead, its page styles read and the document
// set up and printed the way the last one of its kind was.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "OfficeSession.h"
#include "PagePlan.h"
#include "PrintingAhead.h"
#include "ReadAhead.h"

namespace pressmoor::office::libreoffice {

// Throws AutomationError kCannotOpenFile when the file cannot be opened;
// whatever goes wrong after that is left for the real print to meet.
LoadedDocument PrepareWordDocument(OfficeSession& session, const std::string& path, bool ahead,
                                   const PrintRecipes& recipes);

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
