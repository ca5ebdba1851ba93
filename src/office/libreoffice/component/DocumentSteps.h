// The steps the office component does to a document, each in the office's
// own process, named and shaped as OfficeStepNames.h says. They only read
// and write; what the answers mean is decided by the caller. Each throws
// what the office throws; run them on the office's main thread.
#pragma once

#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/uno/Any.hxx>
#include <com/sun/star/uno/XComponentContext.hpp>

#include "StepArguments.h"

namespace pressmoor::office::libreoffice::component {

css::uno::Any LoadedAs(const css::uno::Reference<css::lang::XComponent>& document, bool hold);

// In LoadStep.cpp.
css::uno::Any Load(const css::uno::Reference<css::uno::XComponentContext>& context,
                   const StepArguments& arguments);
// Closes without saving; a vetoed close counts for nothing.
void CloseQuietly(const css::uno::Reference<css::lang::XComponent>& document);

// In PageSteps.cpp: the page styles and the tables, as OfficeStepNames.h
// shapes the PageSetUp step's answer; the frame values of the default page
// style; and the set-up for printing, which returns the PDF export filter.
css::uno::Any PageStyles(const css::uno::Reference<css::lang::XComponent>& document);
css::uno::Any BodyTables(const css::uno::Reference<css::lang::XComponent>& document);
css::uno::Sequence<css::uno::Any> DefaultFrameValues(const css::uno::Reference<css::lang::XComponent>& document);
::rtl::OUString SetUpForPrint(const css::uno::Reference<css::uno::XComponentContext>& context,
                              const css::uno::Reference<css::lang::XComponent>& document,
                              const css::uno::Sequence<css::uno::Any>& names,
                              const css::uno::Sequence<css::uno::Any>& frames, bool release);

// In PrintAheadStep.cpp.
css::uno::Any PrintAhead(const css::uno::Reference<css::uno::XComponentContext>& context,
                         const StepArguments& arguments);

}  // namespace pressmoor::office::libreoffice::component
