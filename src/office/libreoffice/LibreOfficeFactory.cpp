#include "LibreOfficeFactory.h"

#include <strings.h>

#include "ExcelApplication.h"
#include "WordApplication.h"

namespace pressmoor::office {

LibreOfficeFactory::LibreOfficeFactory(platform::Registry& settings) : settings_(settings) {}

std::shared_ptr<Object> LibreOfficeFactory::CreateObject(const std::string& className) {
  if (strcasecmp(className.c_str(), "Word.Application") == 0) {
    return libreoffice::StartWordApplication(settings_);
  }
  if (strcasecmp(className.c_str(), "Excel.Application") == 0) {
    return libreoffice::StartExcelApplication(settings_);
  }
  throw AutomationError(errors::kUnknownClass, "Pressmoor.Office",
                        "Cannot create an object of class \"" + className +
                            "\": only Word.Application and Excel.Application exist.");
}

}  // namespace pressmoor::office
