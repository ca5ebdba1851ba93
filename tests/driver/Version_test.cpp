#include "driver/Version.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "FakeEnvironment.h"
#include "driver/Quillset.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::driver {
namespace {

using settings::RegistryAPI::ValueHolder;

bool Meets(const std::string& text) { return MeetsMinimumVersion(ValueHolder(text)); }

TEST(VersionTest, SecondComponentIsADecimalFraction) {
  EXPECT_TRUE(Meets("1.20"));
  EXPECT_TRUE(Meets("1.2"));
  EXPECT_TRUE(Meets("1.200"));
  EXPECT_TRUE(Meets("1.3"));
  EXPECT_TRUE(Meets("1.21"));
  EXPECT_FALSE(Meets("1.19"));
  EXPECT_FALSE(Meets("1.100"));
  EXPECT_FALSE(Meets("1.05"));
  EXPECT_FALSE(Meets("1"));
  EXPECT_FALSE(Meets("0.99"));
}

TEST(VersionTest, MajorAndLaterComponentsAreWholeNumbers) {
  EXPECT_TRUE(Meets("2"));
  EXPECT_TRUE(Meets("2.0.1"));
  EXPECT_TRUE(Meets("10.0"));
  EXPECT_TRUE(Meets("01.20"));
  EXPECT_TRUE(Meets("99999999999999999999.0"));
  Version a = *Version::Parse("2.0.1");
  Version b = *Version::Parse("2.0.0.0");
  Version c = *Version::Parse("2.0.10");
  EXPECT_GT(Compare(a, b), 0);
  EXPECT_EQ(Compare(b, *Version::Parse("2")), 0);
  EXPECT_LT(Compare(a, c), 0);
}

TEST(VersionTest, BlanksAndTrailingWordsAreIgnoredButALeadingDigitIsNeeded) {
  EXPECT_TRUE(Meets("  1.20 \t"));
  EXPECT_TRUE(Meets("1.20 build 7"));
  EXPECT_FALSE(Meets("v1.20"));
  EXPECT_FALSE(Meets(""));
  EXPECT_FALSE(Meets("   "));
  EXPECT_FALSE(Meets(".5"));
  EXPECT_FALSE(MeetsMinimumVersion(ValueHolder()));
}

TEST(VersionTest, NumberIsAMajorVersion) {
  EXPECT_FALSE(MeetsMinimumVersion(ValueHolder(std::int32_t{1})));
  EXPECT_TRUE(MeetsMinimumVersion(ValueHolder(std::int32_t{2})));
  EXPECT_TRUE(MeetsMinimumVersion(ValueHolder(std::int32_t{120})));
  EXPECT_FALSE(MeetsMinimumVersion(ValueHolder(std::int32_t{0})));
  EXPECT_FALSE(MeetsMinimumVersion(ValueHolder(std::int32_t{-3})));
}

class CheckDriverVersionTest : public ::testing::Test {
 protected:
  void Record(const char* key, const std::string& version) {
    platform::HKEY handle = 0;
    ASSERT_EQ(env.registry.RegCreateKeyExA(platform::HKEY_LOCAL_MACHINE, key, 0, "", 0, 0x3F,
                                           nullptr, &handle, nullptr),
              0);
    env.registry.RegSetValueExA(handle, kVersionValue, 0, platform::REG_SZ,
                                reinterpret_cast<const unsigned char*>(version.data()),
                                static_cast<platform::DWORD>(version.size()));
    env.registry.RegCloseKey(handle);
  }

  testing::FakeEnvironment env;
  ui::frmPressmoorMain window{env};
};

TEST_F(CheckDriverVersionTest, NeitherKeyFails) { EXPECT_FALSE(window.CheckDriverVersion()); }

TEST_F(CheckDriverVersionTest, OnlyTheProKeySuitablePasses) {
  Record(kVersionKey, "1.10");
  Record(kProVersionKey, "1.20");
  EXPECT_TRUE(window.CheckDriverVersion());
}

TEST_F(CheckDriverVersionTest, StandardKeyAlonePasses) {
  Record(kVersionKey, kInstalledVersion);
  EXPECT_TRUE(window.CheckDriverVersion());
}

TEST_F(CheckDriverVersionTest, BelowTheMinimumFails) {
  Record(kVersionKey, "1.19");
  Record(kProVersionKey, "1.1");
  EXPECT_FALSE(window.CheckDriverVersion());
}

TEST_F(CheckDriverVersionTest, PerUserVersionDoesNotCount) {
  platform::HKEY handle = 0;
  env.registry.RegCreateKeyExA(platform::HKEY_CURRENT_USER, kVersionKey, 0, "", 0, 0x3F, nullptr,
                               &handle, nullptr);
  env.registry.RegSetValueExA(handle, kVersionValue, 0, platform::REG_SZ,
                              reinterpret_cast<const unsigned char*>("2.0"), 3);
  env.registry.RegCloseKey(handle);
  EXPECT_FALSE(window.CheckDriverVersion());
}

}  // namespace
}  // namespace pressmoor::driver
