#include "ProfileVersion.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "TempDir.h"

namespace pressmoor::testing {
namespace {

using office::libreoffice::MarkProfileStartedBy;
using office::libreoffice::ProductVersionOf;

std::string Read(const std::string& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ProfileVersion, TheVersionIsTakenOnlyFromItsOwnProperty) {
  const struct {
    const char* text;
    const char* version;
  } cases[] = {
      {"<prop oor:name=\"ooSetupVersion\">\n  <value>7.4</value>\n</prop>", "7.4"},
      {"<prop oor:name=\"ooSetupVersion\"><value/></prop><prop oor:name=\"x\"><value>1</value>", ""},
      {"<prop oor:name=\"ooSetupVersion\"><value>7.4\"/>evil</value></prop>", ""},
      {"no such property", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ProductVersionOf(c.text), c.version) << c.text;
}

// The parse must keep up with the office this machine has: an empty answer
// would silently bring the slow start back.
TEST(ProfileVersion, TheInstalledOfficeNamesItsVersion) {
  EXPECT_NE(office::libreoffice::InstalledOfficeVersion("/usr/lib/libreoffice/program"), "");
}

TEST(ProfileVersion, AProfileIsMarkedOnceAndKeepsItsSettings) {
  TempDir dir;
  const std::string fresh = dir.Sub("fresh");
  MarkProfileStartedBy(fresh, "7.4");
  const std::string written = Read(fresh + "/user/registrymodifications.xcu");
  EXPECT_NE(written.find("<value>7.4</value>"), std::string::npos);
  MarkProfileStartedBy(fresh, "8.0");
  EXPECT_EQ(Read(fresh + "/user/registrymodifications.xcu"), written);

  const std::string settings = dir.WriteFile(
      "used/user/registrymodifications.xcu",
      "<oor:items><item oor:path=\"/a\"><prop oor:name=\"b\"><value>c</value></prop></item>\n"
      "</oor:items>\n");
  MarkProfileStartedBy(dir.Sub("used"), "7.4");
  const std::string merged = Read(settings);
  EXPECT_NE(merged.find("<value>c</value>"), std::string::npos);
  EXPECT_LT(merged.find("ooSetupLastVersion"), merged.find("</oor:items>"));
}

}  // namespace
}  // namespace pressmoor::testing
