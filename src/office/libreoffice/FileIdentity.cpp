#include "FileIdentity.h"

namespace pressmoor::office::libreoffice {

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return std::nullopt;
  return FileIdentity{status.st_dev, status.st_ino, status.st_size, status.st_mtim.tv_sec,
                      status.st_mtim.tv_nsec};
}

}  // namespace pressmoor::office::libreoffice
