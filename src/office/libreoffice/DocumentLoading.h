// Opening one document in the office the way a batch converter must: hidden,
// read-only, no macros, no link updates, no questions asked, and only when
// the file really is a document of the kind its name promises.
#pragma once

#include <com/sun/star/lang/XComponent.hpp>

#include <string>

#include "FileKinds.h"
#include "OfficeSession.h"

namespace pressmoor::office::libreoffice {

enum class DocumentKind { WordProcessing, Spreadsheet, Presentation };

// Throws AutomationError kCannotOpenFile for everything that keeps the file
// from opening as a document of `kind`. A word-processing document comes
// with its layout held (its controllers locked), as the page set-up wants
// it, until SetUpPagesForPrint releases it.
css::uno::Reference<css::lang::XComponent> LoadDocument(OfficeSession& session,
                                                        const std::string& path,
                                                        DocumentKind kind);

// Closes without saving; a document already gone is no failure.
void CloseDocument(const css::uno::Reference<css::lang::XComponent>& document);

}  // namespace pressmoor::office::libreoffice
