// "Word.Application" over a headless office.
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

inline constexpr const char* kWordClass = "Word.Application";

// Starts an office that may read `reach` for the new application, or
// connects to the first of `running` when offices were started ahead (a new
// one is started if that fails); throws AutomationError. `expected` are the
// files it will open, in order, to be read ahead in up to `offices` offices,
// the rest of `running` first. A document `earlier` printed ahead is taken
// from there instead.
std::shared_ptr<WordApplication> StartWordApplication(
    platform::Registry& registry, const OfficeReach& reach,
    std::vector<std::unique_ptr<OfficeProcess>> running = {}, std::vector<std::string> expected = {},
    std::size_t offices = 2, std::shared_ptr<LaterPrints> earlier = nullptr);

}  // namespace pressmoor::office::libreoffice
