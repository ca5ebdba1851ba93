// "Word.Application" over a headless office.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "OfficeSandbox.h"
#include "office/Automation.h"
#include "platform/Registry.h"

namespace pressmoor::office::libreoffice {

class OfficeProcess;

// Starts an office that may read `reach` for the new application, or
// connects to `office` when one was started ahead (a new one is started if
// that fails); throws AutomationError. `expected` are the files it will open,
// in order, to be read ahead in a second office: `secondOffice` when given.
std::shared_ptr<WordApplication> StartWordApplication(
    platform::Registry& registry, const OfficeReach& reach,
    std::unique_ptr<OfficeProcess> office = nullptr, std::vector<std::string> expected = {},
    std::unique_ptr<OfficeProcess> secondOffice = nullptr);

}  // namespace pressmoor::office::libreoffice
