#include "settings/RegTool.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <optional>

namespace pressmoor::settings {

using namespace platform;

namespace {

constexpr const char* kUsage =
    "usage: pressmoor-reg query  KEY [/v NAME | /ve]\n"
    "       pressmoor-reg add    KEY [/v NAME | /ve] [/t TYPE] [/d DATA] [/f]\n"
    "       pressmoor-reg delete KEY [/v NAME | /ve] [/f]\n"
    "KEY is HKLM\\path or HKCU\\path; TYPE is REG_SZ (default), REG_DWORD,\n"
    "REG_EXPAND_SZ or REG_MULTI_SZ. REG_DWORD data is decimal (may be negative)\n"
    "or 0x hexadecimal; REG_MULTI_SZ data separates its strings with \\0.\n";
constexpr const char* kDone = "The operation completed successfully.\n";
constexpr const char* kIndent = "    ";

struct Command {
  std::string operation;
  HKEY root = 0;
  std::string keyName;  // the full key name as shown
  std::string subKey;
  std::optional<std::string> valueName;
  std::optional<std::string> typeName;
  std::optional<std::string> data;
};

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

bool IsOption(const std::string& arg, const std::string& name) {
  return arg.size() > 1 && (arg[0] == '/' || arg[0] == '-') && Upper(arg.substr(1)) == name;
}

bool ParseKey(const std::string& text, Command* command) {
  size_t separator = text.find('\\');
  std::string root = Upper(text.substr(0, separator));
  if (root == "HKLM" || root == "HKEY_LOCAL_MACHINE") {
    command->root = HKEY_LOCAL_MACHINE;
    command->keyName = "HKEY_LOCAL_MACHINE";
  } else if (root == "HKCU" || root == "HKEY_CURRENT_USER") {
    command->root = HKEY_CURRENT_USER;
    command->keyName = "HKEY_CURRENT_USER";
  } else {
    return false;
  }
  command->subKey = separator == std::string::npos ? "" : text.substr(separator + 1);
  while (!command->subKey.empty() && command->subKey.back() == '\\') command->subKey.pop_back();
  if (!command->subKey.empty()) command->keyName += "\\" + command->subKey;
  return true;
}

// Fills `slot` from the argument after option `index`; false when missing or repeated.
bool TakeArgument(const std::vector<std::string>& args, size_t* index,
                  std::optional<std::string>* slot) {
  if (slot->has_value() || *index + 1 >= args.size()) return false;
  *slot = args[++*index];
  return true;
}

bool ParseOptions(const std::vector<std::string>& args, Command* command) {
  bool writes = command->operation == "ADD";
  for (size_t i = 2; i < args.size(); ++i) {
    const std::string& arg = args[i];
    bool ok = false;
    if (IsOption(arg, "V")) {
      ok = TakeArgument(args, &i, &command->valueName);
    } else if (IsOption(arg, "VE")) {
      ok = !command->valueName.has_value();
      command->valueName = "";
    } else if (writes && IsOption(arg, "T")) {
      ok = TakeArgument(args, &i, &command->typeName);
    } else if (writes && IsOption(arg, "D")) {
      ok = TakeArgument(args, &i, &command->data);
    } else if (command->operation != "QUERY" && IsOption(arg, "F")) {
      ok = true;  // never asks, so there is nothing to force
    }
    if (!ok) return false;
  }
  // Data or a type without a value to hold it is a mistake, not a key.
  return command->valueName || (!command->typeName && !command->data);
}

std::optional<Command> Parse(const std::vector<std::string>& args) {
  if (args.size() < 2) return std::nullopt;
  Command command;
  command.operation = Upper(args[0]);
  if (command.operation != "QUERY" && command.operation != "ADD" &&
      command.operation != "DELETE") {
    return std::nullopt;
  }
  if (!ParseKey(args[1], &command) || !ParseOptions(args, &command)) return std::nullopt;
  return command;
}

int Fail(std::ostream& err, const std::string& message) {
  err << "ERROR: " << message << "\n";
  return 1;
}

int FailWithStatus(std::ostream& err, LONG status) {
  if (status == ERROR_FILE_NOT_FOUND) {
    return Fail(err, "The system was unable to find the specified registry key or value.");
  }
  if (status == ERROR_ACCESS_DENIED) return Fail(err, "Access is denied.");
  return Fail(err, "The operation failed with status " + std::to_string(status) + ".");
}

// ---- Value types and data ---------------------------------------------------

std::optional<DWORD> TypeFromName(const std::string& name) {
  std::string upper = Upper(name);
  if (upper == "REG_SZ") return REG_SZ;
  if (upper == "REG_DWORD") return REG_DWORD;
  if (upper == "REG_EXPAND_SZ") return REG_EXPAND_SZ;
  if (upper == "REG_MULTI_SZ") return REG_MULTI_SZ;
  return std::nullopt;
}

std::string TypeName(DWORD type) {
  switch (type) {
    case REG_SZ: return "REG_SZ";
    case REG_DWORD: return "REG_DWORD";
    case REG_EXPAND_SZ: return "REG_EXPAND_SZ";
    case REG_MULTI_SZ: return "REG_MULTI_SZ";
    case REG_NONE: return "REG_NONE";
    default: return "REG_" + std::to_string(type);
  }
}

// Decimal from -2147483648 (stored as its two's complement) to 4294967295,
// or 0x followed by at most eight hexadecimal digits.
std::optional<std::uint32_t> ParseDword(const std::string& text) {
  const char* begin = text.data();
  const char* end = begin + text.size();
  bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  std::int64_t number = 0;
  auto [stop, error] = std::from_chars(hex ? begin + 2 : begin, end, number, hex ? 16 : 10);
  if (error != std::errc() || stop != end || text.empty() || (hex && number < 0)) {
    return std::nullopt;
  }
  if (number < INT32_MIN || number > static_cast<std::int64_t>(UINT32_MAX)) return std::nullopt;
  return static_cast<std::uint32_t>(number);
}

std::vector<unsigned char> EncodeMultiString(const std::string& data) {
  std::vector<unsigned char> bytes;
  size_t start = 0;
  for (;;) {
    size_t separator = data.find("\\0", start);
    std::string part = data.substr(start, separator - start);
    bytes.insert(bytes.end(), part.begin(), part.end());
    bytes.push_back('\0');
    if (separator == std::string::npos) break;
    start = separator + 2;
  }
  bytes.push_back('\0');
  return bytes;
}

std::optional<std::vector<unsigned char>> Encode(DWORD type, const std::string& data) {
  if (type == REG_DWORD) {
    std::optional<std::uint32_t> number = ParseDword(data);
    if (!number) return std::nullopt;
    std::vector<unsigned char> bytes(sizeof *number);
    std::copy_n(reinterpret_cast<const unsigned char*>(&*number), sizeof *number, bytes.begin());
    return bytes;
  }
  if (type == REG_MULTI_SZ) return EncodeMultiString(data);
  return std::vector<unsigned char>(data.begin(), data.end());
}

std::string FormatMultiString(const std::vector<unsigned char>& data) {
  std::string text(data.begin(), data.end());
  while (!text.empty() && text.back() == '\0') text.pop_back();
  std::string shown;
  for (char c : text) shown += c == '\0' ? std::string("\\0") : std::string(1, c);
  return shown;
}

std::string FormatData(const RegistryValue& value) {
  const std::vector<unsigned char>& data = value.data;
  if (value.type == REG_SZ || value.type == REG_EXPAND_SZ) {
    std::string text(data.begin(), data.end());
    if (!text.empty() && text.back() == '\0') text.pop_back();
    return text;
  }
  if (value.type == REG_MULTI_SZ) return FormatMultiString(data);
  if (value.type == REG_DWORD && data.size() == sizeof(std::uint32_t)) {
    std::uint32_t number = 0;
    std::copy_n(data.begin(), sizeof number, reinterpret_cast<unsigned char*>(&number));
    char hex[16];
    auto [end, error] = std::to_chars(hex, hex + sizeof hex, number, 16);
    (void)error;
    return "0x" + std::string(hex, end);
  }
  static const char* kDigits = "0123456789ABCDEF";
  std::string shown;
  for (unsigned char byte : data) {
    shown += kDigits[byte >> 4];
    shown += kDigits[byte & 0xF];
  }
  return shown;
}

void PrintValue(const RegistryValue& value, std::ostream& out) {
  out << kIndent << (value.name.empty() ? "(Default)" : value.name) << kIndent
      << TypeName(value.type) << kIndent << FormatData(value) << "\n";
}

// ---- Operations -----------------------------------------------------------

int Query(const Command& command, Registry& registry, std::ostream& out, std::ostream& err) {
  HKEY key = 0;
  LONG status = registry.RegOpenKeyExA(command.root, command.subKey, 0, KEY_QUERY_VALUE, &key);
  if (status != ERROR_SUCCESS) return FailWithStatus(err, status);
  std::vector<RegistryValue> values;
  std::vector<std::string> subKeys;
  status = registry.RegEnumValues(key, &values);
  if (status == ERROR_SUCCESS && !command.valueName) status = registry.RegEnumKeys(key, &subKeys);
  registry.RegCloseKey(key);
  if (status != ERROR_SUCCESS) return FailWithStatus(err, status);
  if (command.valueName) {
    std::string wanted = Upper(*command.valueName);
    auto found = std::find_if(values.begin(), values.end(),
                              [&](const RegistryValue& value) { return Upper(value.name) == wanted; });
    if (found == values.end()) return FailWithStatus(err, ERROR_FILE_NOT_FOUND);
    values = {*found};
  }
  out << "\n" << command.keyName << "\n";
  for (const RegistryValue& value : values) PrintValue(value, out);
  out << "\n";
  for (const std::string& name : subKeys) out << command.keyName << "\\" << name << "\n";
  return 0;
}

int Add(const Command& command, Registry& registry, std::ostream& out, std::ostream& err) {
  if (command.subKey.empty()) return Fail(err, "Invalid key name.");
  std::optional<DWORD> type = TypeFromName(command.typeName.value_or("REG_SZ"));
  if (!type) return Fail(err, "Invalid value type " + *command.typeName + ".");
  std::string data = command.data.value_or("");
  std::optional<std::vector<unsigned char>> bytes = Encode(*type, data);
  if (!bytes) return Fail(err, "Invalid data for REG_DWORD: \"" + data + "\".");
  HKEY key = 0;
  LONG status = registry.RegCreateKeyExA(command.root, command.subKey, 0, "",
                                         REG_OPTION_NON_VOLATILE,
                                         KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return FailWithStatus(err, status);
  if (command.valueName) {
    status = registry.RegSetValueExA(key, *command.valueName, 0, *type, bytes->data(),
                                     static_cast<DWORD>(bytes->size()));
  }
  registry.RegCloseKey(key);
  if (status != ERROR_SUCCESS) return FailWithStatus(err, status);
  out << kDone;
  return 0;
}

int Delete(const Command& command, Registry& registry, std::ostream& out, std::ostream& err) {
  if (command.subKey.empty()) return Fail(err, "Invalid key name.");
  LONG status = ERROR_SUCCESS;
  if (command.valueName) {
    HKEY key = 0;
    status = registry.RegOpenKeyExA(command.root, command.subKey, 0,
                                    KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
    if (status == ERROR_SUCCESS) {
      status = registry.RegDeleteValueA(key, *command.valueName);
      registry.RegCloseKey(key);
    }
  } else {
    status = registry.RegDeleteTreeA(command.root, command.subKey);
  }
  if (status != ERROR_SUCCESS) return FailWithStatus(err, status);
  out << kDone;
  return 0;
}

}  // namespace

int RunRegTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
               Registry& registry) {
  std::optional<Command> command = Parse(args);
  if (!command) {
    err << (args.empty() ? "" : "ERROR: Invalid syntax.\n") << kUsage;
    return 1;
  }
  if (command->operation == "QUERY") return Query(*command, registry, out, err);
  if (command->operation == "ADD") return Add(*command, registry, out, err);
  return Delete(*command, registry, out, err);
}

}  // namespace pressmoor::settings
