// Where a listed file is read from and where its PDF goes.
#pragma once

#include <string>

namespace pressmoor::convert {

// The directory, a "/" only when it does not already end with one, the name.
std::string SourcePath(const std::string& directory, const std::string& fileName);

// The directory, "/" always, the name up to and including its last "." (none
// without a dot), then "pdf".
std::string OutputPath(const std::string& directory, const std::string& fileName);

}  // namespace pressmoor::convert
