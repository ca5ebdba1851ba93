#include "UnoValues.h"

#include <com/sun/star/uno/RuntimeException.hpp>
#include <osl/file.hxx>

namespace pressmoor::office::libreoffice {

css::beans::PropertyValue Property(const char* name, const css::uno::Any& value) {
  css::beans::PropertyValue property;
  property.Name = ::rtl::OUString::createFromAscii(name);
  property.Value = value;
  return property;
}

css::beans::NamedValue Named(const char* name, const css::uno::Any& value) {
  return css::beans::NamedValue(::rtl::OUString::createFromAscii(name), value);
}

css::uno::Sequence<css::uno::Any> Rows(const css::uno::Any& value) {
  css::uno::Sequence<css::uno::Any> rows;
  if (!(value >>= rows)) {
    throw css::uno::RuntimeException("The office gave no rows but " + value.getValueTypeName() + ".");
  }
  return rows;
}

css::uno::Sequence<css::beans::PropertyValue> AsSequence(
    const std::vector<css::beans::PropertyValue>& values) {
  return css::uno::Sequence<css::beans::PropertyValue>(values.data(),
                                                       static_cast<sal_Int32>(values.size()));
}

::rtl::OUString FileUrl(const std::string& path) {
  ::rtl::OUString url;
  if (osl::FileBase::getFileURLFromSystemPath(ToUno(path), url) != osl::FileBase::E_None) {
    return ::rtl::OUString();
  }
  return url;
}

}  // namespace pressmoor::office::libreoffice
