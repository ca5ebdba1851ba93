// The two registry reads the program builds on: one value of an open key,
// and one value below HKEY_LOCAL_MACHINE that fails silently.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "platform/Registry.h"

namespace pressmoor::settings::RegistryAPI {

using platform::HKEY;
using platform::LONG;

// Empty (monostate), a text, or a 32-bit signed number.
using ValueHolder = std::variant<std::monostate, std::string, std::int32_t>;

// Status of an unsupported value type.
inline constexpr LONG kUnsupportedType = -1;

// Reads `name` of the open key `key` into `holder`: REG_SZ as text, REG_DWORD
// as a number. Returns the registry status, or kUnsupportedType for any other
// type. The holder changes only on a successful read, and is emptied when a
// string's second query fails.
LONG ReadKeyValue(platform::Registry& registry, HKEY key, const std::string& name,
                  ValueHolder& holder);

// Reads `name` of HKEY_LOCAL_MACHINE\`path` into `holder`; on any failure the
// holder keeps what it held and nothing is reported.
void ReadMachineValue(platform::Registry& registry, const std::string& path,
                      const std::string& name, ValueHolder& holder);

}  // namespace pressmoor::settings::RegistryAPI
