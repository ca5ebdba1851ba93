#include "platform/Registry.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "TempDir.h"

namespace pressmoor::platform {
namespace {

using testing::TempDir;

class RegistryTest : public ::testing::Test {
 protected:
  RegistryRoots Roots(bool machineReadOnly = false) const {
    RegistryRoots roots;
    roots.machineDatabase = dir.Path() + "/machine/registry.sqlite";
    roots.userDatabase = dir.Path() + "/user/registry.sqlite";
    roots.machineReadOnly = machineReadOnly;
    return roots;
  }

  static LONG SetString(Registry& registry, HKEY root, const std::string& path,
                        const std::string& name, const std::string& text, DWORD type = REG_SZ) {
    HKEY key = 0;
    LONG status = registry.RegCreateKeyExA(root, path, 0, "", 0, 0x3F, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS) return status;
    status = registry.RegSetValueExA(key, name, 0, type,
                                     reinterpret_cast<const unsigned char*>(text.data()),
                                     static_cast<DWORD>(text.size()));
    registry.RegCloseKey(key);
    return status;
  }

  // Reads a value whole; the status of the failing step otherwise.
  static LONG Get(Registry& registry, HKEY root, const std::string& path, const std::string& name,
                  DWORD* type, std::string* data) {
    HKEY key = 0;
    LONG status = registry.RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key);
    if (status != ERROR_SUCCESS) return status;
    DWORD size = 0;
    status = registry.RegQueryValueExA(key, name, nullptr, type, nullptr, &size);
    std::vector<unsigned char> buffer(size);
    if (status == ERROR_SUCCESS) {
      status = registry.RegQueryValueExA(key, name, nullptr, type, buffer.data(), &size);
    }
    data->assign(buffer.begin(), buffer.end());
    registry.RegCloseKey(key);
    return status;
  }

