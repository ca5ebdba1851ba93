#include "FileUrlText.h"

#include <cctype>
#include <cstring>

namespace pressmoor::office::libreoffice {

std::string FileUrlText(const std::string& path) {
  static const char* kHex = "0123456789ABCDEF";
  std::string url = "file://";
  for (const unsigned char c : path) {
    if (std::isalnum(c) || std::strchr("/-_.~", c) != nullptr) {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 15];
    }
  }
  return url;
}

}  // namespace pressmoor::office::libreoffice
