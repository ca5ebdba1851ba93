#include "UnoValues.h"

#include <osl/file.hxx>

namespace pressmoor::office::libreoffice {

css::beans::PropertyValue Property(const char* name, const css::uno::Any& value) {
  css::beans::PropertyValue property;
  property.Name = ::rtl::OUString::createFromAscii(name);
  property.Value = value;
  return property;
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
