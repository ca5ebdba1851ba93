#include "TextEncoding.h"

#include <cstddef>

namespace pressmoor::office::libreoffice {
namespace {

bool Continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool ValidUtf8(std::string_view content) {
  std::size_t i = 0;
  const std::size_t size = content.size();
  while (i < size) {
    const auto lead = static_cast<unsigned char>(content[i]);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (i + length > size) return false;
    const auto second = static_cast<unsigned char>(content[i + 1]);
    if (second < low || second > high) return false;
    for (std::size_t k = 2; k < length; ++k) {
      if (!Continuation(static_cast<unsigned char>(content[i + k]))) return false;
    }
    i += length;
  }
  return true;
}

}  // namespace

TextEncoding DetectTextEncoding(std::string_view content) {
  if (content.substr(0, 3) == "\xEF\xBB\xBF") return TextEncoding::Utf8;
  if (content.substr(0, 2) == "\xFF\xFE" || content.substr(0, 2) == "\xFE\xFF") {
    return TextEncoding::Utf16;
  }
  return ValidUtf8(content) ? TextEncoding::Utf8 : TextEncoding::EightBit;
}

std::string TextFilterOptions(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8:
      return "UTF8,LF,,,";
    case TextEncoding::Utf16:
      return "UNICODE,LF,,,";
    case TextEncoding::EightBit:
      break;
  }
  return "MS_1252,LF,,,";
}

}  // namespace pressmoor::office::libreoffice
