// One root of the settings store: a SQLite file holding keys by their
// normalized "\"-separated path and values by key and name, both compared
// without regard to (ASCII) case. Every call opens its own connection and
// holds no lock once it returns.
#pragma once

#include <string>
#include <vector>

#include "platform/Registry.h"

namespace pressmoor::platform {

class RegistryDatabase {
 public:
  explicit RegistryDatabase(std::string file) : file_(std::move(file)) {}

  // Reads answer ERROR_FILE_NOT_FOUND for anything missing or unreadable.
  // The empty path is the root key, which always exists.
  LONG KeyExists(const std::string& path) const;
  LONG ReadValue(const std::string& path, const std::string& name, DWORD* type,
                 std::vector<unsigned char>* data) const;
  LONG ListValues(const std::string& path, std::vector<RegistryValue>* values) const;
  LONG ListSubKeys(const std::string& path, std::vector<std::string>* names) const;

  // Writes are one transaction each and answer ERROR_ACCESS_DENIED when the
  // file cannot be created or written. Writing a value creates its key.
  LONG CreateKey(const std::string& path, bool* created) const;
  LONG WriteValue(const std::string& path, const std::string& name, DWORD type,
                  const std::vector<unsigned char>& data) const;
  LONG DeleteValue(const std::string& path, const std::string& name) const;
  LONG DeleteTree(const std::string& path) const;

 private:
  std::string file_;
};

}  // namespace pressmoor::platform
