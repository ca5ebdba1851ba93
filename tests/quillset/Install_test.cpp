#include "quillset/Install.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TempDir.h"
#include "driver/Quillset.h"
#include "quillset/About.h"

namespace pressmoor::quillset {
namespace {

using namespace platform;

class InstallTest : public ::testing::Test {
 protected:
  RegistryRoots Roots(bool readOnly = false) const {
    return {machineRoot + "/registry.sqlite", dir.Path() + "/user/registry.sqlite", readOnly};
  }
  std::string Contents(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }

  testing::TempDir dir;
  std::string machineRoot = dir.Path() + "/machine";
  std::string executable = dir.WriteFile("build/quillset.exe", "#!/bin/sh\necho helper\n");
  std::ostringstream out, err;
};

TEST_F(InstallTest, RecordsTheVersionAndPlacesTheHelper) {
  Registry registry(Roots());
  ASSERT_EQ(Install(registry, machineRoot, executable, out, err), 0) << err.str();
  std::string helper = machineRoot + "/system32/spool/drivers/x64/3/quillset.exe";
  EXPECT_EQ(HelperPath(machineRoot), helper);
  EXPECT_EQ(Contents(helper), Contents(executable));
  struct stat info {};
  ASSERT_EQ(stat(helper.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0755u);
  EXPECT_EQ(ReadAboutInfo(registry).version, "1.20");

  // Installing again over an existing helper works and leaves no temporary file.
  ASSERT_EQ(Install(registry, machineRoot, executable, out, err), 0);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(machineRoot +
                                                              "/system32/spool/drivers/x64/3"),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(InstallTest, RefusedMachineRootInstallsNothing) {
  Registry registry(Roots(true));
  EXPECT_EQ(Install(registry, machineRoot, executable, out, err), 1);
  EXPECT_NE(err.str().find("access is denied"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(HelperPath(machineRoot)));
}

TEST_F(InstallTest, MissingExecutableFailsWithoutRecordingAVersion) {
  Registry registry(Roots());
  EXPECT_EQ(Install(registry, machineRoot, dir.Path() + "/nothing", out, err), 1);
  EXPECT_NE(err.str().find("helper program"), std::string::npos);
  EXPECT_EQ(ReadAboutInfo(registry).version, "not installed");
}

TEST_F(InstallTest, UninstallRemovesVersionAndHelperAndMayRunTwice) {
  Registry registry(Roots());
  ASSERT_EQ(Install(registry, machineRoot, executable, out, err), 0);
  EXPECT_EQ(Uninstall(registry, machineRoot, out, err), 0);
  EXPECT_FALSE(std::filesystem::exists(HelperPath(machineRoot)));
  EXPECT_EQ(ReadAboutInfo(registry).version, "not installed");
  EXPECT_EQ(Uninstall(registry, machineRoot, out, err), 0) << err.str();
}

TEST_F(InstallTest, AboutNamesDriverPrinterVersionAndOutputSetting) {
  Registry registry(Roots());
  ASSERT_EQ(Install(registry, machineRoot, executable, out, err), 0);
  HKEY key = 0;
  registry.RegCreateKeyExA(HKEY_CURRENT_USER,
                           "Software\\VB and VBA Program Settings\\Tarnwick\\Quillset", 0, "", 0,
                           0x3F, nullptr, &key, nullptr);
  registry.RegSetValueExA(key, driver::kOutputFileNameValue, 0, REG_SZ,
                          reinterpret_cast<const unsigned char*>("/out/a.pdf"), 10);
  registry.RegCloseKey(key);
  std::ostringstream about;
  PrintAbout(ReadAboutInfo(registry), about);
  EXPECT_NE(about.str().find("Driver: Quillset\n"), std::string::npos);
  EXPECT_NE(about.str().find("Version: 1.20\n"), std::string::npos);
  EXPECT_NE(about.str().find("Printer: Quillset\n"), std::string::npos);
  EXPECT_NE(about.str().find("/out/a.pdf"), std::string::npos);
}

TEST_F(InstallTest, RealHelperInstallsItselfAndShowsItsAbout) {
  std::string program = std::string(PRESSMOOR_BIN_DIR) + "/quillset.exe";
  if (!std::filesystem::exists(program)) GTEST_SKIP() << "quillset.exe is not built";
  std::string environment = "PRESSMOOR_MACHINE_ROOT=" + machineRoot +
                            " PRESSMOOR_USER_ROOT=" + dir.Path() + "/user ";
  ASSERT_EQ(std::system((environment + program + " install >/dev/null").c_str()), 0);
  FILE* pipe = popen((environment + HelperPath(machineRoot) + " -product Pressmoor").c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string shown;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) shown += buffer;
  EXPECT_EQ(pclose(pipe), 0);
  EXPECT_NE(shown.find("Version: 1.20"), std::string::npos) << shown;
}

}  // namespace
}  // namespace pressmoor::quillset
