#include "platform/Registry.h"

#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <sstream>

#include "platform/RegistryDatabase.h"
#include "platform/StateRoots.h"

namespace pressmoor::platform {

namespace {

constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Rights that change a key: KEY_SET_VALUE, KEY_CREATE_SUB_KEY,
// KEY_CREATE_LINK, DELETE, WRITE_DAC, WRITE_OWNER.
constexpr REGSAM kWriteRights = 0x0002 | 0x0004 | 0x0020 | 0x10000 | 0x40000 | 0x80000;
constexpr REGSAM kAllRights = 0xF003F;

// Below the predefined roots and never 0, so no handle is mistaken for one.
std::atomic<HKEY> nextHandle{0x100};

struct OpenKey {
  bool machine = false;
  std::string path;
  REGSAM access = 0;
};

// "a\\B\" and "a\b" name one key; the stored spelling keeps the case given.
std::string JoinPath(const std::string& base, const std::string& subKey) {
  std::string path = base;
  std::stringstream parts(subKey);
  std::string part;
  while (std::getline(parts, part, '\\')) {
    if (part.empty()) continue;
    if (!path.empty()) path += '\\';
    path += part;
  }
  return path;
}

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// Where the file, or the nearest directory that would hold it, lets us write.
bool PathWritable(const std::string& file) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path path(file);
  if (fs::exists(path, error)) {
    fs::path parent = path.parent_path().empty() ? "." : path.parent_path();
    return access(file.c_str(), W_OK) == 0 && access(parent.c_str(), W_OK) == 0;
  }
  for (fs::path dir = path.parent_path();; dir = dir.parent_path()) {
    if (dir.empty()) dir = ".";
    if (fs::exists(dir, error)) {
      return fs::is_directory(dir, error) && access(dir.c_str(), W_OK) == 0;
    }
    if (dir == dir.parent_path()) return false;
  }
}

}  // namespace

RegistryRoots RegistryRoots::FromEnvironment() {
  RegistryRoots roots;
  roots.machineDatabase = MachineRoot() + "/registry.sqlite";
  roots.userDatabase = UserRoot() + "/registry.sqlite";
  const char* readOnly = getenv("PRESSMOOR_MACHINE_READONLY");
  roots.machineReadOnly = readOnly && std::strcmp(readOnly, "1") == 0;
  return roots;
}

class Registry::Impl {
 public:
  explicit Impl(RegistryRoots givenRoots)
      : roots(std::move(givenRoots)), machine(roots.machineDatabase), user(roots.userDatabase) {}

  RegistryRoots roots;
  RegistryDatabase machine;
  RegistryDatabase user;

  const RegistryDatabase& Database(const OpenKey& key) const { return key.machine ? machine : user; }

  bool WritesAllowed(const OpenKey& key) const {
    if (key.machine && roots.machineReadOnly) return false;
    const std::string& file = key.machine ? roots.machineDatabase : roots.userDatabase;
    return !file.empty() && PathWritable(file);
  }

