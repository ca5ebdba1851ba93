#include "settings/RegTool.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "FakeEnvironment.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::settings {
namespace {

class RegToolTest : public ::testing::Test {
 protected:
  int Run(const std::vector<std::string>& args) {
    out.str("");
    err.str("");
    return RunRegTool(args, out, err, env.registry);
  }

  testing::FakeEnvironment env;
  ui::frmPressmoorMain window{env};
  std::ostringstream out, err;
};

TEST_F(RegToolTest, AddedValuesAreListedInRegStyle) {
  ASSERT_EQ(Run({"add", "HKLM\\Software\\T", "/v", "Name", "/d", "a b"}), 0) << err.str();
  ASSERT_EQ(Run({"ADD", "hklm\\software\\t", "/V", "N", "/T", "reg_dword", "/D", "-1"}), 0);
  ASSERT_EQ(Run({"add", "HKLM\\Software\\T", "/v", "M", "/t", "REG_MULTI_SZ", "/d", "x\\0y"}), 0);
  ASSERT_EQ(Run({"add", "HKLM\\Software\\T\\Sub"}), 0);
  ASSERT_EQ(Run({"query", "HKEY_LOCAL_MACHINE\\Software\\T\\"}), 0);
  EXPECT_EQ(out.str(),
            "\nHKEY_LOCAL_MACHINE\\Software\\T\n"
            "    Name    REG_SZ    a b\n"
            "    N    REG_DWORD    0xffffffff\n"
            "    M    REG_MULTI_SZ    x\\0y\n"
            "\nHKEY_LOCAL_MACHINE\\Software\\T\\Sub\n");
  ASSERT_EQ(Run({"query", "HKLM\\Software\\T", "/v", "name"}), 0);
  EXPECT_EQ(out.str(), "\nHKEY_LOCAL_MACHINE\\Software\\T\n    Name    REG_SZ    a b\n\n");
}

TEST_F(RegToolTest, DwordDataIsDecimalOrHexWithinThirtyTwoBits) {
  const std::vector<std::pair<std::string, std::string>> accepted = {
      {"7", "0x7"}, {"0", "0x0"}, {"0x1F", "0x1f"}, {"4294967295", "0xffffffff"},
      {"-2147483648", "0x80000000"}};
  for (const auto& [data, shown] : accepted) {
    ASSERT_EQ(Run({"add", "HKCU\\K", "/v", "n", "/t", "REG_DWORD", "/d", data}), 0) << data;
    ASSERT_EQ(Run({"query", "HKCU\\K", "/v", "n"}), 0);
    EXPECT_NE(out.str().find("REG_DWORD    " + shown + "\n"), std::string::npos) << data;
  }
  for (std::string data : {"", "x", "0x", "4294967296", "-2147483649", "0x100000000", "1.5", "+1"}) {
    EXPECT_EQ(Run({"add", "HKCU\\K", "/v", "n", "/t", "REG_DWORD", "/d", data}), 1) << data;
  }
}

TEST_F(RegToolTest, BadInputFailsWithAReason) {
  EXPECT_EQ(Run({}), 1);
  EXPECT_NE(err.str().find("usage"), std::string::npos);
  EXPECT_EQ(Run({"list", "HKLM\\K"}), 1);
  EXPECT_EQ(Run({"query", "HKCR\\K"}), 1);
  EXPECT_EQ(Run({"query", "HKLM\\K", "/v"}), 1);
  EXPECT_EQ(Run({"query", "HKLM\\K", "/d", "x"}), 1);
  EXPECT_EQ(Run({"add", "HKLM\\K", "/d", "data without a name"}), 1);
  EXPECT_EQ(Run({"add", "HKLM\\K", "/v", "a", "/v", "b"}), 1);
  EXPECT_EQ(Run({"add", "HKLM\\K", "/v", "a", "/t", "REG_BINARY", "/d", "00"}), 1);
  EXPECT_EQ(Run({"add", "HKLM\\", "/v", "a", "/d", "x"}), 1);
  EXPECT_EQ(Run({"delete", "HKLM"}), 1);
  EXPECT_NE(err.str().find("ERROR: "), std::string::npos);
}

TEST_F(RegToolTest, MissingKeysAndValuesAreReported) {
  EXPECT_EQ(Run({"query", "HKLM\\Nothing"}), 1);
  EXPECT_NE(err.str().find("unable to find"), std::string::npos);
  ASSERT_EQ(Run({"add", "HKLM\\K", "/v", "a", "/d", "1"}), 0);
  EXPECT_EQ(Run({"query", "HKLM\\K", "/v", "b"}), 1);
  EXPECT_EQ(Run({"delete", "HKLM\\K", "/v", "b", "/f"}), 1);
}

TEST_F(RegToolTest, DeleteRemovesAValueOrAWholeKey) {
  ASSERT_EQ(Run({"add", "HKLM\\K\\Sub", "/v", "a", "/d", "1"}), 0);
  ASSERT_EQ(Run({"add", "HKLM\\K", "/v", "b", "/d", "2"}), 0);
  EXPECT_EQ(Run({"delete", "HKLM\\K", "/v", "B"}), 0);
  EXPECT_EQ(Run({"query", "HKLM\\K", "/v", "b"}), 1);
  EXPECT_EQ(Run({"delete", "HKLM\\k", "/f"}), 0);
  EXPECT_EQ(Run({"query", "HKLM\\K\\Sub"}), 1);
}

TEST_F(RegToolTest, ReadsWhatMySaveSettingWroteAndFeedsMyGetSetting) {
  window.MySaveSetting("Tarnwick\\Pressmoor", "Pathinfo", "SourceDir", "/in dir");
  ASSERT_EQ(Run({"query", "HKLM\\Software\\Tarnwick\\Pressmoor\\Pathinfo", "/v", "SourceDir"}), 0);
  EXPECT_NE(out.str().find("    SourceDir    REG_SZ    /in dir\n"), std::string::npos);

  ASSERT_EQ(Run({"add", "HKLM\\SOFTWARE\\Tarnwick\\Pressmoor\\FileInfo", "/v", "LeftMargin",
                 "/t", "REG_DWORD", "/d", "7"}),
            0);
  EXPECT_EQ(window.MyGetSetting("Tarnwick\\Pressmoor", "FileInfo", "LeftMargin", "d"), "7");
  ASSERT_EQ(Run({"add",
                 "HKCU\\Software\\VB and VBA Program Settings\\Tarnwick\\Pressmoor\\FileInfo",
                 "/v", "TopMargin", "/d", "0.5"}),
            0);
  EXPECT_EQ(window.MyGetSetting("Tarnwick\\Pressmoor", "FileInfo", "TopMargin", "d"), "0.5");
}

TEST_F(RegToolTest, RealProgramSharesTheStoreWithTheWindow) {
  std::string program = std::string(PRESSMOOR_BIN_DIR) + "/pressmoor-reg";
  if (!std::filesystem::exists(program)) GTEST_SKIP() << "pressmoor-reg is not built";
  std::string environment = "PRESSMOOR_MACHINE_ROOT='" + env.root.Path() +
                            "/machine' PRESSMOOR_USER_ROOT='" + env.root.Path() + "/user' ";
  window.MySaveSetting("Tarnwick", "Quillset", "PDFFileName", "/out/a.pdf");

  FILE* pipe = popen((environment + program +
                      " query 'HKLM\\SOFTWARE\\Tarnwick\\Quillset' /v PDFFileName")
                         .c_str(),
                     "r");
  ASSERT_NE(pipe, nullptr);
  std::string shown;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) shown += buffer;
  EXPECT_EQ(pclose(pipe), 0);
  EXPECT_NE(shown.find("    PDFFileName    REG_SZ    /out/a.pdf\n"), std::string::npos) << shown;

  std::string add = environment + program +
                    " add 'HKLM\\Software\\Tarnwick\\Pressmoor\\Pathinfo' /v DestinationDir"
                    " /d '/pdf out' >/dev/null";
  ASSERT_EQ(std::system(add.c_str()), 0);
  EXPECT_EQ(window.MyGetSetting("Tarnwick\\Pressmoor", "Pathinfo", "DestinationDir", "d"),
            "/pdf out");
  std::string refused = "PRESSMOOR_MACHINE_READONLY=1 " + environment + program +
                        " add 'HKLM\\Software\\X' /v a /d b 2>/dev/null";
  EXPECT_NE(std::system(refused.c_str()), 0);
}

}  // namespace
}  // namespace pressmoor::settings
