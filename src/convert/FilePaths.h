// Where a listed file is read from and where its PDF goes.
#pragma once

#include <string>

namespace pressmoor::convert {

// The directory, a "/" only when it does not already end with one, the name.
std::string SourcePath(const std::string& directory, const std::string& fileName);

// The directory, "/" always, the name up to and including its last "." (none
// without a dot), then "pdf". A name may hold the subfolders it lies in below
// the directory ("2026/jan/a.doc"); dots in those are not the name's.
std::string OutputPath(const std::string& directory, const std::string& fileName);

// The subfolders part of `fileName`, without the last "/"; "" for a plain name.
std::string SubfoldersOf(const std::string& fileName);

}  // namespace pressmoor::convert
