// "Word.Application" over a headless office.
#pragma once

#include <memory>

#include "office/Automation.h"
#include "platform/Registry.h"

namespace pressmoor::office::libreoffice {

class OfficeProcess;

// Starts an office for the new application, or connects to `office` when
// one was started ahead (a new one is started if that fails); throws
// AutomationError.
std::shared_ptr<WordApplication> StartWordApplication(platform::Registry& registry,
                                                      std::unique_ptr<OfficeProcess> office = nullptr);

}  // namespace pressmoor::office::libreoffice
