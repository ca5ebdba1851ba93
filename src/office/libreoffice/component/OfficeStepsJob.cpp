#include "OfficeStepsJob.h"

#include <com/sun/star/lang/DisposedException.hpp>
#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>
#include <cppuhelper/supportsservice.hxx>

#include "DocumentSteps.h"
#include "MainThread.h"
#include "OfficeStepNames.h"

namespace pressmoor::office::libreoffice::component {

using css::uno::Any;
using css::uno::Sequence;

OfficeStepsJob::OfficeStepsJob(const css::uno::Reference<css::uno::XComponentContext>& context)
    : context_(context) {}

Any OfficeStepsJob::execute(const Sequence<css::beans::NamedValue>& arguments) {
  const ::rtl::OUString step = StepArguments(arguments).Get<::rtl::OUString>(steps::kStep);
  try {
    return OnMainThread(context_, [&]() { return Do(step, arguments); });
  } catch (const css::lang::DisposedException& error) {
    throw css::uno::RuntimeException(step + ": " + error.Message);
  }
}

Any OfficeStepsJob::Do(const ::rtl::OUString& step, const Sequence<css::beans::NamedValue>& values) {
  const StepArguments arguments(values);
  if (step.equalsAscii(steps::kLoad)) return Load(context_, arguments);
  if (step.equalsAscii(steps::kPageSetUp)) {
    const auto document = arguments.Get<css::uno::Reference<css::lang::XComponent>>(steps::kDocument);
    // Tables first, in the order the caller has always read them.
    const Any tables = BodyTables(document);
    const Any read[] = {PageStyles(document), tables};
    return Any(Sequence<Any>(read, 2));
  }
  if (step.equalsAscii(steps::kSetUpForPrint)) {
    const Any filter(SetUpForPrint(context_, arguments.Get<css::uno::Reference<css::lang::XComponent>>(steps::kDocument),
                                   arguments.Get<Sequence<Any>>(steps::kNames),
                                   arguments.Get<Sequence<Any>>(steps::kFrames), arguments.Get<bool>(steps::kRelease)));
    return Any(Sequence<Any>(&filter, 1));
  }
  if (step.equalsAscii(steps::kPrintAhead)) return PrintAhead(context_, arguments);
  throw css::lang::IllegalArgumentException("No such step: " + step, {}, 0);
}

::rtl::OUString OfficeStepsJob::getImplementationName() {
  return ::rtl::OUString::createFromAscii(steps::kImplementation);
}

sal_Bool OfficeStepsJob::supportsService(const ::rtl::OUString& name) {
  return cppu::supportsService(this, name);
}

Sequence<::rtl::OUString> OfficeStepsJob::getSupportedServiceNames() {
  const ::rtl::OUString name = ::rtl::OUString::createFromAscii(steps::kService);
  return Sequence<::rtl::OUString>(&name, 1);
}

}  // namespace pressmoor::office::libreoffice::component

// The constructor the registration file names.
extern "C" SAL_DLLPUBLIC_EXPORT css::uno::XInterface* com_tarnwick_pressmoor_OfficeSteps_get_implementation(
    css::uno::XComponentContext* context, const css::uno::Sequence<css::uno::Any>&) {
  auto* job = new pressmoor::office::libreoffice::component::OfficeStepsJob(context);
  job->acquire();
  return static_cast<cppu::OWeakObject*>(job);
}
