#include "convert/FilePaths.h"

namespace pressmoor::convert {

std::string SourcePath(const std::string& directory, const std::string& fileName) {
  if (!directory.empty() && directory.back() == '/') return directory + fileName;
  return directory + "/" + fileName;
}

std::string OutputPath(const std::string& directory, const std::string& fileName) {
  const std::size_t nameStart = fileName.rfind('/') + 1;  // 0 for a plain name
  const std::size_t lastDot = fileName.rfind('.');
  const bool dotted = lastDot != std::string::npos && lastDot >= nameStart;
  const std::string stem = fileName.substr(0, dotted ? lastDot + 1 : nameStart);
  return directory + "/" + stem + "pdf";
}

std::string SubfoldersOf(const std::string& fileName) {
  const std::size_t slash = fileName.rfind('/');
  return slash == std::string::npos ? "" : fileName.substr(0, slash);
}

}  // namespace pressmoor::convert
