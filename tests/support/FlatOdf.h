// Flat OpenDocument files (one XML file each), which the office opens as
// the kind they name, for tests that need a presentation or a sheet.
#pragma once

#include <string>

namespace pressmoor::testing {

// A document of `kind` ("text", "spreadsheet", "presentation") around
// `body`, the content of its office:body.
std::string FlatOdf(const std::string& kind, const std::string& body);

// One slide showing `words`, for a presentation's body.
std::string FlatSlide(const std::string& words);

}  // namespace pressmoor::testing
