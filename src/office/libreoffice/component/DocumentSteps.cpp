#include "DocumentSteps.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/util/XCloseable.hpp>

#include "OfficeStepNames.h"

namespace pressmoor::office::libreoffice::component {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

Any LoadedAs(const Reference<css::lang::XComponent>& document, bool hold) {
  bool text = false;
  bool web = false;
  bool sheet = false;
  bool slides = false;
  if (Reference<css::lang::XServiceInfo> info(document, UNO_QUERY); info.is()) {
    text = info->supportsService("com.sun.star.text.TextDocument");
    web = info->supportsService("com.sun.star.text.WebDocument");
    sheet = info->supportsService("com.sun.star.sheet.SpreadsheetDocument");
    slides = info->supportsService("com.sun.star.presentation.PresentationDocument");
  }
  ::rtl::OUString filter;
  Reference<css::frame::XModel> model(document, UNO_QUERY);
  if (model.is()) {
    for (const css::beans::PropertyValue& argument : model->getArgs()) {
      if (argument.Name == "FilterName") argument.Value >>= filter;
    }
  }
  if (hold && (text || web)) Reference<css::frame::XModel>(document, UNO_QUERY_THROW)->lockControllers();
  const Any row[] = {Any(text), Any(web), Any(sheet), Any(slides), Any(filter)};
  return Any(Sequence<Any>(row, 5));
}

void CloseQuietly(const Reference<css::lang::XComponent>& document) {
  try {
    Reference<css::util::XCloseable>(document, UNO_QUERY_THROW)->close(true);
  } catch (const css::uno::Exception&) {
  }
}

}  // namespace pressmoor::office::libreoffice::component
