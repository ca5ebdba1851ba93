#include "DocumentWriter.h"

#include "UnoValues.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <osl/file.hxx>

#include <vector>

#include "DocumentLoading.h"
#include "OfficeSession.h"

namespace pressmoor::office::libreoffice {
namespace {

using css::beans::PropertyValue;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;

}  // namespace

DocumentWriter::DocumentWriter()
    : session_(std::make_shared<OfficeSession>("Pressmoor.Office", OfficeReach::Unconfined())) {}

DocumentWriter::~DocumentWriter() = default;

void DocumentWriter::Convert(const std::string& source, const std::string& target,
                             const std::string& filterName, const std::string& password) {
  session_->Run(errors::kPrintFailed, "Cannot write " + target, [&]() {
    std::vector<PropertyValue> load{Property("Hidden", Any(true))};
    const std::string extension = Extension(source);
    if (extension == "txt") {
      load.push_back(Property("FilterName", Any(ToUno("Text (encoded)"))));
      load.push_back(Property("FilterOptions", Any(ToUno("UTF8,LF,,,"))));
    } else if (extension == "csv") {
      load.push_back(Property("FilterName", Any(ToUno("Text - txt - csv (StarCalc)"))));
      load.push_back(Property("FilterOptions", Any(ToUno("44,34,76,1"))));
    }
    Reference<css::lang::XComponent> document =
        session_->Loader()->loadComponentFromURL(FileUrl(source), "_blank", 0, AsSequence(load));
    if (!document.is()) session_->Fail(errors::kCannotOpenFile, "Cannot read " + source);
    std::vector<PropertyValue> store{Property("FilterName", Any(ToUno(filterName))),
                                     Property("Overwrite", Any(true))};
    if (!password.empty()) store.push_back(Property("Password", Any(ToUno(password))));
    Reference<css::frame::XStorable>(document, css::uno::UNO_QUERY_THROW)
        ->storeToURL(FileUrl(target), AsSequence(store));
    CloseDocument(document);
  });
}

}  // namespace pressmoor::office::libreoffice
