// A document printed ahead in one call: loaded, checked, set up, printed and
// closed inside the office, so that its reference never crosses the bridge.
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>

#include <optional>
#include <vector>

#include "DocumentSteps.h"
#include "OfficeStepNames.h"
#include "PageSetUpRows.h"

namespace pressmoor::office::libreoffice::component {
namespace {

using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

// The Load step's answer after the document: text, web, workbook, slides, filter.
constexpr sal_Int32 kLoadedFacts = 5;

bool OffersAny(const Reference<css::lang::XComponent>& document, const Sequence<::rtl::OUString>& services) {
  Reference<css::lang::XServiceInfo> info(document, UNO_QUERY);
  if (!info.is()) return false;
  for (const ::rtl::OUString& service : services) {
    if (info->supportsService(service)) return true;
  }
  return false;
}

struct PlannedSetUp {
  std::vector<PageFrame> read;
  std::vector<BodyTable> tables;
  std::vector<PageFrame> printed;
};

// The page styles as read, with the recipe's steps applied as the caller
// would apply them; a step the pages refuse is passed over.
PlannedSetUp PlanPages(const Reference<css::lang::XComponent>& document, const StepArguments& arguments) {
  PlannedSetUp setUp;
  Sequence<Any> tableRows;
  Sequence<Any> styleRows;
  BodyTables(document) >>= tableRows;
  PageStyles(document) >>= styleRows;
  setUp.tables = BodyTablesFrom(tableRows);
  setUp.read = PageFramesFrom(styleRows, [&]() { return FrameFrom("Standard", DefaultFrameValues(document)); });
  std::vector<PageFrame> start = setUp.read;
  Sequence<double> paper;
  if ((arguments.Value(steps::kPaper) >>= paper) && paper.getLength() == 2) {
    start = OnPaper(std::move(start), paper[0], paper[1]);
  }
  PagePlan plan(std::move(start), setUp.tables);
  for (const PageStep& step : StepsFromRows(arguments.Value(steps::kPageSteps))) step.ApplyTo(plan);
  setUp.printed = plan.Frames();
  return setUp;
}

// The styles to write: none when the office holds them already.
void FramesToWrite(const PlannedSetUp& setUp, Sequence<Any>& names, Sequence<Any>& values) {
  if (setUp.printed == setUp.read) return;
  names.realloc(static_cast<sal_Int32>(setUp.printed.size()));
  values.realloc(names.getLength());
  for (std::size_t i = 0; i < setUp.printed.size(); ++i) {
    names.getArray()[i] <<= ::rtl::OStringToOUString(setUp.printed[i].style.c_str(), RTL_TEXTENCODING_UTF8);
    values.getArray()[i] <<= FrameValues(setUp.printed[i]);
  }
}

Sequence<css::beans::PropertyValue> WithFilter(Sequence<css::beans::PropertyValue> arguments,
                                                const ::rtl::OUString& filter) {
  css::beans::PropertyValue* values = arguments.getArray();
  for (sal_Int32 i = 0; i < arguments.getLength(); ++i) {
    if (values[i].Name == "FilterName") values[i].Value <<= filter;
  }
  return arguments;
}

// Sets up and prints `document`; what its set-up was, when planned.
std::optional<PlannedSetUp> SetUpAndPrint(const Reference<css::uno::XComponentContext>& context,
                                          const Reference<css::lang::XComponent>& document,
                                          const StepArguments& arguments) {
  std::optional<PlannedSetUp> setUp;
  auto store = arguments.Get<Sequence<css::beans::PropertyValue>>(steps::kStoreArguments);
  if (arguments.Get<bool>(steps::kWordSetUp)) {
    Sequence<Any> names;
    Sequence<Any> values;
    if (arguments.Value(steps::kPageSteps).hasValue()) {
      setUp = PlanPages(document, arguments);
      FramesToWrite(*setUp, names, values);
    }
    store = WithFilter(store, SetUpForPrint(context, document, names, values, true));
  }
  Reference<css::frame::XStorable>(document, UNO_QUERY_THROW)
      ->storeToURL(arguments.Get<::rtl::OUString>(steps::kPdfUrl), store);
  return setUp;
}

Any SetUpRows(const std::optional<PlannedSetUp>& setUp) {
  if (!setUp) return Any(Sequence<Any>());
  const Any rows[] = {FramesAsRows(setUp->read), TablesAsRows(setUp->tables), FramesAsRows(setUp->printed)};
  return Any(Sequence<Any>(rows, 3));
}

}  // namespace

Any PrintAhead(const Reference<css::uno::XComponentContext>& context, const StepArguments& arguments) {
  Sequence<Any> loaded;
  Load(context, arguments) >>= loaded;
  Reference<css::lang::XComponent> document;
  if (loaded.getLength() != kLoadedFacts + 1 || !(loaded[0] >>= document) || !document.is()) {
    return Any(Sequence<Any>());
  }
  Sequence<Any> answer(kLoadedFacts + 2);
  for (sal_Int32 i = 0; i < kLoadedFacts; ++i) answer.getArray()[i] = loaded[i + 1];
  answer.getArray()[kLoadedFacts] <<= false;
  answer.getArray()[kLoadedFacts + 1] <<= Sequence<Any>();
  ::rtl::OUString filter;
  loaded[kLoadedFacts] >>= filter;
  const auto refused = arguments.Get<::rtl::OUString>(steps::kRefusedFilter);
  const bool fits = OffersAny(document, arguments.Get<Sequence<::rtl::OUString>>(steps::kServices)) &&
                    (refused.isEmpty() || !filter.startsWith(refused));
  if (fits) {
    // A failure here is met again by the caller's own print, which says why.
    try {
      answer.getArray()[kLoadedFacts + 1] = SetUpRows(SetUpAndPrint(context, document, arguments));
      answer.getArray()[kLoadedFacts] <<= true;
    } catch (const css::uno::Exception&) {
    }
  }
  CloseQuietly(document);
  return Any(answer);
}

}  // namespace pressmoor::office::libreoffice::component
