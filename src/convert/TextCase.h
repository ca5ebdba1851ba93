// Case changes for file-name tests: ASCII letters only, whatever the locale,
// so names with other characters compare the same everywhere.
#pragma once

#include <string>

namespace pressmoor::convert {

inline std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

inline std::string AsciiUpper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

// The last three characters, all of `text` when it is shorter.
inline std::string LastThree(const std::string& text) {
  return text.size() <= 3 ? text : text.substr(text.size() - 3);
}

}  // namespace pressmoor::convert
