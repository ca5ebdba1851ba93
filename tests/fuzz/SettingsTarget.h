// Reading settings back from a store whose values have fuzz-chosen types and
// bytes, and from a store file whose bytes are fuzz-chosen or damaged.
// CheckSettings answers the first broken rule, or "" when all hold.
#pragma once

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "FakeEnvironment.h"
#include "FuzzInput.h"
#include "settings/RegistryAPI.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::fuzz {

inline constexpr const char* kApplication = "Tarnwick\\Pressmoor";
inline constexpr const char* kSection = "FileInfo";
inline constexpr const char* kDefault = "<default>";

struct StoredValue {
  platform::DWORD type = platform::REG_NONE;
  std::string data;
};

// Last write wins; names compare without regard to case.
using StoreModel = std::map<std::string, StoredValue>;

inline std::string Folded(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

inline std::string MachinePath() { return std::string("SOFTWARE\\") + kApplication + "\\" + kSection; }
inline std::string UserPath() {
  return std::string("Software\\VB and VBA Program Settings\\") + kApplication + "\\" + kSection;
}

inline void RemoveStores(const testing::FakeEnvironment& env) {
  for (const char* root : {"/machine/", "/user/"}) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
      std::filesystem::remove(env.root.Path() + root + "registry.sqlite" + suffix);
    }
  }
}

inline void WriteStoreFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string PickName(FuzzInput& input) {
  static const char* const kNames[] = {"FileType", "filetype", "LMargin", "SrcDir", ""};
  std::uint8_t choice = input.Byte() % 6;
  return choice < 5 ? kNames[choice] : input.Text(input.Byte() % 12);
}

inline platform::DWORD PickType(FuzzInput& input) {
  static const platform::DWORD kTypes[] = {platform::REG_NONE, platform::REG_SZ, platform::REG_EXPAND_SZ,
                                           3, platform::REG_DWORD, platform::REG_MULTI_SZ};
  std::uint8_t choice = input.Byte() % 8;
  return choice < 6 ? kTypes[choice] : input.Word();
}

// What MyGetSetting must answer for a model, or nothing where the rules leave
// it open (strings with a NUL inside, numbers shorter than four bytes).
inline std::optional<std::string> Expected(const StoreModel& machine, const StoreModel& user,
                                           const std::string& name) {
  auto found = machine.find(Folded(name));
  if (found != machine.end()) {
    const StoredValue& value = found->second;
    bool hasNul = value.data.find('\0') != std::string::npos;
    if (value.type == platform::REG_SZ && hasNul) return std::nullopt;
    if (value.type == platform::REG_SZ && !value.data.empty()) return value.data;
    if (value.type == platform::REG_DWORD && value.data.size() < 4) return std::nullopt;
    if (value.type == platform::REG_DWORD && value.data.size() == 4) {
      std::int32_t number = 0;
      std::memcpy(&number, value.data.data(), 4);
      return std::to_string(number);
    }
  }
  found = user.find(Folded(name));
  if (found == user.end() || found->second.type != platform::REG_SZ) return kDefault;
  if (found->second.data.find('\0') != std::string::npos) return std::nullopt;
  return found->second.data.empty() ? kDefault : found->second.data;
}

// Every buffer size around the value's own: too small is ERROR_MORE_DATA with
// the size needed, never a write past the buffer.
inline std::string CheckBufferSizes(platform::Registry& registry, platform::HKEY key,
                                    const std::string& name) {
  using namespace platform;
  DWORD type = REG_NONE;
  DWORD needed = 0;
  if (registry.RegQueryValueExA(key, name, nullptr, &type, nullptr, &needed) != ERROR_SUCCESS) {
    return "a written value cannot be queried";
  }
  for (DWORD room : {DWORD{0}, DWORD{1}, needed > 0 ? needed - 1 : 0, needed, needed + 1}) {
    std::vector<unsigned char> buffer(std::max<DWORD>(room, 1));
    DWORD size = room;
    LONG status = registry.RegQueryValueExA(key, name, nullptr, &type, buffer.data(), &size);
    if (size != needed) return "a query reports another size";
    if ((status == ERROR_SUCCESS) != (room >= needed)) return "a query ignores the buffer size";
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return "a query of a readable value fails";
  }
  settings::RegistryAPI::ValueHolder holder;
  LONG status = settings::RegistryAPI::ReadKeyValue(registry, key, name, holder);
  if (status == ERROR_SUCCESS && type == REG_SZ && !std::holds_alternative<std::string>(holder)) {
    return "a string reads as something else";
  }
  if (status == ERROR_SUCCESS && type == REG_DWORD && !std::holds_alternative<std::int32_t>(holder)) {
    return "a number reads as something else";
  }
  if (status == ERROR_SUCCESS && type != REG_SZ && type != REG_DWORD) return "an unsupported type reads";
  return "";
}

