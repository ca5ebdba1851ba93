#include "settings/RegistryAPI.h"

#include <gtest/gtest.h>

#include "FakeEnvironment.h"

namespace pressmoor::settings::RegistryAPI {
namespace {

using namespace platform;

class RegistryAPITest : public ::testing::Test {
 protected:
  void Store(const std::string& name, DWORD type, const std::string& bytes) {
    HKEY key = 0;
    ASSERT_EQ(registry().RegCreateKeyExA(HKEY_LOCAL_MACHINE, "K", 0, "", 0, 0x3F, nullptr, &key,
                                         nullptr),
              0);
    ASSERT_EQ(registry().RegSetValueExA(key, name, 0, type,
                                        reinterpret_cast<const unsigned char*>(bytes.data()),
                                        static_cast<DWORD>(bytes.size())),
              0);
    registry().RegCloseKey(key);
  }

  LONG Read(const std::string& name, ValueHolder& holder) {
    HKEY key = 0;
    registry().RegOpenKeyExA(HKEY_LOCAL_MACHINE, "K", 0, KEY_QUERY_VALUE, &key);
    LONG status = ReadKeyValue(registry(), key, name, holder);
    registry().RegCloseKey(key);
    return status;
  }

  Registry& registry() { return env.registry; }
  testing::FakeEnvironment env;
};

TEST_F(RegistryAPITest, StringComesBackWholeAndNumberAsNumber) {
  Store("text", REG_SZ, "C:\\In");
  std::int32_t seven = 7;
  Store("number", REG_DWORD, std::string(reinterpret_cast<const char*>(&seven), 4));
  ValueHolder holder = std::string();
  EXPECT_EQ(Read("text", holder), 0);
  EXPECT_EQ(holder, ValueHolder(std::string("C:\\In")));
  EXPECT_EQ(Read("number", holder), 0);
  EXPECT_EQ(holder, ValueHolder(std::int32_t{7}));
}

TEST_F(RegistryAPITest, EmptyStringReplacesTheHolder) {
  Store("empty", REG_SZ, "");
  ValueHolder holder = std::string("before");
  EXPECT_EQ(Read("empty", holder), 0);
  EXPECT_EQ(holder, ValueHolder(std::string()));
}

TEST_F(RegistryAPITest, FailuresLeaveTheHolderAlone) {
  Store("expand", REG_EXPAND_SZ, "%HOME%");
  Store("multi", REG_MULTI_SZ, std::string("a\0\0", 3));
  ValueHolder holder = std::string("before");
  EXPECT_EQ(Read("expand", holder), kUnsupportedType);
  EXPECT_EQ(Read("multi", holder), kUnsupportedType);
  EXPECT_EQ(Read("missing", holder), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(ReadKeyValue(registry(), 0, "text", holder), ERROR_INVALID_HANDLE);
  EXPECT_EQ(holder, ValueHolder(std::string("before")));
}

TEST_F(RegistryAPITest, ReadMachineValueLooksUnderTheMachineRootOnly) {
  Store("v", REG_SZ, "machine");
  HKEY key = 0;
  ASSERT_EQ(registry().RegCreateKeyExA(HKEY_CURRENT_USER, "User", 0, "", 0, 0x3F, nullptr, &key,
                                       nullptr),
            0);
  registry().RegSetValueExA(key, "v", 0, REG_SZ, reinterpret_cast<const unsigned char*>("u"), 1);
  registry().RegCloseKey(key);

  ValueHolder holder = std::string();
  ReadMachineValue(registry(), "k\\", "V", holder);
  EXPECT_EQ(holder, ValueHolder(std::string("machine")));
  ValueHolder untouched = std::string();
  ReadMachineValue(registry(), "User", "v", untouched);
  EXPECT_EQ(untouched, ValueHolder(std::string()));
}

}  // namespace
}  // namespace pressmoor::settings::RegistryAPI
