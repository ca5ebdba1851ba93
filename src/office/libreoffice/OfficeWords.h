// What of the office's own words may reach a user. Its exception messages
// end with the place in its sources that threw them (" at ./sw/source/...
// .cxx:123"), which tells a user nothing and the log reader less.
#pragma once

#include <string>

namespace pressmoor::office::libreoffice {

// `message` without source locations and the blanks around them.
std::string OfficeWords(const std::string& message);

}  // namespace pressmoor::office::libreoffice
