// "PowerPoint.Application" over a headless office.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "OfficeSandbox.h"
#include "office/Automation.h"
#include "platform/Registry.h"

namespace pressmoor::office::libreoffice {

class LaterPrints;
class SpareOffice;
struct NamedOutputKind;

// What a presentation is to the office: its class name, export filter, noun.
const NamedOutputKind& PowerPointKind();

// As StartExcelApplication, for presentations: offices come from `spare`
// first, and Quit leaves those still running there for the next
// application; the presentations `earlier` printed are taken from it.
std::shared_ptr<PowerPointApplication> StartPowerPointApplication(
    platform::Registry& registry, const OfficeReach& reach, std::shared_ptr<SpareOffice> spare,
    std::vector<std::string> expected, std::size_t offices, std::shared_ptr<LaterPrints> later = nullptr,
    std::shared_ptr<LaterPrints> earlier = nullptr);

}  // namespace pressmoor::office::libreoffice
