#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string>

#include "FakeEnvironment.h"
#include "platform/Registry.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::testing {
namespace {

using namespace platform;

constexpr const char* kApp = "Tarnwick\\Pressmoor";
constexpr const char* kSection = "Pathinfo";
constexpr const char* kMachineKey = "Software\\Tarnwick\\Pressmoor\\Pathinfo";
constexpr const char* kUserKey =
    "Software\\VB and VBA Program Settings\\Tarnwick\\Pressmoor\\Pathinfo";

// The fake environment over a store whose roots a test may refuse.
class StoreEnvironment : public FakeEnvironment {
 public:
  Registry& Settings() override { return refused ? *refused : registry; }

  void RefuseMachineRoot() {
    RegistryRoots roots = registry.Roots();
    roots.machineReadOnly = true;
    refused = std::make_unique<Registry>(roots);
  }
  void RefuseBothRoots() {
    RegistryRoots roots = registry.Roots();
    roots.machineReadOnly = true;
    roots.userDatabase = root.WriteFile("not-a-directory", "") + "/registry.sqlite";
    refused = std::make_unique<Registry>(roots);
  }

  std::unique_ptr<Registry> refused;
};

class MySettingTest : public ::testing::Test {
 protected:
  void Put(HKEY root, const std::string& path, const std::string& name, DWORD type,
           const std::string& bytes) {
    HKEY key = 0;
    ASSERT_EQ(env.registry.RegCreateKeyExA(root, path, 0, "", 0, 0x3F, nullptr, &key, nullptr), 0);
    ASSERT_EQ(env.registry.RegSetValueExA(key, name, 0, type,
                                          reinterpret_cast<const unsigned char*>(bytes.data()),
                                          static_cast<DWORD>(bytes.size())),
              0);
    env.registry.RegCloseKey(key);
  }
  void PutMachine(const std::string& name, const std::string& text, DWORD type = REG_SZ) {
    Put(HKEY_LOCAL_MACHINE, kMachineKey, name, type, text);
  }
  void PutUser(const std::string& name, const std::string& text) {
    Put(HKEY_CURRENT_USER, kUserKey, name, REG_SZ, text);
  }
  void PutMachineNumber(const std::string& name, std::int32_t number) {
    PutMachine(name, std::string(reinterpret_cast<const char*>(&number), sizeof number),
               REG_DWORD);
  }
  std::string Get(const std::string& name) {
    return window.MyGetSetting(kApp, kSection, name, "default");
  }

  StoreEnvironment env;
  ui::frmPressmoorMain window{env};
};

TEST_F(MySettingTest, MachineFirstThenUserThenDefault) {
  EXPECT_EQ(Get("SourceDir"), "default");
  PutUser("SourceDir", "/user");
  EXPECT_EQ(Get("SourceDir"), "/user");
  PutMachine("SourceDir", "/machine");
  EXPECT_EQ(Get("SourceDir"), "/machine");
}

TEST_F(MySettingTest, EmptyValuesCountAsAbsent) {
  PutMachine("Empty", "");
  PutMachine("JustNul", std::string(1, '\0'));
  PutUser("Empty", "/user");
  EXPECT_EQ(Get("Empty"), "/user");
  EXPECT_EQ(Get("JustNul"), "default");
  PutUser("UserEmpty", "");
  EXPECT_EQ(Get("UserEmpty"), "default");
}

TEST_F(MySettingTest, MachineNumbersAreDecimalTextAndNeverEmpty) {
  PutMachineNumber("Seven", 7);
  PutMachineNumber("Zero", 0);
  PutMachineNumber("MinusOne", -1);
  PutUser("Zero", "user");
  EXPECT_EQ(Get("Seven"), "7");
  EXPECT_EQ(Get("Zero"), "0");
  EXPECT_EQ(Get("MinusOne"), "-1");
}

TEST_F(MySettingTest, OtherMachineTypesAreIgnored) {
  PutMachine("Expand", "/machine", REG_EXPAND_SZ);
  PutMachine("Multi", std::string("a\0\0", 3), REG_MULTI_SZ);
  PutUser("Expand", "/user");
  EXPECT_EQ(Get("Expand"), "/user");
  EXPECT_EQ(Get("Multi"), "default");
}

TEST_F(MySettingTest, SavedTextComesBackRegardlessOfCase) {
  window.MySaveSetting(kApp, kSection, "SourceDir", "/home/a b\\c");
  EXPECT_EQ(window.MyGetSetting("TARNWICK\\pressmoor", "PATHINFO", "sourcedir", "d"),
            "/home/a b\\c");
  window.MySaveSetting(kApp, kSection, "SourceDir", "");
  EXPECT_EQ(Get("SourceDir"), "default");
  EXPECT_TRUE(env.messageBoxes.empty());
  EXPECT_TRUE(env.eventLog.empty());
  // The machine level took it; the per-user level stays untouched.
  EXPECT_EQ(env.registry.GetSetting(kApp, kSection, "SourceDir", "none"), "none");
}

TEST_F(MySettingTest, RefusedMachineRootFallsBackToPerUserSilently) {
  window.MySaveSetting(kApp, kSection, "SourceDir", "/old");
  window.MySaveSetting(kApp, kSection, "Fresh", "x");
  env.RefuseMachineRoot();
  window.MySaveSetting(kApp, kSection, "SourceDir", "/new");
  window.MySaveSetting(kApp, kSection, "Other", "/user only");
  EXPECT_EQ(Get("SourceDir"), "/old");
  EXPECT_EQ(Get("Other"), "/user only");
  EXPECT_EQ(env.registry.GetSetting(kApp, kSection, "SourceDir", ""), "/new");
  EXPECT_TRUE(env.eventLog.empty());
}

TEST_F(MySettingTest, BothRootsRefusedChangeNothingAndShowNothing) {
  PutMachine("SourceDir", "/old");
  env.RefuseBothRoots();
  window.MySaveSetting(kApp, kSection, "SourceDir", "/new");
  window.MySaveSetting(kApp, kSection, "Other", "x");
  EXPECT_EQ(Get("SourceDir"), "/old");
  EXPECT_EQ(Get("Other"), "default");
  EXPECT_EQ(window.MessagesReported, 0);
  EXPECT_TRUE(env.messageBoxes.empty());
  EXPECT_TRUE(env.eventLog.empty());
}

TEST_F(MySettingTest, GarbageMachineStoreReadsAsAbsentAndWritesGoPerUser) {
  env.root.WriteFile("machine/registry.sqlite", std::string(4096, '#'));
  EXPECT_EQ(Get("SourceDir"), "default");
  window.MySaveSetting(kApp, kSection, "SourceDir", "/user");
  EXPECT_EQ(Get("SourceDir"), "/user");
  EXPECT_TRUE(env.eventLog.empty());
}

TEST_F(MySettingTest, RefusedSetIsReportedAsItsBareStatusNumber) {
  PutMachine("Seed", "x");
  // A store whose keys open but whose values refuse every write.
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(env.registry.Roots().machineDatabase.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db,
                         "CREATE TRIGGER refuse BEFORE INSERT ON entries"
                         " BEGIN SELECT RAISE(ABORT, 'refused'); END;",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  env.commandLine = "-f *.doc";
  window.MySaveSetting(kApp, kSection, "SourceDir", "/x");
  EXPECT_EQ(env.eventLog, std::vector<std::string>{"5"});
  EXPECT_EQ(env.registry.GetSetting(kApp, kSection, "SourceDir", "none"), "none");
}

}  // namespace
}  // namespace pressmoor::testing
