#include "convert/TodaysFormats.h"

#include <array>
#include <string_view>

#include "convert/TextCase.h"

namespace pressmoor::convert {

namespace {

struct Ending {
  std::string_view text;
  TodaysKind kind;
};

constexpr std::array<Ending, 27> kEndings{{
    {"docx", TodaysKind::WordProcessing}, {"docm", TodaysKind::WordProcessing},
    {"dotx", TodaysKind::WordProcessing}, {"dotm", TodaysKind::WordProcessing},
    {"dot", TodaysKind::WordProcessing},  {"odt", TodaysKind::WordProcessing},
    {"ott", TodaysKind::WordProcessing},  {"fodt", TodaysKind::WordProcessing},
    {"xlsx", TodaysKind::Spreadsheet},    {"xlsm", TodaysKind::Spreadsheet},
    {"xltx", TodaysKind::Spreadsheet},    {"xltm", TodaysKind::Spreadsheet},
    {"xlsb", TodaysKind::Spreadsheet},    {"xlt", TodaysKind::Spreadsheet},
    {"ods", TodaysKind::Spreadsheet},     {"ots", TodaysKind::Spreadsheet},
    {"fods", TodaysKind::Spreadsheet},    {"ppt", TodaysKind::Presentation},
    {"pps", TodaysKind::Presentation},    {"pot", TodaysKind::Presentation},
    {"pptx", TodaysKind::Presentation},   {"pptm", TodaysKind::Presentation},
    {"ppsx", TodaysKind::Presentation},   {"potx", TodaysKind::Presentation},
    {"odp", TodaysKind::Presentation},    {"otp", TodaysKind::Presentation},
    {"fodp", TodaysKind::Presentation},
}};

}  // namespace

TodaysKind TodaysKindOf(const std::string& name) {
  const std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) return TodaysKind::None;
  const std::string ending = AsciiLower(name.substr(dot + 1));
  for (const Ending& known : kEndings) {
    if (known.text == ending) return known.kind;
  }
  return TodaysKind::None;
}

}  // namespace pressmoor::convert
