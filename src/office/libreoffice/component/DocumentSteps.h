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
css::uno::Any StoreAndClose(const StepArguments& arguments);

// In PageSteps.cpp.
css::uno::Any PageStyles(const StepArguments& arguments);
css::uno::Any BodyTables(const StepArguments& arguments);
css::uno::Any SetUpForPrint(const css::uno::Reference<css::uno::XComponentContext>& context,
                            const StepArguments& arguments);

}  // namespace pressmoor::office::libreoffice::component
