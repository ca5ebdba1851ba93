#include "PageLayout.h"

#include <com/sun/star/beans/XMultiPropertySet.hpp>
#include <com/sun/star/container/XNameAccess.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/style/XStyleFamiliesSupplier.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>

#include "OfficeStepNames.h"
#include "PageSetUpRows.h"
#include "UnoValues.h"

namespace pressmoor::office::libreoffice {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY_THROW;

constexpr sal_Int32 kFramePropertyCount = steps::kFramePropertyCount;
const ::rtl::OUString kDefaultPageStyle = "Standard";

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

}  // namespace

PageSetUpAsRead ReadPageSetUpOf(OfficeSession& session, const Reference<css::lang::XComponent>& document) {
  const Sequence<Any> read = session.RunStep(steps::kPageSetUp, {Named(steps::kDocument, Any(document))});
  if (read.getLength() != 2) throw css::uno::RuntimeException("The office did not read the page set-up.");
  std::vector<BodyTable> tables = BodyTablesFrom(Rows(read[1]));
  return {PageFramesFrom(Rows(read[0]), [&]() { return ReadDefaultFrame(document); }), std::move(tables)};
}

std::string SetUpPagesForPrint(OfficeSession& session, const Reference<css::lang::XComponent>& document,
                               const std::vector<PageFrame>& frames, bool releaseLayout) {
  std::vector<Any> names;
  std::vector<Any> values;
  for (const PageFrame& frame : frames) {
    names.emplace_back(ToUno(frame.style));
    values.emplace_back(FrameValues(frame));
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
