// How a plain text file is encoded, told from its bytes, and the office's
// text filter options that read it that way.
#pragma once

#include <string>
#include <string_view>

namespace pressmoor::office::libreoffice {

enum class TextEncoding {
  Utf8,      // valid UTF-8, with or without a byte order mark
  Utf16,     // a UTF-16 byte order mark, either byte order
  EightBit,  // anything else: the system's 8-bit code page (windows-1252)
};

TextEncoding DetectTextEncoding(std::string_view content);

// FilterOptions for the "Text (encoded)" filter.
std::string TextFilterOptions(TextEncoding encoding);

}  // namespace pressmoor::office::libreoffice