  TempDir dir;
};

TEST_F(RegistryTest, StringReadsBackWithOneTerminatingNulCounted) {
  Registry registry(Roots());
  ASSERT_EQ(SetString(registry, HKEY_LOCAL_MACHINE, "Software\\A", "Name", "abc"), 0);
  DWORD type = 0;
  std::string data;
  ASSERT_EQ(Get(registry, HKEY_LOCAL_MACHINE, "Software\\A", "Name", &type, &data), 0);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(data, std::string("abc\0", 4));
}

TEST_F(RegistryTest, TooSmallBufferAnswersMoreDataWithTheSizeNeeded) {
  Registry registry(Roots());
  ASSERT_EQ(SetString(registry, HKEY_CURRENT_USER, "K", "v", "hello"), 0);
  HKEY key = 0;
  ASSERT_EQ(registry.RegOpenKeyExA(HKEY_CURRENT_USER, "K", 0, KEY_QUERY_VALUE, &key), 0);
  unsigned char buffer[3] = {};
  DWORD size = sizeof buffer;
  EXPECT_EQ(registry.RegQueryValueExA(key, "v", nullptr, nullptr, buffer, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(registry.RegCloseKey(key), 0);
}

TEST_F(RegistryTest, KeysAndNamesIgnoreCaseAndTrailingSeparator) {
  Registry registry(Roots());
  ASSERT_EQ(SetString(registry, HKEY_LOCAL_MACHINE, "Software\\Tarnwick\\Pressmoor", "SourceDir",
                      "/in"),
            0);
  DWORD type = 0;
  std::string data;
  EXPECT_EQ(Get(registry, HKEY_LOCAL_MACHINE, "SOFTWARE\\TARNWICK\\pressmoor\\", "sourcedir",
                &type, &data),
            0);
  EXPECT_EQ(data, std::string("/in\0", 4));
  // Creating the key created its parents.
  HKEY parent = 0;
  EXPECT_EQ(registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\tarnwick", 0, KEY_QUERY_VALUE,
                                   &parent),
            0);
  registry.RegCloseKey(parent);
}

TEST_F(RegistryTest, RootsAreSeparateStores) {
  Registry registry(Roots());
  ASSERT_EQ(SetString(registry, HKEY_CURRENT_USER, "K", "v", "user"), 0);
  DWORD type = 0;
  std::string data;
  EXPECT_EQ(Get(registry, HKEY_LOCAL_MACHINE, "K", "v", &type, &data), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryTest, MissingThingsAndBadHandlesAnswerTheirStatus) {
  Registry registry(Roots());
  HKEY key = 123;
  EXPECT_EQ(registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Nothing", 0, KEY_QUERY_VALUE, &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, 0u);
  EXPECT_FALSE(std::filesystem::exists(Roots().machineDatabase));  // reads create nothing
  DWORD size = 0;
  EXPECT_EQ(registry.RegQueryValueExA(0, "v", nullptr, nullptr, nullptr, &size),
            ERROR_INVALID_HANDLE);
  EXPECT_EQ(registry.RegCloseKey(0), ERROR_INVALID_HANDLE);

  ASSERT_EQ(SetString(registry, HKEY_LOCAL_MACHINE, "K", "v", "x"), 0);
  ASSERT_EQ(registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, "K", 0, KEY_QUERY_VALUE, &key), 0);
  EXPECT_EQ(registry.RegQueryValueExA(key, "other", nullptr, nullptr, nullptr, &size),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(registry.RegCloseKey(key), 0);
  EXPECT_EQ(registry.RegCloseKey(key), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, DwordAndOtherTypesKeepTheirTypeAndBytes) {
  Registry registry(Roots());
  HKEY key = 0;
  ASSERT_EQ(registry.RegCreateKeyExA(HKEY_LOCAL_MACHINE, "K", 0, "", 0, 0x3F, nullptr, &key,
                                     nullptr),
            0);
  std::int32_t minusOne = -1;
  ASSERT_EQ(registry.RegSetValueExA(key, "n", 0, REG_DWORD,
                                    reinterpret_cast<const unsigned char*>(&minusOne), 4),
            0);
  const unsigned char multi[] = {'a', 0, 'b', 0, 0};
  ASSERT_EQ(registry.RegSetValueExA(key, "m", 0, REG_MULTI_SZ, multi, sizeof multi), 0);
  registry.RegCloseKey(key);

  DWORD type = 0;
  std::string data;
  ASSERT_EQ(Get(registry, HKEY_LOCAL_MACHINE, "K", "n", &type, &data), 0);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(data, std::string(4, '\xff'));
  ASSERT_EQ(Get(registry, HKEY_LOCAL_MACHINE, "K", "m", &type, &data), 0);
  EXPECT_EQ(type, REG_MULTI_SZ);
  EXPECT_EQ(data, std::string(reinterpret_cast<const char*>(multi), sizeof multi));
}

TEST_F(RegistryTest, ReadOnlyMachineRootRefusesWritesButStillReads) {
  {
    Registry writable(Roots());
    ASSERT_EQ(SetString(writable, HKEY_LOCAL_MACHINE, "K", "v", "old"), 0);
  }
  Registry registry(Roots(true));
  HKEY key = 0;
  EXPECT_EQ(registry.RegCreateKeyExA(HKEY_LOCAL_MACHINE, "K", 0, "", 0, 0x3F, nullptr, &key,
                                     nullptr),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(SetString(registry, HKEY_CURRENT_USER, "K", "v", "new"), 0);
  DWORD type = 0;
  std::string data;
  EXPECT_EQ(Get(registry, HKEY_LOCAL_MACHINE, "K", "v", &type, &data), 0);
  EXPECT_EQ(data, std::string("old\0", 4));
}

TEST_F(RegistryTest, RootThatCannotBeCreatedRefusesWrites) {
  RegistryRoots roots = Roots();
  roots.userDatabase = dir.WriteFile("plain-file", "x") + "/registry.sqlite";
  Registry registry(roots);
  EXPECT_EQ(SetString(registry, HKEY_CURRENT_USER, "K", "v", "x"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(SetString(registry, HKEY_LOCAL_MACHINE, "K", "v", "x"), 0);  // creates machine/
}

TEST_F(RegistryTest, DamagedStoreFailsReadsAndWritesWithoutCrashing) {
  RegistryRoots roots = Roots();
  dir.WriteFile("machine/registry.sqlite", std::string(3000, 'Z'));
  Registry registry(roots);
  HKEY key = 0;
  EXPECT_EQ(registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, "K", 0, KEY_QUERY_VALUE, &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(registry.RegCreateKeyExA(HKEY_LOCAL_MACHINE, "K", 0, "", 0, 0x3F, nullptr, &key,
                                     nullptr),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(registry.GetSetting("A", "S", "v", "default"), "default");
}

TEST_F(RegistryTest, DeleteValueAndTreeAndListSubKeys) {
  Registry registry(Roots());
  ASSERT_EQ(SetString(registry, HKEY_LOCAL_MACHINE, "A\\B\\C", "v", "1"), 0);
  ASSERT_EQ(SetString(registry, HKEY_LOCAL_MACHINE, "A\\b2", "v", "2"), 0);
  ASSERT_EQ(SetString(registry, HKEY_LOCAL_MACHINE, "AB", "v", "3"), 0);

  HKEY key = 0;
  ASSERT_EQ(registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, "a", 0, KEY_QUERY_VALUE, &key), 0);
  std::vector<std::string> names;
  EXPECT_EQ(registry.RegEnumKeys(key, &names), 0);
  EXPECT_EQ(names, (std::vector<std::string>{"B", "b2"}));
  registry.RegCloseKey(key);

  EXPECT_EQ(registry.RegDeleteTreeA(HKEY_LOCAL_MACHINE, "a\\b"), 0);
  EXPECT_EQ(registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, "A\\B\\C", 0, KEY_QUERY_VALUE, &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(registry.RegDeleteTreeA(HKEY_LOCAL_MACHINE, "A\\B"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(registry.RegDeleteTreeA(HKEY_LOCAL_MACHINE, ""), ERROR_ACCESS_DENIED);

  // "AB" is no child of "A": a prefix of the name alone does not count.
  DWORD type = 0;
  std::string data;
  EXPECT_EQ(Get(registry, HKEY_LOCAL_MACHINE, "AB", "v", &type, &data), 0);

  ASSERT_EQ(registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, "A\\B2", 0, KEY_SET_VALUE, &key), 0);
  EXPECT_EQ(registry.RegDeleteValueA(key, "V"), 0);
  EXPECT_EQ(registry.RegDeleteValueA(key, "V"), ERROR_FILE_NOT_FOUND);
  registry.RegCloseKey(key);
}

TEST_F(RegistryTest, GetSettingReadsTheUserSettingsAreaOnly) {
  Registry registry(Roots());
  const std::string area = "Software\\VB and VBA Program Settings\\Tarnwick\\Pressmoor\\Pathinfo";
  ASSERT_EQ(SetString(registry, HKEY_CURRENT_USER, area, "SourceDir", "/in"), 0);
  ASSERT_EQ(SetString(registry, HKEY_CURRENT_USER, area, "Empty", ""), 0);
  ASSERT_EQ(SetString(registry, HKEY_CURRENT_USER, area, "Expand", "x", REG_EXPAND_SZ), 0);
  EXPECT_EQ(registry.GetSetting("Tarnwick\\Pressmoor", "Pathinfo", "sourcedir", "d"), "/in");
  EXPECT_EQ(registry.GetSetting("Tarnwick\\Pressmoor", "Pathinfo", "Empty", "d"), "");
  EXPECT_EQ(registry.GetSetting("Tarnwick\\Pressmoor", "Pathinfo", "Expand", "d"), "d");
  EXPECT_EQ(registry.GetSetting("Tarnwick\\Pressmoor", "Pathinfo", "Missing", "d"), "d");
  EXPECT_EQ(registry.GetSetting("Tarnwick\\Pressmoor", "Other", "SourceDir", "d"), "d");
}

// Sets or clears one variable for the life of a test, then puts it back.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    const char* old = getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedVariable() {
    if (had_) {
      setenv(name_, old_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  bool had_ = false;
  std::string old_;
};

TEST_F(RegistryTest, RootsComeFromTheEnvironment) {
  {
    ScopedVariable machine("PRESSMOOR_MACHINE_ROOT", "/m");
    ScopedVariable user("PRESSMOOR_USER_ROOT", "/u");
    ScopedVariable readOnly("PRESSMOOR_MACHINE_READONLY", "1");
    RegistryRoots roots = RegistryRoots::FromEnvironment();
    EXPECT_EQ(roots.machineDatabase, "/m/registry.sqlite");
    EXPECT_EQ(roots.userDatabase, "/u/registry.sqlite");
    EXPECT_TRUE(roots.machineReadOnly);
  }
  ScopedVariable machine("PRESSMOOR_MACHINE_ROOT", nullptr);
  ScopedVariable user("PRESSMOOR_USER_ROOT", nullptr);
  ScopedVariable readOnly("PRESSMOOR_MACHINE_READONLY", "0");
  ScopedVariable config("XDG_CONFIG_HOME", "/cfg");
  RegistryRoots roots = RegistryRoots::FromEnvironment();
  EXPECT_EQ(roots.machineDatabase, "/var/lib/pressmoor/registry.sqlite");
  EXPECT_EQ(roots.userDatabase, "/cfg/pressmoor/registry.sqlite");
  EXPECT_FALSE(roots.machineReadOnly);
}

TEST_F(RegistryTest, ConcurrentProcessesLoseNoCommittedValue) {
  constexpr int kProcesses = 4;
  constexpr int kValuesEach = 40;
  std::vector<pid_t> children;
  for (int p = 0; p < kProcesses; ++p) {
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      Registry registry(Roots());
      int failures = 0;
      for (int i = 0; i < kValuesEach; ++i) {
        std::string name = "p" + std::to_string(p) + "v" + std::to_string(i);
        failures += SetString(registry, HKEY_LOCAL_MACHINE, "Shared\\Key", name, name) != 0;
      }
      _exit(failures == 0 ? 0 : 1);
    }
    children.push_back(child);
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  Registry registry(Roots());
  HKEY key = 0;
  ASSERT_EQ(registry.RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Shared\\Key", 0, KEY_QUERY_VALUE, &key),
            0);
  std::vector<RegistryValue> values;
  EXPECT_EQ(registry.RegEnumValues(key, &values), 0);
  EXPECT_EQ(values.size(), static_cast<size_t>(kProcesses * kValuesEach));
  registry.RegCloseKey(key);
}

}  // namespace
}  // namespace pressmoor::platform
