#include <string>
#include <variant>

#include "settings/RegistryAPI.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

using namespace platform;
using settings::RegistryAPI::ValueHolder;

namespace {

// KEY_QUERY_VALUE through KEY_CREATE_LINK, without the standard rights.
constexpr REGSAM kSettingAccess = 0x3F;

const std::string kUserSettingsArea = "Software\\VB and VBA Program Settings\\";

std::string AsText(const ValueHolder& holder) {
  if (const auto* number = std::get_if<std::int32_t>(&holder)) return std::to_string(*number);
  if (const auto* text = std::get_if<std::string>(&holder)) return *text;
  return "";
}

bool IsEmptyText(const ValueHolder& holder) {
  if (std::holds_alternative<std::monostate>(holder)) return true;
  const auto* text = std::get_if<std::string>(&holder);
  return text && text->empty();
}

}  // namespace

void frmPressmoorMain::MySaveSetting(const std::string& appName, const std::string& section,
                                     const std::string& key, const std::string& setting) {
  Registry& registry = Env().Settings();
  HKEY handle = 0;
  DWORD disposition = 0;
  LONG status = registry.RegCreateKeyExA(HKEY_LOCAL_MACHINE,
                                         "Software\\" + appName + "\\" + section, 0, "",
                                         REG_OPTION_NON_VOLATILE, kSettingAccess, nullptr,
                                         &handle, &disposition);
  if (status != ERROR_SUCCESS) {
    status = registry.RegCreateKeyExA(HKEY_CURRENT_USER,
                                      kUserSettingsArea + appName + "\\" + section, 0, "",
                                      REG_OPTION_NON_VOLATILE, kSettingAccess, nullptr, &handle,
                                      &disposition);
  }
  if (status != ERROR_SUCCESS) return;
  status = registry.RegSetValueExA(handle, key, 0, REG_SZ,
                                   reinterpret_cast<const unsigned char*>(setting.data()),
                                   static_cast<DWORD>(setting.size()));
  if (status != ERROR_SUCCESS) SendMessage(std::to_string(status));
  registry.RegCloseKey(handle);
}

std::string frmPressmoorMain::MyGetSetting(const std::string& appName, const std::string& section,
                                           const std::string& key,
                                           const std::string& defaultValue) {
  ValueHolder holder = std::string();
  settings::RegistryAPI::ReadMachineValue(
      Env().Settings(), "SOFTWARE\\" + appName + "\\" + section + "\\", key, holder);
  if (IsEmptyText(holder)) {
    holder = Env().Settings().GetSetting(appName, section, key, defaultValue);
    if (IsEmptyText(holder)) holder = defaultValue;
  }
  return AsText(holder);
}

}  // namespace pressmoor::ui
