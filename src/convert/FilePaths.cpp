#include "convert/FilePaths.h"

namespace pressmoor::convert {

std::string SourcePath(const std::string& directory, const std::string& fileName) {
  if (!directory.empty() && directory.back() == '/') return directory + fileName;
  return directory + "/" + fileName;
}

std::string OutputPath(const std::string& directory, const std::string& fileName) {
  const std::size_t lastDot = fileName.rfind('.');
  const std::string stem = lastDot == std::string::npos ? "" : fileName.substr(0, lastDot + 1);
  return directory + "/" + stem + "pdf";
}

}  // namespace pressmoor::convert
