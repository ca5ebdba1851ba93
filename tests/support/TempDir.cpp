#include "TempDir.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>
#include <vector>

namespace pressmoor::testing {

TempDir::TempDir() {
  const char* base = getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/pressmoor-test-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (!mkdtemp(buffer.data())) throw std::runtime_error("mkdtemp failed");
  path_ = buffer.data();
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string TempDir::Sub(const std::string& relative) const {
  std::filesystem::path full = std::filesystem::path(path_) / relative;
  std::filesystem::create_directories(full.parent_path());
  return full.string();
}

std::string TempDir::WriteFile(const std::string& relative, const std::string& content) const {
  std::string full = Sub(relative);
  std::ofstream out(full, std::ios::binary);
  out << content;
  return full;
}

std::string TempDir::MakeDirectory(const std::string& relative) const {
  std::string full = Sub(relative);
  std::filesystem::create_directories(full);
  return full;
}

}  // namespace pressmoor::testing
