// The settings store that stands in for the Windows registry: two roots, each
// one SQLite database, behind the registry's own function names, argument
// order and status numbers, so the code above it keeps its shape.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pressmoor::platform {

using HKEY = std::uint32_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using REGSAM = std::uint32_t;

inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;

inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
inline constexpr REGSAM KEY_SET_VALUE = 0x0002;
inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0;

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_MORE_DATA = 234;

// Where the two roots live and whether the machine root may be written.
struct RegistryRoots {
  std::string machineDatabase;  // HKEY_LOCAL_MACHINE
  std::string userDatabase;     // HKEY_CURRENT_USER
  bool machineReadOnly = false;

  // From PRESSMOOR_MACHINE_ROOT, PRESSMOOR_USER_ROOT, PRESSMOOR_MACHINE_READONLY.
  static RegistryRoots FromEnvironment();
};

// One value as the command-line tool lists it.
struct RegistryValue {
  std::string name;
  DWORD type = REG_NONE;
  std::vector<unsigned char> data;
};

// Contract:
// - Key paths are "\"-separated, compared without regard to case; a trailing
//   "\" names the same key. Value names are compared without regard to case.
// - Every call returns a Windows status number and never throws. A database
//   file that is missing is created on the first write; one that is damaged
//   or not a database makes reads answer ERROR_FILE_NOT_FOUND and writes
//   ERROR_ACCESS_DENIED.
// - Writes are single transactions with a busy timeout, so concurrent
//   processes neither corrupt a store nor lose a committed value.
// - Handles are process-wide 32-bit numbers, valid until RegCloseKey.
class Registry {
 public:
  explicit Registry(RegistryRoots roots);
  ~Registry();
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  const RegistryRoots& Roots() const;

  LONG RegOpenKeyExA(HKEY root, const std::string& subKey, DWORD options, REGSAM access,
                     HKEY* result);
  // data == nullptr asks for type and size only. *dataSize is in bytes; a
  // REG_SZ reports its size with one terminating NUL. A buffer too small
  // gives ERROR_MORE_DATA with the size needed.
  LONG RegQueryValueExA(HKEY key, const std::string& valueName, DWORD* reserved, DWORD* type,
                        unsigned char* data, DWORD* dataSize);
  LONG RegCreateKeyExA(HKEY root, const std::string& subKey, DWORD reserved,
                       const std::string& className, DWORD options, REGSAM access,
                       const void* securityAttributes, HKEY* result, DWORD* disposition);
  LONG RegSetValueExA(HKEY key, const std::string& valueName, DWORD reserved, DWORD type,
                      const unsigned char* data, DWORD dataSize);
  LONG RegCloseKey(HKEY key);

  // Beyond what the program itself needs: for the command-line tool.
  LONG RegDeleteValueA(HKEY key, const std::string& valueName);
  LONG RegDeleteTreeA(HKEY root, const std::string& subKey);
  LONG RegEnumValues(HKEY key, std::vector<RegistryValue>* values);
  // The names of the key's direct subkeys, sorted without regard to case.
  LONG RegEnumKeys(HKEY key, std::vector<std::string>* subKeys);

  // The per-user application settings read: the string value under
  // HKEY_CURRENT_USER\Software\VB and VBA Program Settings\app\section, or
  // `defaultValue` when the key or value does not exist.
  std::string GetSetting(const std::string& appName, const std::string& section,
                         const std::string& key, const std::string& defaultValue);

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace pressmoor::platform
