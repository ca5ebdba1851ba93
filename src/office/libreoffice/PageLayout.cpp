#include "PageLayout.h"

#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/style/XStyle.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/HoriOrientation.hpp>
#include <com/sun/star/text/XTextContent.hpp>
#include <com/sun/star/text/XTextTablesSupplier.hpp>

#include <optional>

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

// setPropertyValues and getPropertyValues want the names sorted.
const ::rtl::OUString kFrameProperties[] = {"BottomMargin", "Height",    "IsLandscape", "LeftMargin",
                                            "RightMargin",  "TopMargin", "Width"};
constexpr sal_Int32 kFramePropertyCount = 7;
const ::rtl::OUString kDefaultPageStyle = "Standard";

std::int32_t Length(const Any& value) {
  sal_Int32 length = 0;
  value >>= length;
  return length;
}

// One round trip per style instead of one per property.
PageFrame ReadFrame(const Reference<css::container::XNameAccess>& styles,
                    const ::rtl::OUString& name) {
  Reference<css::beans::XMultiPropertySet> properties(styles->getByName(name), UNO_QUERY_THROW);
  const Sequence<Any> values =
      properties->getPropertyValues(Sequence<::rtl::OUString>(kFrameProperties, kFramePropertyCount));
  PageFrame frame;
  frame.style = FromUno(name);
  frame.bottom = Length(values[0]);
  frame.height = Length(values[1]);
  values[2] >>= frame.landscape;
  frame.left = Length(values[3]);
  frame.right = Length(values[4]);
  frame.top = Length(values[5]);
  frame.width = Length(values[6]);
  return frame;
}

// The office counts a page style in use only once a laid-out page shows it.
std::vector<::rtl::OUString> StylesInUse(const Reference<css::container::XNameAccess>& styles,
                                         const Sequence<::rtl::OUString>& names) {
  std::vector<::rtl::OUString> inUse;
  for (const ::rtl::OUString& name : names) {
    Reference<css::style::XStyle> style(styles->getByName(name), UNO_QUERY_THROW);
    if (style->isInUse()) inUse.push_back(name);
  }
  return inUse;
}

// The page styles the document itself holds: the default, those its text
// names and those they hand over to. The office lists its other built-in
// styles by name too, but makes one only when a property of it is read, so
// this must come before any such read.
std::vector<::rtl::OUString> StylesHeld(const Reference<css::container::XNameAccess>& styles,
                                        const Sequence<::rtl::OUString>& names) {
  std::vector<::rtl::OUString> held;
  for (const ::rtl::OUString& name : names) {
    Reference<css::beans::XPropertySet> style(styles->getByName(name), UNO_QUERY_THROW);
    bool physical = false;
    style->getPropertyValue("IsPhysical") >>= physical;
    if (physical) held.push_back(name);
  }
  return held;
}

template <typename Value>
Value Property(const Reference<css::beans::XPropertySet>& properties, const char* name) {
  Value value{};
  properties->getPropertyValue(::rtl::OUString::createFromAscii(name)) >>= value;
  return value;
}

// Where the office puts `table` across the text area, unless its width
// follows the text area's. Tables have no property batches.
std::optional<BodyTable> PlacedTable(const Reference<css::beans::XPropertySet>& table) {
  namespace HoriOrientation = css::text::HoriOrientation;
  const auto orient = Property<sal_Int16>(table, "HoriOrient");
  if (orient == HoriOrientation::FULL || Property<bool>(table, "IsWidthRelative")) {
    return std::nullopt;
  }
  BodyTable placed{.width = Property<sal_Int32>(table, "Width")};
  switch (orient) {
    case HoriOrientation::CENTER:
      placed.align = TableAlign::Centre;
      break;
    case HoriOrientation::RIGHT:
      placed.align = TableAlign::Right;
      break;
    case HoriOrientation::NONE:
      placed.align = TableAlign::Indents;
      placed.left = Property<sal_Int32>(table, "LeftMargin");
      placed.right = Property<sal_Int32>(table, "RightMargin");
      break;
    case HoriOrientation::LEFT_AND_WIDTH:
      placed.left = Property<sal_Int32>(table, "LeftMargin");
      break;
    default:  // the office puts a table aligned left at the edge, whatever its indent
      break;
  }
  return placed;
}

