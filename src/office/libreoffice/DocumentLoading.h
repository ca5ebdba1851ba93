// Opening one document in the office the way a batch converter must: hidden,
// read-only, no macros, no link updates, no questions asked, and only when
// the file really is a document of the kind its name promises.
#pragma once

#include <com/sun/star/lang/XComponent.hpp>

#include <com/sun/star/beans/NamedValue.hpp>

#include <functional>
#include <string>
#include <vector>

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

// The arguments of the Load step (OfficeStepNames.h) for `path`, as
// LoadDocument sends them. Throws AutomationError kCannotOpenFile for what
// keeps the file from opening before the office is asked.
std::vector<css::beans::NamedValue> LoadArguments(OfficeSession& session, const std::string& path,
                                                  DocumentKind kind);

// Throws AutomationError kCannotOpenFile, as LoadDocument does, when a step
// that loaded `path` answered nothing, or when its answer, from row `first`
// on (text, web page, workbook, slides, import filter), shows no document of
// `kind` read by a filter that fits the name; `close` closes the document
// before that throw.
void CheckLoaded(OfficeSession& session, const css::uno::Sequence<css::uno::Any>& answer, sal_Int32 first,
                 DocumentKind kind, const std::string& path, const std::function<void()>& close);

// Closes without saving; a document already gone is no failure.
void CloseDocument(const css::uno::Reference<css::lang::XComponent>& document);

}  // namespace pressmoor::office::libreoffice
