#include "TextEncoding.h"

#include <uchardet.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <iterator>
#include <memory>

#include "platform/ByteText.h"

namespace pressmoor::office::libreoffice {
namespace {

// The detector's names, and how the office's text and web page imports know
// the same encoding. Where Windows has a superset (code pages 932, 949,
// 950, 874, 1252, 1254) that is the one read, since that is what files are
// written in. Encodings the office cannot read (HZ, VISCII, ISO-8859-16)
// are missing and fall back to the default.
struct KnownEncoding {
  const char* detected;
  const char* office;
  const char* mime;
};
constexpr KnownEncoding kKnownEncodings[] = {
    {"UTF-8", "UTF8", "utf-8"},
    {"SHIFT_JIS", "MS_932", "ms_kanji"},  // the office reads ms_kanji as code page 932
    {"EUC-JP", "EUC_JP", "euc-jp"},
    {"ISO-2022-JP", "ISO_2022_JP", "iso-2022-jp"},
    {"BIG5", "MS_950", "big5"},
    {"EUC-TW", "EUC_TW", ""},
    {"GB18030", "GB_18030", "gb18030"},
    {"ISO-2022-CN", "ISO_2022_CN", "iso-2022-cn"},
    {"EUC-KR", "MS_949", "ks_c_5601-1987"},
    {"UHC", "MS_949", "ks_c_5601-1987"},
    {"ISO-2022-KR", "ISO_2022_KR", "iso-2022-kr"},
    {"KOI8-R", "KOI8_R", "koi8-r"},
    {"WINDOWS-1251", "MS_1251", "windows-1251"},
    {"ISO-8859-5", "ISO_8859_5", "iso-8859-5"},
    {"IBM855", "IBM_855", "ibm855"},
    {"IBM866", "IBM_866", "ibm866"},
    {"MAC-CYRILLIC", "APPLE_CYRILLIC", ""},
    {"ISO-8859-7", "ISO_8859_7", "iso-8859-7"},
    {"WINDOWS-1253", "MS_1253", "windows-1253"},
    {"ISO-8859-8", "ISO_8859_8", "iso-8859-8"},
    {"WINDOWS-1255", "MS_1255", "windows-1255"},
    {"ISO-8859-6", "ISO_8859_6", "iso-8859-6"},
    {"WINDOWS-1256", "MS_1256", "windows-1256"},
    {"TIS-620", "MS_874", "windows-874"},
    {"ISO-8859-11", "MS_874", "windows-874"},
    {"WINDOWS-1252", "MS_1252", "windows-1252"},
    {"ISO-8859-1", "MS_1252", "windows-1252"},
    {"ISO-8859-15", "ISO_8859_15", "iso-8859-15"},
    {"WINDOWS-1250", "MS_1250", "windows-1250"},
    {"ISO-8859-2", "ISO_8859_2", "iso-8859-2"},
    {"IBM852", "IBM_852", "ibm852"},
    {"MAC-CENTRALEUROPE", "APPLE_CENTEURO", ""},
    {"ISO-8859-3", "ISO_8859_3", "iso-8859-3"},
    {"ISO-8859-4", "ISO_8859_4", "iso-8859-4"},
    {"ISO-8859-9", "MS_1254", "windows-1254"},
    {"ISO-8859-10", "ISO_8859_10", "iso-8859-10"},
    {"ISO-8859-13", "ISO_8859_13", "iso-8859-13"},
    {"WINDOWS-1257", "MS_1257", "windows-1257"},
    {"WINDOWS-1258", "MS_1258", "windows-1258"},
};

const TextEncoding kUtf8{"UTF8", "utf-8"};
const TextEncoding kEightBitDefault{"MS_1252", "windows-1252"};

// Below this many bytes outside ASCII the detector's answer for 8-bit and
// multi-byte text is close to chance: two or three accented letters of a
// German note come back as Latin-2 or Greek.
constexpr std::size_t kLeastEvidence = 8;

std::string Upper(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::string DetectorAnswer(std::string_view content) {
  const std::unique_ptr<uchardet, decltype(&uchardet_delete)> detector(uchardet_new(),
                                                                       uchardet_delete);
  if (!detector || uchardet_handle_data(detector.get(), content.data(), content.size()) != 0) {
    return {};
  }
  uchardet_data_end(detector.get());
  const char* name = uchardet_get_charset(detector.get());
  return name ? Upper(name) : std::string();
}

std::size_t BytesOutsideAscii(std::string_view content) {
  const auto outside = [](char c) { return static_cast<unsigned char>(c) >= 0x80; };
  return static_cast<std::size_t>(std::count_if(content.begin(), content.end(), outside));
}

// ISO-2022 text is 7-bit: its escape sequences are the whole evidence.
bool EscapeEncoded(const std::string& detected) { return detected.rfind("ISO-2022-", 0) == 0; }

// A <meta> tag with charset="..." or a Content-Type naming a charset.
bool DeclaresCharset(std::string_view page) {
  const std::string lower = Lower(page);
  for (std::size_t meta = lower.find("<meta"); meta != std::string::npos;
       meta = lower.find("<meta", meta + 5)) {
    const std::size_t end = std::min(lower.find('>', meta), lower.size());
    const std::string_view tag = std::string_view(lower).substr(meta, end - meta);
    for (std::size_t at = tag.find("charset"); at != std::string_view::npos;
         at = tag.find("charset", at + 7)) {
      const std::size_t next = tag.find_first_not_of(" \t\r\n", at + 7);
      if (next != std::string_view::npos && tag[next] == '=') return true;
    }
  }
  return false;
}

}  // namespace

TextEncoding DetectTextEncoding(std::string_view content) {
  if (content.substr(0, 3) == "\xEF\xBB\xBF") return kUtf8;
  if (content.substr(0, 2) == "\xFF\xFE" || content.substr(0, 2) == "\xFE\xFF") {
    return {"UNICODE", ""};
  }
  const bool utf8 = platform::IsUtf8(content);
  // Escape characters in 7-bit text may be ISO-2022, which is valid UTF-8 too.
  if (utf8 && content.find('\x1B') == std::string_view::npos) return kUtf8;
  const TextEncoding fallback = utf8 ? kUtf8 : kEightBitDefault;
  const std::string detected = DetectorAnswer(content);
  if (!EscapeEncoded(detected) && BytesOutsideAscii(content) < kLeastEvidence) return fallback;
  const auto known = std::find_if(std::begin(kKnownEncodings), std::end(kKnownEncodings),
                                  [&](const KnownEncoding& k) { return detected == k.detected; });
  return known == std::end(kKnownEncodings) ? fallback : TextEncoding{known->office, known->mime};
}

std::string TextFilterOptions(const TextEncoding& encoding) { return encoding.office + ",LF,,,"; }

std::string CharsetToDeclare(std::string_view page) {
  if (DeclaresCharset(page)) return {};
  const TextEncoding encoding = DetectTextEncoding(page);
  if (encoding.office == kUtf8.office || encoding.office == "UNICODE") return {};
  // No name a web page could give it: read as the 8-bit default.
  return encoding.mime.empty() ? kEightBitDefault.mime : encoding.mime;
}

}  // namespace pressmoor::office::libreoffice
