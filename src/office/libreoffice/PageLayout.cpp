#include "PageLayout.h"

#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/text/HoriOrientation.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>

#include <optional>

#include "OfficeStepNames.h"
#include "UnoValues.h"

namespace pressmoor::office::libreoffice {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

constexpr sal_Int32 kFramePropertyCount = steps::kFramePropertyCount;
const ::rtl::OUString kDefaultPageStyle = "Standard";

std::int32_t Length(const Any& value) {
  sal_Int32 length = 0;
  value >>= length;
  return length;
}

PageFrame FrameFrom(const ::rtl::OUString& name, const Sequence<Any>& values) {
  if (values.getLength() != kFramePropertyCount) {
    throw css::uno::RuntimeException("A page style gave no frame.");
  }
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

// Reading a built-in style the document does not hold makes one, so this is
// kept for the default when the document holds no style at all.
PageFrame ReadDefaultFrame(const Reference<css::lang::XComponent>& document) {
  Reference<css::style::XStyleFamiliesSupplier> supplier(document, UNO_QUERY_THROW);
  const Reference<css::container::XNameAccess> styles(
      supplier->getStyleFamilies()->getByName("PageStyles"), UNO_QUERY_THROW);
  Reference<css::beans::XMultiPropertySet> properties(styles->getByName(kDefaultPageStyle), UNO_QUERY_THROW);
  Sequence<::rtl::OUString> names(kFramePropertyCount);
  for (sal_Int32 i = 0; i < kFramePropertyCount; ++i) {
    names.getArray()[i] = ::rtl::OUString::createFromAscii(steps::kFrameProperties[i]);
  }
  return FrameFrom(kDefaultPageStyle, properties->getPropertyValues(names));
}

struct TableRow {
  sal_Int16 orient = 0;
  bool relative = false;
  sal_Int32 width = 0;
  sal_Int32 left = 0;
  sal_Int32 right = 0;
  bool inTextArea = true;
};

TableRow TableRowFrom(const Sequence<Any>& values) {
  if (values.getLength() != 6) throw css::uno::RuntimeException("A table row is short.");
  TableRow row;
  values[0] >>= row.orient;
  values[1] >>= row.relative;
  values[2] >>= row.width;
  values[3] >>= row.left;
  values[4] >>= row.right;
  values[5] >>= row.inTextArea;
  return row;
}

// Where the office puts the table across the text area, unless its width
// follows the text area's.
std::optional<BodyTable> PlacedTable(const TableRow& table) {
  namespace HoriOrientation = css::text::HoriOrientation;
  if (table.orient == HoriOrientation::FULL || table.relative) return std::nullopt;
  BodyTable placed{.width = table.width};
  switch (table.orient) {
    case HoriOrientation::CENTER:
      placed.align = TableAlign::Centre;
      break;
    case HoriOrientation::RIGHT:
      placed.align = TableAlign::Right;
      break;
    case HoriOrientation::NONE:
      placed.align = TableAlign::Indents;
      placed.left = table.left;
      placed.right = table.right;
      break;
    case HoriOrientation::LEFT_AND_WIDTH:
      placed.left = table.left;
      break;
    default:  // the office puts a table aligned left at the edge, whatever its indent
      break;
  }
  return placed;
}

std::vector<BodyTable> BodyTablesFrom(const Sequence<Any>& rows) {
  std::vector<BodyTable> found;
  for (const Any& row : rows) {
    const TableRow table = TableRowFrom(Rows(row));
    const std::optional<BodyTable> placed = PlacedTable(table);
    if (placed && table.inTextArea) found.push_back(*placed);
  }
  return found;
}

std::vector<PageFrame> PageFramesFrom(const Sequence<Any>& rows, const Reference<css::lang::XComponent>& document) {
  std::vector<PageFrame> inUse;
  std::vector<PageFrame> held;
  bool hasDefault = false;
  for (const Any& value : rows) {
    const Sequence<Any> row = Rows(value);
    if (row.getLength() < 3) throw css::uno::RuntimeException("A page style row is short.");
    ::rtl::OUString name;
    bool isHeld = false;
    bool isInUse = false;
    row[0] >>= name;
    row[1] >>= isHeld;
    row[2] >>= isInUse;
    hasDefault = hasDefault || name == kDefaultPageStyle;
    if (row.getLength() < 4) continue;
    const PageFrame frame = FrameFrom(name, Rows(row[3]));
    if (isInUse) inUse.push_back(frame);
    if (isHeld) held.push_back(frame);
  }
  // Before any layout no style shows in use, not even one the text names
  // (a first page of its own, a section turned sideways): then every style
  // the document holds may carry pages.
  if (!inUse.empty()) return inUse;
  if (!held.empty()) return held;
  if (hasDefault) return {ReadDefaultFrame(document)};
  return {};
}

}  // namespace

PageSetUpAsRead ReadPageSetUpOf(OfficeSession& session, const Reference<css::lang::XComponent>& document) {
  const Sequence<Any> read = session.RunStep(steps::kPageSetUp, {Named(steps::kDocument, Any(document))});
  if (read.getLength() != 2) throw css::uno::RuntimeException("The office did not read the page set-up.");
  std::vector<BodyTable> tables = BodyTablesFrom(Rows(read[1]));
  return {PageFramesFrom(Rows(read[0]), document), std::move(tables)};
}

std::string SetUpPagesForPrint(OfficeSession& session, const Reference<css::lang::XComponent>& document,
                               const std::vector<PageFrame>& frames, bool releaseLayout) {
  std::vector<Any> names;
  std::vector<Any> values;
  for (const PageFrame& frame : frames) {
    names.emplace_back(ToUno(frame.style));
    const Any frameValues[] = {Any(sal_Int32(frame.bottom)), Any(sal_Int32(frame.height)),
                               Any(frame.landscape),         Any(sal_Int32(frame.left)),
                               Any(sal_Int32(frame.right)),  Any(sal_Int32(frame.top)),
                               Any(sal_Int32(frame.width))};
    values.emplace_back(Sequence<Any>(frameValues, kFramePropertyCount));
  }
  const Sequence<Any> filter = session.RunStep(
      steps::kSetUpForPrint,
      {Named(steps::kDocument, Any(document)),
       Named(steps::kNames, Any(Sequence<Any>(names.data(), static_cast<sal_Int32>(names.size())))),
       Named(steps::kFrames, Any(Sequence<Any>(values.data(), static_cast<sal_Int32>(values.size())))),
       Named(steps::kRelease, Any(releaseLayout))});
  ::rtl::OUString name;
  if (filter.getLength() != 1 || !(filter[0] >>= name)) {
    throw css::uno::RuntimeException("The office named no PDF export filter.");
  }
  return FromUno(name);
}

}  // namespace pressmoor::office::libreoffice
