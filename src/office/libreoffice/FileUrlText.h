// File URLs for the office's command line, made without the UNO runtime:
// every byte but letters, digits and "/-_.~" percent-encoded.
#pragma once

#include <string>

namespace pressmoor::office::libreoffice {

std::string FileUrlText(const std::string& path);

}  // namespace pressmoor::office::libreoffice
