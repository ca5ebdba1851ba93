// How a plain text file or a web page is encoded, told from its bytes, and
// the names under which the office's imports read that encoding.
#pragma once

#include <string>
#include <string_view>

namespace pressmoor::office::libreoffice {

struct TextEncoding {
  std::string office;  // as the "Text (encoded)" filter options name it: UTF8, UNICODE, MS_1252...
  std::string mime;    // as a web page declares it: utf-8, windows-1252...; empty for UTF-16
};

// A byte order mark wins; valid UTF-8 is UTF-8; otherwise the encoding the
// charset detector names when it is sure and the office can read, else the
// system's 8-bit code page (windows-1252).
TextEncoding DetectTextEncoding(std::string_view content);

// FilterOptions for the "Text (encoded)" filter.
std::string TextFilterOptions(const TextEncoding& encoding);

// For a web page that names no charset in a <meta> tag and is neither
// UTF-8 nor marked by a byte order mark (which the office reads right by
// itself): the charset to read it in, as DetectTextEncoding tells it.
// Empty otherwise: a declared charset wins, as in browsers.
std::string CharsetToDeclare(std::string_view page);

}  // namespace pressmoor::office::libreoffice
