#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/style/XStyle.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/HoriOrientation.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>

#include "DocumentSteps.h"
#include "OfficeStepNames.h"

namespace pressmoor::office::libreoffice::component {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

Sequence<::rtl::OUString> FrameNames() {
  Sequence<::rtl::OUString> names(steps::kFramePropertyCount);
  for (int i = 0; i < steps::kFramePropertyCount; ++i) {
    names.getArray()[i] = ::rtl::OUString::createFromAscii(steps::kFrameProperties[i]);
  }
  return names;
}

Reference<css::container::XNameAccess> PageStylesOf(const Reference<css::lang::XComponent>& document) {
  Reference<css::style::XStyleFamiliesSupplier> supplier(document, UNO_QUERY_THROW);
  return Reference<css::container::XNameAccess>(supplier->getStyleFamilies()->getByName("PageStyles"),
                                                UNO_QUERY_THROW);
}

// Neither a value nor an object.
bool Absent(const Any& value) {
  Reference<css::uno::XInterface> object;
  return !value.hasValue() || (value.getValueTypeClass() == css::uno::TypeClass_INTERFACE &&
                               (value >>= object) && !object.is());
}

template <typename... Values>
Any Row(const Values&... values) {
  const Any row[] = {Any(values)...};
  return Any(Sequence<Any>(row, static_cast<sal_Int32>(sizeof...(Values))));
}

}  // namespace

Any PageStyles(const Reference<css::lang::XComponent>& document) {
  const Reference<css::container::XNameAccess> styles = PageStylesOf(document);
  const bool laidOut = Reference<css::frame::XModel>(document, UNO_QUERY_THROW)->getCurrentController().is();
  const Sequence<::rtl::OUString> names = styles->getElementNames();
  const Sequence<::rtl::OUString> frameNames = FrameNames();
  Sequence<Any> rows(names.getLength());
  for (sal_Int32 i = 0; i < names.getLength(); ++i) {
    Reference<css::style::XStyle> style(styles->getByName(names[i]), UNO_QUERY_THROW);
    bool held = false;
    Reference<css::beans::XPropertySet>(style, UNO_QUERY_THROW)->getPropertyValue("IsPhysical") >>= held;
    const bool inUse = laidOut && style->isInUse();
    rows.getArray()[i] =
        held || inUse
            ? Row(names[i], held, inUse,
                  Reference<css::beans::XMultiPropertySet>(style, UNO_QUERY_THROW)->getPropertyValues(frameNames))
            : Row(names[i], held, inUse);
  }
  return Any(rows);
}

Any BodyTables(const Reference<css::lang::XComponent>& document) {
  Reference<css::container::XIndexAccess> tables(
      Reference<css::text::XTextTablesSupplier>(document, UNO_QUERY_THROW)->getTextTables(), UNO_QUERY_THROW);
  Sequence<Any> rows(tables->getCount());
  for (sal_Int32 i = 0; i < rows.getLength(); ++i) {
    Reference<css::beans::XPropertySet> table(tables->getByIndex(i), UNO_QUERY_THROW);
    sal_Int16 orient = 0;
    bool relative = false;
    table->getPropertyValue("HoriOrient") >>= orient;
    table->getPropertyValue("IsWidthRelative") >>= relative;
    bool inText = true;
    if (orient != css::text::HoriOrientation::FULL && !relative) {
      Reference<css::beans::XPropertySet> anchor(
          Reference<css::text::XTextContent>(table, UNO_QUERY_THROW)->getAnchor(), UNO_QUERY_THROW);
      inText = Absent(anchor->getPropertyValue("TextTable")) && Absent(anchor->getPropertyValue("TextFrame"));
    }
    rows.getArray()[i] = Row(orient, relative, table->getPropertyValue("Width"),
                             table->getPropertyValue("LeftMargin"), table->getPropertyValue("RightMargin"),
                             inText);
  }
  return Any(rows);
}

Sequence<Any> DefaultFrameValues(const Reference<css::lang::XComponent>& document) {
  return Reference<css::beans::XMultiPropertySet>(PageStylesOf(document)->getByName("Standard"), UNO_QUERY_THROW)
      ->getPropertyValues(FrameNames());
}

::rtl::OUString SetUpForPrint(const Reference<css::uno::XComponentContext>& context,
                              const Reference<css::lang::XComponent>& document, const Sequence<Any>& names,
                              const Sequence<Any>& frames, bool release) {
  if (names.getLength() > 0) {
    const Reference<css::container::XNameAccess> styles = PageStylesOf(document);
    const Sequence<::rtl::OUString> frameNames = FrameNames();
    for (sal_Int32 i = 0; i < names.getLength(); ++i) {
      ::rtl::OUString name;
      Sequence<Any> values;
      names[i] >>= name;
      if (i < frames.getLength()) frames[i] >>= values;
      Reference<css::beans::XMultiPropertySet>(styles->getByName(name), UNO_QUERY_THROW)
          ->setPropertyValues(frameNames, values);
    }
  }
  const Reference<css::frame::XModel> model(document, UNO_QUERY_THROW);
  if (release) model->unlockControllers();
  if (!model->getCurrentController().is()) {
    css::beans::PropertyValue view[2];
    view[0].Name = "Hidden";
    view[0].Value <<= true;
    view[1].Name = "Model";
    view[1].Value <<= model;
    css::frame::Desktop::create(context)->loadComponentFromURL("private:object", "_blank", 0,
                                                                Sequence<css::beans::PropertyValue>(view, 2));
  }
  const bool web =
      Reference<css::lang::XServiceInfo>(document, UNO_QUERY_THROW)->supportsService("com.sun.star.text.WebDocument");
  return ::rtl::OUString::createFromAscii(web ? "writer_web_pdf_Export" : "writer_pdf_Export");
}

}  // namespace pressmoor::office::libreoffice::component
