#include "quillset/PreferenceCommands.h"

#include "driver/Quillset.h"
#include "quillset/Preferences.h"

namespace pressmoor::quillset {
namespace {

using namespace platform;

// KEY_QUERY_VALUE through KEY_CREATE_LINK, as every settings write.
constexpr REGSAM kSettingAccess = 0x3F;

std::string UserKey() {
  return std::string("Software\\VB and VBA Program Settings\\") + driver::kSettingsApplication +
         "\\" + driver::kSettingsSection;
}

}  // namespace

bool SavePreference(Registry& registry, const std::string& name, const std::string& value,
                    std::string* failure) {
  HKEY key = 0;
  LONG status =
      registry.RegCreateKeyExA(HKEY_LOCAL_MACHINE, driver::kVersionKey, 0, "",
                               REG_OPTION_NON_VOLATILE, kSettingAccess, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) {
    status = registry.RegCreateKeyExA(HKEY_CURRENT_USER, UserKey(), 0, "", REG_OPTION_NON_VOLATILE,
                                      kSettingAccess, nullptr, &key, nullptr);
  }
  if (status == ERROR_SUCCESS) {
    status = registry.RegSetValueExA(key, name, 0, REG_SZ,
                                     reinterpret_cast<const unsigned char*>(value.data()),
                                     static_cast<DWORD>(value.size()));
    registry.RegCloseKey(key);
  }
  if (status != ERROR_SUCCESS) {
    *failure = "The settings store refused " + name + " (status " + std::to_string(status) + ").";
    return false;
  }
  // Written per user, a machine-wide value still comes first.
  if (const std::string now = DriverSetting(registry, name); now != value) {
    *failure = "Stored for this user, but the machine-wide " + name + " \"" + now +
               "\" comes first; ask an administrator to change it.";
    return false;
  }
  return true;
}

int SetPreferenceCommand(Registry& registry, const std::string& name, const std::string& value,
                         std::ostream& err) {
  const std::string known = PreferenceName(name);
  if (const std::string problem = PreferenceProblem(name, value); !problem.empty()) {
    err << "quillset.exe: " << problem << "\n";
    return 2;
  }
  std::string failure;
  if (!SavePreference(registry, known, value, &failure)) {
    err << "quillset.exe: " << failure << "\n";
    return 1;
  }
  return 0;
}

int GetPreferenceCommand(Registry& registry, const std::string& name, std::ostream& out,
                         std::ostream& err) {
  const std::string known = PreferenceName(name);
  if (known.empty()) {
    err << "quillset.exe: " << PreferenceProblem(name, "") << "\n";
    return 2;
  }
  out << DriverSetting(registry, known) << "\n";
  return 0;
}

}  // namespace pressmoor::quillset
