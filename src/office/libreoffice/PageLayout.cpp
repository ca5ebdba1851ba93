#include "PageLayout.h"

#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/style/XStyle.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>

#include "OfficeSession.h"

namespace pressmoor::office::libreoffice {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

Reference<css::container::XNameAccess> PageStyles(const Reference<css::lang::XComponent>& document) {
  Reference<css::style::XStyleFamiliesSupplier> supplier(document, UNO_QUERY_THROW);
  return Reference<css::container::XNameAccess>(
      supplier->getStyleFamilies()->getByName("PageStyles"), UNO_QUERY_THROW);
}

std::int32_t Length(const Reference<css::beans::XPropertySet>& style, const char* name) {
  sal_Int32 value = 0;
  style->getPropertyValue(::rtl::OUString::createFromAscii(name)) >>= value;
  return value;
}

}  // namespace

std::vector<PageFrame> ReadPageFrames(const Reference<css::lang::XComponent>& document) {
  const Reference<css::container::XNameAccess> styles = PageStyles(document);
  const Sequence<::rtl::OUString> names = styles->getElementNames();
  std::vector<PageFrame> frames;
  for (sal_Int32 i = 0; i < names.getLength(); ++i) {
    Reference<css::style::XStyle> style(styles->getByName(names[i]), UNO_QUERY_THROW);
    if (!style->isInUse()) continue;
    Reference<css::beans::XPropertySet> properties(style, UNO_QUERY_THROW);
    PageFrame frame;
    frame.style = FromUno(names[i]);
    frame.width = Length(properties, "Width");
    frame.height = Length(properties, "Height");
    frame.left = Length(properties, "LeftMargin");
    frame.right = Length(properties, "RightMargin");
    frame.top = Length(properties, "TopMargin");
    frame.bottom = Length(properties, "BottomMargin");
    properties->getPropertyValue("IsLandscape") >>= frame.landscape;
    frames.push_back(frame);
  }
  return frames;
}

void WritePageFrames(const Reference<css::lang::XComponent>& document,
                     const std::vector<PageFrame>& frames) {
  const Reference<css::container::XNameAccess> styles = PageStyles(document);
  // setPropertyValues wants the names sorted.
  const ::rtl::OUString names[] = {"BottomMargin", "Height",      "IsLandscape", "LeftMargin",
                                   "RightMargin",  "TopMargin",   "Width"};
  for (const PageFrame& frame : frames) {
    Reference<css::beans::XMultiPropertySet> style(styles->getByName(ToUno(frame.style)),
                                                   UNO_QUERY_THROW);
    const Any values[] = {Any(sal_Int32(frame.bottom)), Any(sal_Int32(frame.height)),
                          Any(frame.landscape),         Any(sal_Int32(frame.left)),
                          Any(sal_Int32(frame.right)),  Any(sal_Int32(frame.top)),
                          Any(sal_Int32(frame.width))};
    style->setPropertyValues(Sequence<::rtl::OUString>(names, 7), Sequence<Any>(values, 7));
  }
}

}  // namespace pressmoor::office::libreoffice
