// "Excel.Application" over a headless office.
#pragma once

#include <memory>

#include "office/Automation.h"
#include "platform/Registry.h"

namespace pressmoor::office::libreoffice {

// Starts an office for the new application; throws AutomationError.
std::shared_ptr<ExcelApplication> StartExcelApplication(platform::Registry& registry);

}  // namespace pressmoor::office::libreoffice
