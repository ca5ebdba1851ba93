#include "quillset/Preferences.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <sstream>

#include "TempDir.h"
#include "driver/Quillset.h"
#include "quillset/PreferenceCommands.h"

namespace pressmoor::quillset {
namespace {

using namespace platform;

TEST(PrintPreferencesTest, StoredTextsMeanTheirPreferencesAndUnknownOnesTheDefaults) {
  setenv("PAPERSIZE", "a4", 1);
  struct Case {
    PreferenceTexts texts;
    int pdfaPart;
    const char* paper;
    bool tagged;
    std::size_t problems;
  };
  const Case cases[] = {
      {{"", "", ""}, 0, "a4", false, 0},
      {{"PDF/A-1b", "Letter", "1"}, 1, "letter", true, 0},
      {{"pdf/a-2B", "LEGAL", "0"}, 2, "legal", false, 0},
      {{"PDF/A-3b", "a5", ""}, 3, "a5", false, 0},
      {{"PDF/A-4", "Tabloid-ish", "yes"}, 0, "a4", false, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.texts.pdfFormat);
    std::vector<std::string> problems;
    const PrintPreferences preferences = Interpret(c.texts, &problems);
    EXPECT_EQ(preferences.pdfaPart, c.pdfaPart);
    EXPECT_EQ(preferences.paper.name, c.paper);
    EXPECT_EQ(preferences.tagged, c.tagged);
    EXPECT_EQ(problems.size(), c.problems);
  }
  std::vector<std::string> problems;
  Interpret({"PDF/A-4", "", ""}, &problems);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(
      problems[0],
      "Quillset preference PDFFormat: unknown value \"PDF/A-4\"; accepted are \"\" (plain PDF), "
      "\"PDF/A-1b\", \"PDF/A-2b\", \"PDF/A-3b\". Plain PDF is used.");
  EXPECT_EQ(Interpret({"", "letter", ""}).paper.width, 612);
  unsetenv("PAPERSIZE");
}

class PreferenceCommandsTest : public ::testing::Test {
 protected:
  RegistryRoots Roots(bool machineReadOnly) const {
    return {dir.Path() + "/machine/registry.sqlite", dir.Path() + "/user/registry.sqlite",
            machineReadOnly};
  }
  int Get(Registry& registry, const std::string& name) {
    out.str("");
    return GetPreferenceCommand(registry, name, out, err);
  }

  testing::TempDir dir;
  std::ostringstream out, err;
};

TEST_F(PreferenceCommandsTest, SetThenGetAnyCaseOfTheName) {
  Registry registry(Roots(false));
  ASSERT_EQ(Get(registry, "PDFFormat"), 0);
  EXPECT_EQ(out.str(), "\n");
  ASSERT_EQ(SetPreferenceCommand(registry, "pdfformat", "PDF/A-2b", err), 0) << err.str();
  ASSERT_EQ(Get(registry, "PDFFORMAT"), 0);
  EXPECT_EQ(out.str(), "PDF/A-2b\n");
  EXPECT_EQ(ReadPrintPreferences(registry).pdfaPart, 2);
}

TEST_F(PreferenceCommandsTest, RefusesWhatTheDriverDoesNotTake) {
  Registry registry(Roots(false));
  EXPECT_EQ(SetPreferenceCommand(registry, "PaperSize", "Napkin", err), 2);
  EXPECT_NE(err.str().find("\"Napkin\""), std::string::npos);
  EXPECT_EQ(SetPreferenceCommand(registry, "Colour", "red", err), 2);
  EXPECT_EQ(Get(registry, "Colour"), 2);
  EXPECT_NE(err.str().find("PDFFormat, PaperSize and TaggedPDF"), std::string::npos);
  EXPECT_EQ(DriverSetting(registry, driver::kPaperSizeValue), "");
}

TEST_F(PreferenceCommandsTest, ReadOnlyMachineStoresPerUserUnlessAMachineValueComesFirst) {
  {
    Registry writable(Roots(false));
    ASSERT_EQ(SetPreferenceCommand(writable, "PaperSize", "letter", err), 0);
  }
  Registry readOnly(Roots(true));
  EXPECT_EQ(SetPreferenceCommand(readOnly, "TaggedPDF", "1", err), 0) << err.str();
  EXPECT_EQ(readOnly.GetSetting(driver::kSettingsApplication, driver::kSettingsSection,
                                driver::kTaggedPdfValue, ""),
            "1");
  EXPECT_EQ(SetPreferenceCommand(readOnly, "PaperSize", "a5", err), 1);
  EXPECT_NE(err.str().find("machine-wide PaperSize \"letter\" comes first"), std::string::npos);
}

}  // namespace
}  // namespace pressmoor::quillset
