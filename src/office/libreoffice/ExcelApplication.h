// "Excel.Application" over a headless office.
#pragma once

#include <memory>

#include "office/Automation.h"
#include "platform/Registry.h"

namespace pressmoor::office::libreoffice {

class SpareOffice;

// Starts an office for the new application; throws AutomationError. With
// `spare`, a second office starts alongside once the first workbook opens
// and is left in `spare` at Quit for the next application.
std::shared_ptr<ExcelApplication> StartExcelApplication(
    platform::Registry& registry, std::shared_ptr<SpareOffice> spare = nullptr);

}  // namespace pressmoor::office::libreoffice
