#include "LibreOfficeFactory.h"

#include <strings.h>

#include <utility>

#include "CallerWait.h"
#include "ExcelApplication.h"
#include "LaterPrints.h"
#include "NamedOutputApplication.h"
#include "OfficeCount.h"
#include "OfficeProcess.h"
#include "PowerPointApplication.h"
#include "SpareOffice.h"
#include "WordApplication.h"
#include "quillset/Preferences.h"

namespace pressmoor::office {

LibreOfficeFactory::LibreOfficeFactory(platform::Registry& settings)
    : settings_(settings),
      offices_(libreoffice::OfficesForThisMachine()),
      spare_(std::make_shared<libreoffice::SpareOffice>(offices_)) {}

// The spare never outlives the factory, even while a workbook still holds it.
LibreOfficeFactory::~LibreOfficeFactory() { spare_->Clear(); }

void LibreOfficeFactory::ExpectDocuments(std::vector<std::string> paths) {
  expected_ = std::move(paths);
}

void LibreOfficeFactory::ExpectLaterDocuments(std::vector<LaterDocument> documents) {
  later_.reset();
  // A lone office has no idle core to give them.
  if (documents.empty() || offices_ < 2) return;
  later_ = std::make_shared<libreoffice::LaterPrints>(documents, quillset::ReadPrintPreferences(settings_), allowed_);
}

std::shared_ptr<libreoffice::LaterPrints> LibreOfficeFactory::HandLaterPrintsTo(
    const char* className, const libreoffice::OfficeReach& reach) {
  if (!later_) return nullptr;
  if (std::unique_ptr<libreoffice::OfficeProcess> office = later_->HandOver(className)) spare_->Put(std::move(office));
  // Its PDFs are the application's only when printed with its reach.
  return later_->PrintedWith(className, reach) ? later_ : nullptr;
}

void LibreOfficeFactory::AllowFolders(std::vector<std::string> folders) {
  allowed_ = std::move(folders);
}

void LibreOfficeFactory::EndEveryOffice() { libreoffice::OfficeProcess::EndEvery(); }

void LibreOfficeFactory::WhileWaiting(std::function<void()> idle) {
  libreoffice::SetCallerIdle(std::move(idle));
}

std::shared_ptr<Object> LibreOfficeFactory::CreateObject(const std::string& className) {
  const libreoffice::OfficeReach reach(expected_, allowed_);
  if (strcasecmp(className.c_str(), "Word.Application") == 0) {
    std::shared_ptr<libreoffice::LaterPrints> earlier = HandLaterPrintsTo(libreoffice::kWordClass, reach);
    later_.reset();
    return libreoffice::StartWordApplication(settings_, reach, spare_->TakeUpTo(offices_, reach),
                                             std::exchange(expected_, {}), offices_, std::move(earlier));
  }
  if (strcasecmp(className.c_str(), "Excel.Application") == 0) {
    return libreoffice::StartExcelApplication(settings_, reach, spare_, std::exchange(expected_, {}),
                                              offices_, later_);
  }
  if (strcasecmp(className.c_str(), "PowerPoint.Application") == 0) {
    std::shared_ptr<libreoffice::LaterPrints> earlier =
        HandLaterPrintsTo(libreoffice::PowerPointKind().source, reach);
    return libreoffice::StartPowerPointApplication(settings_, reach, spare_, std::exchange(expected_, {}),
                                                   offices_, later_, std::move(earlier));
  }
  throw AutomationError(errors::kUnknownClass, "Pressmoor.Office",
                        "Cannot create an object of class \"" + className +
                            "\": only Word.Application, Excel.Application and "
                            "PowerPoint.Application exist.");
}

}  // namespace pressmoor::office
