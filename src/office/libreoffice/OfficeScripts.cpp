#include "OfficeScripts.h"

#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/script/XLibraryContainer.hpp>
#include <com/sun/star/script/provider/XScriptProviderFactory.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>

namespace pressmoor::office::libreoffice {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

constexpr const char* kLibrary = "PressmoorOffice";

template <typename Interface>
Reference<Interface> Create(const Reference<css::uno::XComponentContext>& context, const char* service) {
  return Reference<Interface>(context->getServiceManager()->createInstanceWithContext(
                                  ::rtl::OUString::createFromAscii(service), context),
                              UNO_QUERY_THROW);
}

template <typename Element>
bool AsRows(const Any& value, Sequence<Any>& rows) {
  Sequence<Element> typed;
  if (!(value >>= typed)) return false;
  rows.realloc(typed.getLength());
  for (sal_Int32 index = 0; index < typed.getLength(); ++index) rows.getArray()[index] <<= typed[index];
  return true;
}

}  // namespace

Sequence<Any> BasicRows(const Any& value) {
  Sequence<Any> rows;
  if (value >>= rows) return rows;
  if (AsRows<Sequence<Any>>(value, rows) || AsRows<::rtl::OUString>(value, rows)) return rows;
  throw css::uno::RuntimeException("The office's Basic gave no array but " + value.getValueTypeName() + ".");
}

void OfficeScripts::Install(const Reference<css::uno::XComponentContext>& context,
                            const BasicModule& module) {
  const Reference<css::script::XLibraryContainer> libraries =
      Create<css::script::XLibraryContainer>(context, "com.sun.star.script.ApplicationScriptLibraryContainer");
  const ::rtl::OUString library = ::rtl::OUString::createFromAscii(kLibrary);
  if (!libraries->hasByName(library)) libraries->createLibrary(library);
  libraries->loadLibrary(library);
  const Reference<css::container::XNameContainer> modules(libraries->getByName(library), UNO_QUERY_THROW);
  const ::rtl::OUString name = ::rtl::OUString::createFromAscii(module.name);
  const Any source(::rtl::OUString::createFromAscii(module.source));
  if (modules->hasByName(name)) {
    modules->replaceByName(name, source);
  } else {
    modules->insertByName(name, source);
  }
  if (!provider_.is()) {
    provider_ = Create<css::script::provider::XScriptProviderFactory>(
                    context, "com.sun.star.script.provider.MasterScriptProviderFactory")
                    ->createScriptProvider(Any(::rtl::OUString()));
  }
}

Any OfficeScripts::Call(const Reference<css::uno::XComponentContext>& context, const BasicModule& module,
                        const char* function, const Sequence<Any>& arguments) {
  const std::string key = std::string(module.name) + "." + function;
  Reference<css::script::provider::XScript>& script = scripts_[key];
  if (!script.is()) {
    if (!installed_.contains(module.name)) {
      Install(context, module);
      installed_.insert(module.name);
    }
    script = provider_->getScript(::rtl::OUString::createFromAscii(
        ("vnd.sun.star.script:" + std::string(kLibrary) + "." + key + "?language=Basic&location=application")
            .c_str()));
  }
  Sequence<sal_Int16> outIndex;
  Sequence<Any> out;
  const Any result = script->invoke(arguments, outIndex, out);
  ::rtl::OUString error;
  if (result >>= error) throw css::uno::RuntimeException("Basic: " + error);
  return result;
}

}  // namespace pressmoor::office::libreoffice
