// A fresh directory under $TMPDIR, removed with everything in it.
#pragma once

#include <filesystem>
#include <string>

namespace pressmoor::testing {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }
  // Path of `relative` inside, with parent directories created.
  std::string Sub(const std::string& relative) const;
  // Writes a file (parents created) and returns its path.
  std::string WriteFile(const std::string& relative, const std::string& content) const;
  std::string MakeDirectory(const std::string& relative) const;

 private:
  std::string path_;
};

}  // namespace pressmoor::testing
