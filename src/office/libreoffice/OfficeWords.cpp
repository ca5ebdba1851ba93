#include "OfficeWords.h"

#include <regex>

namespace pressmoor::office::libreoffice {

std::string OfficeWords(const std::string& message) {
  static const std::regex kSourceLocation(R"(\s*\bat\s+\S*/\S+:[0-9]+)");
  std::string words = std::regex_replace(message, kSourceLocation, "");
  while (!words.empty() && (words.back() == ' ' || words.back() == ':')) words.pop_back();
  return words;
}

}  // namespace pressmoor::office::libreoffice