// Whether `table` lies in the text area rather than in a cell of another
// table or in a frame, which hold it to their own width.
bool InTextArea(const Reference<css::text::XTextContent>& table) {
  const Reference<css::beans::XPropertySet> anchor(table->getAnchor(), UNO_QUERY_THROW);
  using Holder = Reference<css::uno::XInterface>;
  return !Property<Holder>(anchor, "TextTable").is() && !Property<Holder>(anchor, "TextFrame").is();
}

}  // namespace

std::vector<BodyTable> ReadBodyTables(const Reference<css::lang::XComponent>& document) {
  const Reference<css::container::XIndexAccess> tables(
      Reference<css::text::XTextTablesSupplier>(document, UNO_QUERY_THROW)->getTextTables(),
      UNO_QUERY_THROW);
  std::vector<BodyTable> found;
  const sal_Int32 count = tables->getCount();
  for (sal_Int32 index = 0; index < count; ++index) {
    const Reference<css::text::XTextContent> table(tables->getByIndex(index), UNO_QUERY_THROW);
    const std::optional<BodyTable> placed =
        PlacedTable(Reference<css::beans::XPropertySet>(table, UNO_QUERY_THROW));
    if (placed && InTextArea(table)) found.push_back(*placed);
  }
  return found;
}

std::vector<PageFrame> ReadPageFrames(const Reference<css::lang::XComponent>& document) {
  const Reference<css::container::XNameAccess> styles = PageStyles(document);
  const Sequence<::rtl::OUString> names = styles->getElementNames();
  // Without a view nothing has been laid out, so asking each style is
  // round trips for nothing.
  const bool laidOut = Reference<css::frame::XModel>(document, UNO_QUERY_THROW)->getCurrentController().is();
  std::vector<::rtl::OUString> chosen;
  if (laidOut) chosen = StylesInUse(styles, names);
  // Before any layout no style shows in use, not even one the text names
  // (a first page of its own, a section turned sideways): then every style
  // the document holds may carry pages.
  if (chosen.empty()) chosen = StylesHeld(styles, names);
  if (chosen.empty() && styles->hasByName(kDefaultPageStyle)) chosen.push_back(kDefaultPageStyle);
  std::vector<PageFrame> frames;
  for (const ::rtl::OUString& name : chosen) frames.push_back(ReadFrame(styles, name));
  return frames;
}

void WritePageFrames(const Reference<css::lang::XComponent>& document,
                     const std::vector<PageFrame>& frames) {
  const Reference<css::container::XNameAccess> styles = PageStyles(document);
  for (const PageFrame& frame : frames) {
    Reference<css::beans::XMultiPropertySet> style(styles->getByName(ToUno(frame.style)),
                                                   UNO_QUERY_THROW);
    const Any values[] = {Any(sal_Int32(frame.bottom)), Any(sal_Int32(frame.height)),
                          Any(frame.landscape),         Any(sal_Int32(frame.left)),
                          Any(sal_Int32(frame.right)),  Any(sal_Int32(frame.top)),
                          Any(sal_Int32(frame.width))};
    style->setPropertyValues(Sequence<::rtl::OUString>(kFrameProperties, kFramePropertyCount),
                             Sequence<Any>(values, kFramePropertyCount));
  }
}

void HoldLayout(const Reference<css::lang::XComponent>& document) {
  Reference<css::frame::XModel>(document, UNO_QUERY_THROW)->lockControllers();
}

void ReleaseLayout(const Reference<css::lang::XComponent>& document) {
  Reference<css::frame::XModel>(document, UNO_QUERY_THROW)->unlockControllers();
}

}  // namespace pressmoor::office::libreoffice
