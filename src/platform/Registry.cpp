// Placeholder until implemented.
#include "platform/Registry.h"

namespace pressmoor::platform {
class Registry::Impl { public: RegistryRoots roots; };
RegistryRoots RegistryRoots::FromEnvironment() { return {}; }
Registry::Registry(RegistryRoots roots) : impl_(std::make_unique<Impl>()) { impl_->roots = std::move(roots); }
Registry::~Registry() = default;
const RegistryRoots& Registry::Roots() const { return impl_->roots; }
LONG Registry::RegOpenKeyExA(HKEY, const std::string&, DWORD, REGSAM, HKEY*) { return ERROR_FILE_NOT_FOUND; }
LONG Registry::RegQueryValueExA(HKEY, const std::string&, DWORD*, DWORD*, unsigned char*, DWORD*) { return ERROR_INVALID_HANDLE; }
LONG Registry::RegCreateKeyExA(HKEY, const std::string&, DWORD, const std::string&, DWORD, REGSAM, const void*, HKEY*, DWORD*) { return ERROR_ACCESS_DENIED; }
LONG Registry::RegSetValueExA(HKEY, const std::string&, DWORD, DWORD, const unsigned char*, DWORD) { return ERROR_INVALID_HANDLE; }
LONG Registry::RegCloseKey(HKEY) { return ERROR_INVALID_HANDLE; }
LONG Registry::RegDeleteValueA(HKEY, const std::string&) { return ERROR_INVALID_HANDLE; }
LONG Registry::RegDeleteTreeA(HKEY, const std::string&) { return ERROR_ACCESS_DENIED; }
LONG Registry::RegEnumValues(HKEY, std::vector<RegistryValue>*) { return ERROR_INVALID_HANDLE; }
std::string Registry::GetSetting(const std::string&, const std::string&, const std::string&, const std::string& d) { return d; }
}  // namespace pressmoor::platform
