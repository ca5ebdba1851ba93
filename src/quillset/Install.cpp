#include "quillset/Install.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "driver/Quillset.h"

namespace pressmoor::quillset {

namespace fs = std::filesystem;
using namespace platform;

namespace {

std::string StatusText(LONG status) {
  if (status == ERROR_ACCESS_DENIED) return "access is denied";
  if (status == ERROR_FILE_NOT_FOUND) return "not found";
  return "status " + std::to_string(status);
}

// A reader never sees a half-written helper: copy beside it, then rename.
bool CopyHelper(const std::string& executable, const std::string& target, std::string* error) {
  std::error_code failure;
  fs::create_directories(fs::path(target).parent_path(), failure);
  std::string temporary = target + ".tmp-" + std::to_string(getpid());
  if (!failure) {
    fs::copy_file(executable, temporary, fs::copy_options::overwrite_existing, failure);
  }
  if (!failure) {
    fs::permissions(temporary, fs::perms::owner_all | fs::perms::group_read |
                                   fs::perms::group_exec | fs::perms::others_read |
                                   fs::perms::others_exec, failure);
  }
  if (!failure) fs::rename(temporary, target, failure);
  if (!failure) return true;
  std::error_code ignored;
  fs::remove(temporary, ignored);
  *error = failure.message();
  return false;
}

}  // namespace

std::string HelperPath(const std::string& machineRoot) {
  return machineRoot + "/system32" + driver::kHelperX64;
}

int Install(Registry& registry, const std::string& machineRoot, const std::string& executable,
            std::ostream& out, std::ostream& err) {
  HKEY key = 0;
  LONG status = registry.RegCreateKeyExA(HKEY_LOCAL_MACHINE, driver::kVersionKey, 0, "",
                                         REG_OPTION_NON_VOLATILE,
                                         KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key,
                                         nullptr);
  if (status != ERROR_SUCCESS) {
    err << "quillset.exe: cannot write the machine-wide settings store "
        << registry.Roots().machineDatabase << ": " << StatusText(status) << "\n";
    return 1;
  }
  std::string helper = HelperPath(machineRoot);
  std::string error;
  if (!CopyHelper(executable, helper, &error)) {
    registry.RegCloseKey(key);
    err << "quillset.exe: cannot install the helper program " << helper << ": " << error << "\n";
    return 1;
  }
  // The version goes in last: its presence means the driver is complete.
  std::string version = driver::kInstalledVersion;
  status = registry.RegSetValueExA(key, driver::kVersionValue, 0, REG_SZ,
                                   reinterpret_cast<const unsigned char*>(version.data()),
                                   static_cast<DWORD>(version.size()));
  registry.RegCloseKey(key);
  if (status != ERROR_SUCCESS) {
    err << "quillset.exe: cannot record the version: " << StatusText(status) << "\n";
    return 1;
  }
  out << "Quillset " << version << " installed; helper program " << helper << "\n";
  return 0;
}

int Uninstall(Registry& registry, const std::string& machineRoot, std::ostream& out,
              std::ostream& err) {
  HKEY key = 0;
  LONG status = registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, driver::kVersionKey, 0,
                                       KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
  if (status == ERROR_SUCCESS) {
    status = registry.RegDeleteValueA(key, driver::kVersionValue);
    registry.RegCloseKey(key);
  }
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    err << "quillset.exe: cannot remove the version value: " << StatusText(status) << "\n";
    return 1;
  }
  std::string helper = HelperPath(machineRoot);
  std::error_code failure;
  fs::remove(helper, failure);
  if (failure) {
    err << "quillset.exe: cannot remove " << helper << ": " << failure.message() << "\n";
    return 1;
  }
  out << "Quillset removed\n";
  return 0;
}

}  // namespace pressmoor::quillset
