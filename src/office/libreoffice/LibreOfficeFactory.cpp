#include "LibreOfficeFactory.h"

#include <strings.h>

#include <utility>

#include "CallerWait.h"
#include "ExcelApplication.h"
#include "LaterWordPrints.h"
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

void LibreOfficeFactory::ExpectLaterWordDocuments(std::vector<LaterWordDocument> documents) {
  later_.reset();
  // A lone office has no idle core to give them.
  if (documents.empty() || offices_ < 2) return;
  std::vector<std::string> paths;
  for (const LaterWordDocument& document : documents) paths.push_back(document.path);
  later_ = std::make_shared<libreoffice::LaterWordPrints>(
      documents, quillset::ReadPrintPreferences(settings_), libreoffice::OfficeReach(paths, allowed_));
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
    // Its PDFs are the word processor's only when printed with its reach.
    std::shared_ptr<libreoffice::LaterWordPrints> earlier = std::exchange(later_, nullptr);
    if (earlier) {
      if (std::unique_ptr<libreoffice::OfficeProcess> office = earlier->ReleaseOffice()) spare_->Put(std::move(office));
    }
    if (earlier && earlier->Reach() != reach) earlier.reset();
    return libreoffice::StartWordApplication(settings_, reach, spare_->TakeUpTo(offices_, reach),
                                             std::exchange(expected_, {}), offices_, std::move(earlier));
  }
  if (strcasecmp(className.c_str(), "Excel.Application") == 0) {
    return libreoffice::StartExcelApplication(settings_, reach, spare_, std::exchange(expected_, {}),
                                              offices_, later_);
  }
  if (strcasecmp(className.c_str(), "PowerPoint.Application") == 0) {
    return libreoffice::StartPowerPointApplication(settings_, reach, spare_,
                                                   std::exchange(expected_, {}), offices_, later_);
  }
  throw AutomationError(errors::kUnknownClass, "Pressmoor.Office",
                        "Cannot create an object of class \"" + className +
                            "\": only Word.Application, Excel.Application and "
                            "PowerPoint.Application exist.");
}

}  // namespace pressmoor::office
