// The formats a run takes only when asked for them (-x, or a file type entry
// of today's documents): Office Open XML, OpenDocument, presentations. Told
// apart by the whole ending, without regard to ASCII case.
#pragma once

#include <string>

namespace pressmoor::convert {

enum class TodaysKind { None, WordProcessing, Spreadsheet, Presentation };

// Which converter takes `name` by its ending; None for every other name,
// the formats the converters were first made for included.
TodaysKind TodaysKindOf(const std::string& name);

}  // namespace pressmoor::convert
