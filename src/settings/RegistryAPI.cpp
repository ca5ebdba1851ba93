#include "settings/RegistryAPI.h"

#include <vector>

namespace pressmoor::settings::RegistryAPI {

using namespace platform;

namespace {

LONG ReadString(Registry& registry, HKEY key, const std::string& name, DWORD size,
                ValueHolder& holder) {
  std::vector<unsigned char> buffer(size, '\0');
  DWORD type = REG_NONE;
  LONG status = registry.RegQueryValueExA(key, name, nullptr, &type, buffer.data(), &size);
  if (status != ERROR_SUCCESS) {
    holder = std::monostate{};
    return status;
  }
  if (size == 0) return status;
  holder = std::string(buffer.begin(), buffer.begin() + (size - 1));
  return status;
}

LONG ReadNumber(Registry& registry, HKEY key, const std::string& name, DWORD size,
                ValueHolder& holder) {
  std::int32_t number = 0;
  DWORD type = REG_NONE;
  LONG status = registry.RegQueryValueExA(
      key, name, nullptr, &type, reinterpret_cast<unsigned char*>(&number), &size);
  if (status == ERROR_SUCCESS) holder = number;
  return status;
}

}  // namespace

LONG ReadKeyValue(Registry& registry, HKEY key, const std::string& name, ValueHolder& holder) {
  DWORD type = REG_NONE;
  DWORD size = 0;
  LONG status = registry.RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
  if (status != ERROR_SUCCESS) return status;
  switch (type) {
    case REG_SZ:
      return ReadString(registry, key, name, size, holder);
    case REG_DWORD:
      // A DWORD stored with an odd size must not overrun the number.
      if (size > sizeof(std::int32_t)) return ERROR_MORE_DATA;
      return ReadNumber(registry, key, name, size, holder);
    default:
      return kUnsupportedType;
  }
}

void ReadMachineValue(Registry& registry, const std::string& path, const std::string& name,
                      ValueHolder& holder) {
  HKEY key = 0;
  registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, &key);
  ReadKeyValue(registry, key, name, holder);
  registry.RegCloseKey(key);
}

}  // namespace pressmoor::settings::RegistryAPI
