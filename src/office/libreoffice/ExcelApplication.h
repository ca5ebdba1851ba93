// "Excel.Application" over a headless office.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "OfficeProcess.h"
#include "OfficeSandbox.h"
#include "office/Automation.h"
#include "platform/Registry.h"

namespace pressmoor::office::libreoffice {

class LaterPrints;
class SpareOffice;

// Starts an office that may read `reach` for the new application, or takes
// those left in `spare` by an earlier one with that reach; throws
// AutomationError. With `spare`, Quit leaves the application's offices
// running there for the next application. `expected` are the files it will
// open, in order, to be read ahead in up to `offices` offices; an office
// left without work prints ahead `later` documents of the run.
std::shared_ptr<ExcelApplication> StartExcelApplication(
    platform::Registry& registry, const OfficeReach& reach,
    std::shared_ptr<SpareOffice> spare = nullptr, std::vector<std::string> expected = {},
    std::size_t offices = 2, std::shared_ptr<LaterPrints> later = nullptr);

}  // namespace pressmoor::office::libreoffice
