// The settings fuzz checks with a fixed seed, so every unit run covers them
// without libFuzzer.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "../fuzz/SettingsTarget.h"

namespace pressmoor::fuzz {
namespace {

std::string Check(const std::string& input) {
  return CheckSettings(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
}

std::string Record(bool machine, std::uint8_t nameChoice, std::uint8_t typeChoice, const std::string& data) {
  std::string record;
  record += static_cast<char>(machine ? 1 : 0);
  record += static_cast<char>(nameChoice);
  record += static_cast<char>(typeChoice);
  record += static_cast<char>(data.size());
  return record + data;
}

TEST(SettingsFuzz, ChosenValuesReadAsTheStoreRulesSay) {
  // Mode byte 0: typed values. Name 0 "FileType", 1 "filetype"; type 1 REG_SZ, 4 REG_DWORD, 5 REG_MULTI_SZ.
  const std::string cases[] = {
      std::string(1, '\0') + Record(true, 0, 1, "*.doc"),
      std::string(1, '\0') + Record(true, 0, 4, std::string("\x2a\0\0\0", 4)),
      std::string(1, '\0') + Record(true, 0, 4, std::string("\xff\xff\xff\xff", 4)),
      std::string(1, '\0') + Record(true, 0, 4, "12345678"),
      std::string(1, '\0') + Record(true, 0, 5, "a") + Record(false, 1, 1, "user"),
      std::string(1, '\0') + Record(true, 0, 1, "") + Record(false, 0, 1, "fallback"),
      std::string(1, '\0') + Record(true, 0, 1, std::string("x\0", 2)),
      std::string(1, '\0') + Record(false, 4, 1, "") + Record(true, 4, 3, "\x01\x02"),
      std::string(1, '\0') + Record(true, 0, 3, "") + Record(true, 1, 1, "last wins"),
  };
  for (const std::string& input : cases) EXPECT_EQ(Check(input), "") << input.size();
}

TEST(SettingsFuzz, StoreFilesThatAreNoDatabaseReadAsDefaults) {
  EXPECT_EQ(Check(std::string(1, '\1')), "");  // empty file
  EXPECT_EQ(Check(std::string(1, '\1') + "SQLite format 3" + std::string(1, '\0') + "garbage"), "");
  EXPECT_EQ(Check(std::string(1, '\5') + std::string(4096, 'x')), "");
  EXPECT_EQ(Check(std::string(1, '\2') + std::string("\x10\x00\x00", 3)), "");  // damaged header
}

TEST(SettingsFuzz, RandomInputsKeepEveryRule) {
  std::mt19937 random(20240607);
  for (int round = 0; round < 300; ++round) {
    std::string input(random() % 200, '\0');
    for (char& c : input) c = static_cast<char>(random() % 256);
    std::string broken = Check(input);
    ASSERT_EQ(broken, "") << "round " << round;
  }
}

}  // namespace
}  // namespace pressmoor::fuzz
