#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XLoadable.hpp>
#include <com/sun/star/io/XInputStream.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/task/XInteractionAbort.hpp>
#include <com/sun/star/task/XInteractionHandler.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <cppuhelper/implbase1.hxx>

#include <vector>

#include "DocumentSteps.h"
#include "OfficeStepNames.h"

namespace pressmoor::office::libreoffice::component {
namespace {

using css::beans::PropertyValue;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

// Answers every question the office would put to a user with "abort", so a
// password prompt fails the load instead of waiting for someone.
class AbortingInteractionHandler : public cppu::WeakImplHelper1<css::task::XInteractionHandler> {
 public:
  void SAL_CALL handle(const Reference<css::task::XInteractionRequest>& request) override {
    for (const Reference<css::task::XInteractionContinuation>& choice : request->getContinuations()) {
      Reference<css::task::XInteractionAbort> abort(choice, UNO_QUERY);
      if (abort.is()) {
        abort->select();
        return;
      }
    }
  }
};

PropertyValue Property(const char* name, const Any& value) {
  PropertyValue property;
  property.Name = ::rtl::OUString::createFromAscii(name);
  property.Value = value;
  return property;
}

Reference<css::io::XInputStream> StreamOf(const Reference<css::uno::XComponentContext>& context,
                                          const Sequence<sal_Int8>& bytes) {
  const Any argument(bytes);
  return Reference<css::io::XInputStream>(
      context->getServiceManager()->createInstanceWithArgumentsAndContext(
          "com.sun.star.io.SequenceInputStream", Sequence<Any>(&argument, 1), context),
      UNO_QUERY_THROW);
}

void Close(const Reference<css::lang::XComponent>& document) {
  try {
    Reference<css::util::XCloseable>(document, UNO_QUERY_THROW)->close(true);
  } catch (const css::uno::RuntimeException&) {
    throw;
  } catch (const css::uno::Exception&) {
  }
}

// A text read into a model of its own, without a window: laid out only when
// it is printed, after its page set-up.
Reference<css::lang::XComponent> LoadWithoutWindow(const Reference<css::uno::XComponentContext>& context,
                                                   const ::rtl::OUString& url,
                                                   std::vector<PropertyValue> properties) {
  Reference<css::frame::XLoadable> loadable(
      context->getServiceManager()->createInstanceWithContext("com.sun.star.text.TextDocument", context),
      UNO_QUERY_THROW);
  properties.push_back(Property("URL", Any(url)));
  Reference<css::lang::XComponent> document(loadable, UNO_QUERY_THROW);
  try {
    loadable->load(Sequence<PropertyValue>(properties.data(), static_cast<sal_Int32>(properties.size())));
  } catch (const css::uno::RuntimeException&) {
    throw;
  } catch (const css::uno::Exception&) {
    Close(document);
    throw;
  }
  return document;
}

}  // namespace

Any Load(const Reference<css::uno::XComponentContext>& context, const StepArguments& arguments) {
  const auto url = arguments.Get<::rtl::OUString>(steps::kUrl);
  const auto given = arguments.Get<Sequence<PropertyValue>>(steps::kArguments);
  std::vector<PropertyValue> properties(given.begin(), given.end());
  properties.push_back(Property("InteractionHandler",
                                Any(Reference<css::task::XInteractionHandler>(new AbortingInteractionHandler()))));
  Sequence<sal_Int8> page;
  if (arguments.Value(steps::kPage) >>= page) {
    properties.push_back(Property("InputStream", Any(StreamOf(context, page))));
  }
  const Reference<css::lang::XComponent> document =
      arguments.Get<bool>(steps::kWithoutWindow)
          ? LoadWithoutWindow(context, url, properties)
          : css::frame::Desktop::create(context)->loadComponentFromURL(
                url, "_blank", 0,
                Sequence<PropertyValue>(properties.data(), static_cast<sal_Int32>(properties.size())));
  if (!document.is()) return Any(Sequence<Any>());
  Sequence<Any> loaded;
  LoadedAs(document, arguments.Get<bool>(steps::kHold)) >>= loaded;
  Sequence<Any> row(loaded.getLength() + 1);
  row.getArray()[0] <<= document;
  for (sal_Int32 i = 0; i < loaded.getLength(); ++i) row.getArray()[i + 1] = loaded[i];
  return Any(row);
}

}  // namespace pressmoor::office::libreoffice::component
