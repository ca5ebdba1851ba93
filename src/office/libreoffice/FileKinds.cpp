#include "FileKinds.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "TextEncoding.h"

namespace pressmoor::office::libreoffice {

std::string Extension(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  std::string extension = path.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

LoadFilter ChooseLoadFilter(const std::string& path, const std::string& content) {
  const std::string extension = Extension(path);
  if (extension == "txt") {
    return {"Text (encoded)", TextFilterOptions(DetectTextEncoding(content)), ""};
  }
  // Type detection would make a Writer/Web document; this lays it out as a page.
  if (extension == "htm" || extension == "html") {
    return {"HTML (StarWriter)", "", CharsetToDeclare(content)};
  }
  // Named only when the content agrees, so that a mislabelled file still
  // goes through type detection.
  if (extension == "rtf" && content.rfind("{\\rtf", 0) == 0) return {"Rich Text Format", "", ""};
  return {};
}

bool ReadWholeToChoose(const std::string& path) {
  const std::string extension = Extension(path);
  return extension == "txt" || extension == "htm" || extension == "html";
}

bool CarriesNoPaper(const std::string& path) { return ReadWholeToChoose(path); }

bool LoadsWithoutWindow(const LoadFilter& filter) {
  return filter.name == "Text (encoded)" || filter.name == "HTML (StarWriter)" ||
         filter.name == "Rich Text Format";
}

std::string RefusedFilterPrefix(const std::string& path) {
  const std::string extension = Extension(path);
  // Random bytes read as plain text or CSV.
  static const std::set<std::string> kDocuments{"doc",  "docx", "docm", "dotx", "dotm",
                                                "dot",  "odt",  "ott",  "fodt"};
  static const std::set<std::string> kWorkbooks{"xls",  "xlsx", "xlsm", "xltx", "xltm",
                                                "xlsb", "xlt",  "ods",  "ots",  "fods"};
  if (kDocuments.count(extension)) return "Text";
  if (kWorkbooks.count(extension)) return "Text - txt - csv";
  return {};
}

bool FilterFitsName(const std::string& path, const std::string& filterName) {
  const std::string refused = RefusedFilterPrefix(path);
  return refused.empty() || filterName.rfind(refused, 0) != 0;
}

}  // namespace pressmoor::office::libreoffice
