// Real batches through LibreOffice, checked in the PDFs with poppler's tools.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <regex>

#include "FakeEnvironment.h"
#include "TempDir.h"
#include "driver/Quillset.h"
#include "office/libreoffice/LibreOfficeFactory.h"
#include "quillset/PdfJob.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

std::string Shell(const std::string& command) {
  std::string output;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return output;
  std::array<char, 4096> buffer{};
  std::size_t read = 0;
  while ((read = fread(buffer.data(), 1, buffer.size(), pipe.get())) > 0) {
    output.append(buffer.data(), read);
  }
  return output;
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }

std::string PdfText(const std::string& pdf) {
  return Shell("pdftotext -enc UTF-8 " + Quoted(pdf) + " - 2>/dev/null");
}

class RealConversionTest : public ::testing::Test {
 protected:
  RealConversionTest() {
    env.commandLine = "-f *.* -s in -d out";
    env.office = &factory;
    platform::HKEY key = 0;
    env.registry.RegCreateKeyExA(platform::HKEY_LOCAL_MACHINE, driver::kVersionKey, 0, "",
                                 platform::REG_OPTION_NON_VOLATILE, platform::KEY_SET_VALUE,
                                 nullptr, &key, nullptr);
    const std::string version = driver::kInstalledVersion;
    env.registry.RegSetValueExA(key, driver::kVersionValue, 0, platform::REG_SZ,
                                reinterpret_cast<const unsigned char*>(version.c_str()),
                                static_cast<platform::DWORD>(version.size() + 1));
    env.registry.RegCloseKey(key);
    form.SrcFolder.Path(source);
    form.DstFolder.Path(destination);
    for (TextBox* margin : {&form.txtLMargin, &form.txtRmargin, &form.txtTMargin,
                            &form.txtBMargin}) {
      margin->Text("1");
    }
  }
  using TextBox = ui::TextBox;

  void CopyExample(const std::string& name) {
    fs::copy_file(fs::path(PRESSMOOR_SOURCE_DIR) / "examples" / name, fs::path(source) / name);
  }
  void Convert(const std::string& pattern) {
    form.FilePattern = pattern;
    form.cmdConvert_Click();
  }
  std::string Output(const std::string& name) const { return destination + "/" + name; }

  FakeEnvironment env;
  office::LibreOfficeFactory factory{env.registry};
  TempDir dirs;
  std::string source = dirs.MakeDirectory("in");
  std::string destination = dirs.MakeDirectory("out");
  ui::frmPressmoorMain form{env};
};

TEST_F(RealConversionTest, EveryExampleTypeBecomesAPdfWithItsText) {
  for (const char* name : {"budget.xls", "inventory.xls", "memo.doc", "minutes.txt",
                           "notice.rtf", "schedule.html", "welcome.htm"}) {
    CopyExample(name);
  }

  Convert("*.*");

  EXPECT_THAT(env.eventLog,
              ElementsAre(::testing::StartsWith("Successfully converted 7 files in ")));
  EXPECT_THAT(PdfText(Output("budget.pdf")), HasSubstr("Größe"));
  EXPECT_THAT(PdfText(Output("inventory.pdf")), HasSubstr("Enveloppes"));
  EXPECT_THAT(PdfText(Output("memo.pdf")), HasSubstr("Ingrid Sørensen"));
  EXPECT_THAT(PdfText(Output("minutes.pdf")), HasSubstr("Zoë Brandt"));
  EXPECT_THAT(PdfText(Output("notice.pdf")), HasSubstr("François"));
  EXPECT_THAT(PdfText(Output("schedule.pdf")), HasSubstr("Müller & Söhne"));
  EXPECT_THAT(PdfText(Output("welcome.pdf")), HasSubstr("Renée"));
  // The workbooks come first and the name of the last one stays behind.
  EXPECT_EQ(quillset::OutputNameSetting(env.registry), Output("inventory.pdf"));
}

TEST_F(RealConversionTest, LandscapeAndMarginsShowInThePdf) {
  CopyExample("minutes.txt");
  form.txtLMargin.Text("2");
  form.txtTMargin.Text("1.5");
  form.Orientation = "LANDSCAPE";

  Convert("*.txt");

  const std::string info = Shell("pdfinfo " + Quoted(Output("minutes.pdf")));
  std::smatch size;
  ASSERT_TRUE(std::regex_search(info, size, std::regex(R"re(Page size:\s+([\d.]+) x ([\d.]+))re")))
      << info;
  EXPECT_GT(std::stod(size[1]), std::stod(size[2]));  // wider than tall

  // The first word's box starts at the left margin, just below the top margin.
  const std::string boxes = Shell("pdftotext -bbox -f 1 -l 1 " + Quoted(Output("minutes.pdf")) + " -");
  std::smatch word;
  ASSERT_TRUE(std::regex_search(
      boxes, word, std::regex(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)")re")))
      << boxes;
  EXPECT_NEAR(std::stod(word[1]), 144, 3) << word[0];
  EXPECT_GE(std::stod(word[2]), 106);
  EXPECT_LE(std::stod(word[2]), 130);
}

TEST_F(RealConversionTest, CorruptDocumentEndsTheRunAndEarlierFilesStayConverted) {
  CopyExample("minutes.txt");  // sorts before the broken one
  const std::string example = std::string(PRESSMOOR_SOURCE_DIR) + "/examples/memo.doc";
  const std::string broken = source + "/nbroken.doc";
  fs::copy_file(example, broken);
  fs::resize_file(broken, 2048);
  dirs.WriteFile("in/zlast.txt", "never converted");

  Convert("*.*");

  EXPECT_THAT(env.eventLog,
              ElementsAre(" Cannot open file " + broken,
                          ::testing::StartsWith("Successfully converted 1 files in ")));
  EXPECT_THAT(PdfText(Output("minutes.pdf")), HasSubstr("Łukasz Nowak"));
  EXPECT_FALSE(fs::exists(Output("nbroken.pdf")));
  EXPECT_FALSE(fs::exists(Output("zlast.pdf")));
}

}  // namespace
}  // namespace pressmoor::testing