  // A predefined root or an open handle.
  bool Resolve(HKEY handle, OpenKey* key) {
    if (handle == HKEY_LOCAL_MACHINE || handle == HKEY_CURRENT_USER) {
      *key = {handle == HKEY_LOCAL_MACHINE, "", kAllRights};
      return true;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = open_.find(handle);
    if (found == open_.end()) return false;
    *key = found->second;
    return true;
  }

  HKEY Add(OpenKey key) {
    HKEY handle = nextHandle++;
    std::lock_guard<std::mutex> lock(mutex_);
    open_[handle] = std::move(key);
    return handle;
  }

  bool Remove(HKEY handle) {
    std::lock_guard<std::mutex> lock(mutex_);
    return open_.erase(handle) > 0;
  }

 private:
  std::mutex mutex_;
  std::map<HKEY, OpenKey> open_;
};

Registry::Registry(RegistryRoots roots) : impl_(std::make_unique<Impl>(std::move(roots))) {}
Registry::~Registry() = default;

const RegistryRoots& Registry::Roots() const { return impl_->roots; }

LONG Registry::RegOpenKeyExA(HKEY root, const std::string& subKey, DWORD, REGSAM access,
                             HKEY* result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = 0;
  OpenKey key;
  if (!impl_->Resolve(root, &key)) return ERROR_INVALID_HANDLE;
  key.path = JoinPath(key.path, subKey);
  key.access = access;
  if ((access & kWriteRights) && !impl_->WritesAllowed(key)) return ERROR_ACCESS_DENIED;
  LONG status = impl_->Database(key).KeyExists(key.path);
  if (status == ERROR_SUCCESS) *result = impl_->Add(std::move(key));
  return status;
}

LONG Registry::RegQueryValueExA(HKEY handle, const std::string& valueName, DWORD*, DWORD* type,
                                unsigned char* data, DWORD* dataSize) {
  OpenKey key;
  if (!impl_->Resolve(handle, &key)) return ERROR_INVALID_HANDLE;
  if (!(key.access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
  if (data && !dataSize) return ERROR_INVALID_PARAMETER;
  DWORD storedType = REG_NONE;
  std::vector<unsigned char> stored;
  LONG status = impl_->Database(key).ReadValue(key.path, valueName, &storedType, &stored);
  if (status != ERROR_SUCCESS) return status;
  // Strings are kept without their terminator and handed out with one.
  if (IsStringType(storedType)) stored.push_back('\0');
  if (type) *type = storedType;
  DWORD size = static_cast<DWORD>(stored.size());
  if (!data) {
    if (dataSize) *dataSize = size;
    return ERROR_SUCCESS;
  }
  DWORD room = *dataSize;
  *dataSize = size;
  if (room < size) return ERROR_MORE_DATA;
  // An empty value has no buffer to copy from, and memcpy must not be given null.
  if (!stored.empty()) std::memcpy(data, stored.data(), stored.size());
  return ERROR_SUCCESS;
}

LONG Registry::RegCreateKeyExA(HKEY root, const std::string& subKey, DWORD, const std::string&,
                               DWORD, REGSAM access, const void*, HKEY* result,
                               DWORD* disposition) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = 0;
  OpenKey key;
  if (!impl_->Resolve(root, &key)) return ERROR_INVALID_HANDLE;
  key.path = JoinPath(key.path, subKey);
  key.access = access;
  const RegistryDatabase& database = impl_->Database(key);
  bool created = false;
  LONG status = ERROR_ACCESS_DENIED;
  if (impl_->WritesAllowed(key)) {
    status = database.CreateKey(key.path, &created);
  } else if (!(access & kWriteRights) && database.KeyExists(key.path) == ERROR_SUCCESS) {
    status = ERROR_SUCCESS;  // opening an existing key to read needs no write right
  }
  if (status != ERROR_SUCCESS) return status;
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  *result = impl_->Add(std::move(key));
  return ERROR_SUCCESS;
}

LONG Registry::RegSetValueExA(HKEY handle, const std::string& valueName, DWORD, DWORD type,
                              const unsigned char* data, DWORD dataSize) {
  OpenKey key;
  if (!impl_->Resolve(handle, &key)) return ERROR_INVALID_HANDLE;
  if (!(key.access & KEY_SET_VALUE) || !impl_->WritesAllowed(key)) return ERROR_ACCESS_DENIED;
  if (!data && dataSize > 0) return ERROR_INVALID_PARAMETER;
  std::vector<unsigned char> bytes(data, data + (data ? dataSize : 0));
  if (IsStringType(type) && !bytes.empty() && bytes.back() == '\0') bytes.pop_back();
  return impl_->Database(key).WriteValue(key.path, valueName, type, bytes);
}

LONG Registry::RegCloseKey(HKEY handle) {
  if (handle == HKEY_LOCAL_MACHINE || handle == HKEY_CURRENT_USER) return ERROR_SUCCESS;
  return impl_->Remove(handle) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG Registry::RegDeleteValueA(HKEY handle, const std::string& valueName) {
  OpenKey key;
  if (!impl_->Resolve(handle, &key)) return ERROR_INVALID_HANDLE;
  if (!(key.access & KEY_SET_VALUE) || !impl_->WritesAllowed(key)) return ERROR_ACCESS_DENIED;
  return impl_->Database(key).DeleteValue(key.path, valueName);
}

LONG Registry::RegDeleteTreeA(HKEY root, const std::string& subKey) {
  OpenKey key;
  if (!impl_->Resolve(root, &key)) return ERROR_INVALID_HANDLE;
  key.path = JoinPath(key.path, subKey);
  // A whole root is never deleted.
  if (key.path.empty() || !impl_->WritesAllowed(key)) return ERROR_ACCESS_DENIED;
  return impl_->Database(key).DeleteTree(key.path);
}

LONG Registry::RegEnumValues(HKEY handle, std::vector<RegistryValue>* values) {
  OpenKey key;
  if (!impl_->Resolve(handle, &key)) return ERROR_INVALID_HANDLE;
  if (!values) return ERROR_INVALID_PARAMETER;
  LONG status = impl_->Database(key).ListValues(key.path, values);
  for (RegistryValue& value : *values) {
    if (IsStringType(value.type)) value.data.push_back('\0');
  }
  return status;
}

LONG Registry::RegEnumKeys(HKEY handle, std::vector<std::string>* subKeys) {
  OpenKey key;
  if (!impl_->Resolve(handle, &key)) return ERROR_INVALID_HANDLE;
  if (!subKeys) return ERROR_INVALID_PARAMETER;
  return impl_->Database(key).ListSubKeys(key.path, subKeys);
}

std::string Registry::GetSetting(const std::string& appName, const std::string& section,
                                 const std::string& key, const std::string& defaultValue) {
  HKEY handle = 0;
  std::string path = "Software\\VB and VBA Program Settings\\" + appName + "\\" + section;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) {
    return defaultValue;
  }
  std::string result = defaultValue;
  DWORD type = REG_NONE;
  DWORD size = 0;
  if (RegQueryValueExA(handle, key, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
      type == REG_SZ && size > 0) {
    std::vector<unsigned char> buffer(size);
    if (RegQueryValueExA(handle, key, nullptr, &type, buffer.data(), &size) == ERROR_SUCCESS &&
        type == REG_SZ && size > 0) {
      result.assign(buffer.begin(), buffer.begin() + (size - 1));
    }
  }
  RegCloseKey(handle);
  return result;
}

}  // namespace pressmoor::platform