inline std::string WriteValue(platform::Registry& registry, platform::HKEY root, const std::string& path,
                              const std::string& name, const StoredValue& value) {
  using namespace platform;
  HKEY key = 0;
  DWORD disposition = 0;
  if (registry.RegCreateKeyExA(root, path, 0, "", REG_OPTION_NON_VOLATILE,
                               KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key,
                               &disposition) != ERROR_SUCCESS) {
    return "a key of a healthy store cannot be created";
  }
  std::string broken;
  if (registry.RegSetValueExA(key, name, 0, value.type,
                              reinterpret_cast<const unsigned char*>(value.data.data()),
                              static_cast<DWORD>(value.data.size())) != ERROR_SUCCESS) {
    broken = "a value of a healthy store cannot be written";
  } else {
    broken = CheckBufferSizes(registry, key, name);
  }
  registry.RegCloseKey(key);
  return broken;
}

inline std::string CheckTypedValues(testing::FakeEnvironment& env, ui::frmPressmoorMain& window,
                                    FuzzInput& input) {
  StoreModel machine;
  StoreModel user;
  std::vector<std::string> names;
  for (int record = 0; record < 8 && !input.Exhausted(); ++record) {
    bool toMachine = input.Byte() & 1;
    std::string name = PickName(input);
    StoredValue value{PickType(input), ""};
    value.data = input.Text(input.Byte() % 48);
    std::string broken = WriteValue(env.registry, toMachine ? platform::HKEY_LOCAL_MACHINE : platform::HKEY_CURRENT_USER,
                                    toMachine ? MachinePath() : UserPath(), name, value);
    if (!broken.empty()) return broken;
    // The store keeps strings without a terminator.
    bool isString = value.type == platform::REG_SZ || value.type == platform::REG_EXPAND_SZ ||
                    value.type == platform::REG_MULTI_SZ;
    if (isString && !value.data.empty() && value.data.back() == '\0') value.data.pop_back();
    (toMachine ? machine : user)[Folded(name)] = value;
    names.push_back(name);
  }
  names.push_back("NeverWritten");
  for (const std::string& name : names) {
    std::string got = window.MyGetSetting(kApplication, kSection, name, kDefault);
    std::optional<std::string> expected = Expected(machine, user, name);
    if (expected && got != *expected) return "MyGetSetting(" + name + ") gave '" + got + "'";
    if (got.empty()) return "MyGetSetting answered an empty text";
  }
  return "";
}

// A store that is not a database, or a damaged one: reads give the default,
// a save reports a bare status number or lands in the healthy per-user store.
inline std::string CheckDamagedStore(testing::FakeEnvironment& env, ui::frmPressmoorMain& window,
                                     const std::string& machineBytes, bool userDamagedToo) {
  WriteStoreFile(env.registry.Roots().machineDatabase, machineBytes);
  if (userDamagedToo) WriteStoreFile(env.registry.Roots().userDatabase, machineBytes);
  for (const char* name : {"FileType", "LMargin", "SrcDir"}) {
    if (window.MyGetSetting(kApplication, kSection, name, kDefault).empty()) return "a damaged store gave an empty text";
  }
  // The damage may have changed the stored value itself.
  const std::string before = window.MyGetSetting(kApplication, kSection, "FileType", kDefault);
  env.eventLog.clear();
  window.MySaveSetting(kApplication, kSection, "FileType", "fuzzed");
  for (const std::string& message : env.eventLog) {
    if (message.empty() || message.find_first_not_of("0123456789") != std::string::npos) {
      return "a failed save said '" + message + "'";
    }
  }
  // A damaged machine store may still be read while refusing writes; its old
  // value then comes first, as a read-only machine store's would.
  std::string readBack = window.MyGetSetting(kApplication, kSection, "FileType", kDefault);
  if (env.eventLog.empty() && !userDamagedToo && readBack != "fuzzed" && readBack != before) {
    return "a save without a message did not read back";
  }
  return "";
}

// A small healthy store, as bytes, for the damage to start from.
inline const std::string& HealthyStoreImage() {
  static const std::string image = [] {
    testing::FakeEnvironment scratch;
    ui::frmPressmoorMain window(scratch);
    for (const char* name : {"FileType", "LMargin", "RMargin", "SrcDir", "DstDir"}) {
      window.MySaveSetting(kApplication, kSection, name, std::string(name) + " value");
    }
    std::ifstream file(scratch.registry.Roots().machineDatabase, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }();
  return image;
}

inline std::string DamagedImage(FuzzInput& input) {
  std::string image = HealthyStoreImage();
  if (image.empty()) return image;
  while (!input.Exhausted()) {
    std::size_t offset = input.Short() % image.size();
    image[offset] = static_cast<char>(input.Byte());
  }
  return image;
}

inline std::string CheckSettings(const std::uint8_t* data, std::size_t size) {
  static testing::FakeEnvironment env;
  FuzzInput input(data, size);
  RemoveStores(env);
  env.eventLog.clear();
  env.commandLine = "-f *.txt";  // unattended: messages only go to the log
  ui::frmPressmoorMain window(env);
  std::uint8_t mode = input.Byte();
  switch (mode % 3) {
    case 0: return CheckTypedValues(env, window, input);
    case 1: return CheckDamagedStore(env, window, input.Rest(), mode & 4);
    default: return CheckDamagedStore(env, window, DamagedImage(input), mode & 4);
  }
}

}  // namespace pressmoor::fuzz
