// The office component: a job that does one named step of a document's work
// per call, inside the office and on its main thread (OfficeStepNames.h names
// the steps, DocumentSteps.h does them). An exception of a step comes back
// as the office threw it, except that a disposed object becomes a runtime
// error: the caller takes a disposed bridge for a lost office.
#pragma once

#include <com/sun/star/beans/NamedValue.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/task/XJob.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/implbase2.hxx>

namespace pressmoor::office::libreoffice::component {

namespace css = ::com::sun::star;

class OfficeStepsJob : public cppu::WeakImplHelper2<css::task::XJob, css::lang::XServiceInfo> {
 public:
  explicit OfficeStepsJob(const css::uno::Reference<css::uno::XComponentContext>& context);

  css::uno::Any SAL_CALL execute(const css::uno::Sequence<css::beans::NamedValue>& arguments) override;

  ::rtl::OUString SAL_CALL getImplementationName() override;
  sal_Bool SAL_CALL supportsService(const ::rtl::OUString& name) override;
  css::uno::Sequence<::rtl::OUString> SAL_CALL getSupportedServiceNames() override;

 private:
  css::uno::Any Do(const ::rtl::OUString& step, const css::uno::Sequence<css::beans::NamedValue>& arguments);

  css::uno::Reference<css::uno::XComponentContext> context_;
};

}  // namespace pressmoor::office::libreoffice::component
