#include "office/ScriptedOffice.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "FakeEnvironment.h"
#include "TempDir.h"
#include "driver/Quillset.h"

namespace pressmoor::office {
namespace {
ExcelPrintOutArgs OnPrinter(const std::string& printer) {
  ExcelPrintOutArgs args;
  args.ActivePrinter = printer;
  return args;
}
}  // namespace
}  // namespace pressmoor::office

namespace pressmoor::office {
namespace {

using ::testing::ElementsAre;

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::shared_ptr<WordApplication> Word(ScriptedOffice& office) {
  return std::dynamic_pointer_cast<WordApplication>(office.CreateObject("Word.Application"));
}

std::shared_ptr<ExcelApplication> Excel(ScriptedOffice& office) {
  return std::dynamic_pointer_cast<ExcelApplication>(office.CreateObject("Excel.Application"));
}

int NumberOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const AutomationError& failure) {
    return failure.Number();
  }
  return 0;
}

TEST(ScriptedOffice, AnswersReadsFromTheScriptAndRemembersWrites) {
  ScriptedOffice office;
  office.activePrinter = "Laser";
  office.printingStatus = {2, 1};
  auto word = Word(office);

  EXPECT_EQ(word->ActivePrinter(), "Laser");
  word->ActivePrinter("Quillset");
  EXPECT_EQ(word->ActivePrinter(), "Quillset");
  EXPECT_EQ(word->BackgroundPrintingStatus(), 2);
  EXPECT_EQ(word->BackgroundPrintingStatus(), 1);
  EXPECT_EQ(word->BackgroundPrintingStatus(), 0);
  EXPECT_THAT(office.CallsTo("Word.ActivePrinter"),
              ElementsAre("Word.ActivePrinter", "Word.ActivePrinter=Quillset",
                          "Word.ActivePrinter"));
}

TEST(ScriptedOffice, FailsTheChosenOccurrenceWithTheChosenError) {
  ScriptedOffice office;
  office.Fail("Word.Documents.Open", 5174, "Corrupt", 2);
  office.Fail("Word.Documents.Open", 4198, "Bad name", 0, "c.doc").source = "Writer";
  auto word = Word(office);

  EXPECT_EQ(NumberOf([&] { word->Documents()->Open({.FileName = "/a.doc"}); }), 0);
  EXPECT_EQ(NumberOf([&] { word->Documents()->Open({.FileName = "/b.doc"}); }), 5174);
  EXPECT_EQ(NumberOf([&] { word->Documents()->Open({.FileName = "/a.doc"}); }), 0);
  try {
    word->Documents()->Open({.FileName = "/c.doc"});
    FAIL() << "no failure";
  } catch (const AutomationError& failure) {
    EXPECT_EQ(failure.Number(), 4198);
    EXPECT_EQ(failure.Source(), "Writer");
    EXPECT_EQ(failure.Description(), "Bad name");
  }
  EXPECT_EQ(office.CallsTo("Word.Documents.Open").size(), 4u);  // failed calls are logged too
}

TEST(ScriptedOffice, CreationCanFailAndUnknownClassesAreRefused) {
  ScriptedOffice office;
  office.Fail("CreateObject", errors::kCannotStart, "No office", 0, "Excel");

  EXPECT_EQ(NumberOf([&] { office.CreateObject("Excel.Application"); }), errors::kCannotStart);
  EXPECT_EQ(NumberOf([&] { office.CreateObject("Outlook.Application"); }),
            errors::kUnknownClass);
  EXPECT_NE(Word(office), nullptr);
}

TEST(ScriptedOffice, DocumentMembersNeedAnOpenDocumentAndNothingWorksAfterQuit) {
  ScriptedOffice office;
  auto word = Word(office);
  EXPECT_EQ(NumberOf([&] { word->ActiveDocument(); }), errors::kNoDocument);
  word->Documents()->Open({.FileName = "/a.txt"});
  std::shared_ptr<WordPageSetup> pageSetup = word->ActiveDocument()->PageSetup();
  word->Documents()->Close({.SaveChanges = false});
  EXPECT_EQ(NumberOf([&] { pageSetup->LeftMargin(72); }), errors::kNoDocument);
  word->Quit();
  EXPECT_EQ(NumberOf([&] { word->Visible(false); }), errors::kObjectGone);
}

TEST(ScriptedOffice, WordPrintsAPdfOnlyToFileOnThePdfPrinter) {
  testing::TempDir dir;
  ScriptedOffice office;
  auto word = Word(office);
  word->Documents()->Open({.FileName = "/a.txt"});

  word->ActiveDocument()->PrintOut({.OutputFileName = dir.Sub("laser.pdf"), .PrintToFile = true});
  word->ActivePrinter(driver::kPrinterName);
  word->ActiveDocument()->PrintOut({.OutputFileName = dir.Sub("a.pdf"), .PrintToFile = true});

  EXPECT_THAT(office.PdfsWritten(), ElementsAre(dir.Sub("a.pdf")));
  EXPECT_EQ(ReadAll(dir.Sub("a.pdf")).substr(0, 5), "%PDF-");
  EXPECT_EQ(NumberOf([&] {
              word->ActiveDocument()->PrintOut(
                  {.OutputFileName = dir.Path() + "/missing/a.pdf", .PrintToFile = true});
            }),
            errors::kPrintFailed);
}

TEST(ScriptedOffice, ExcelPrintsWhereTheOutputNameSettingPoints) {
  testing::FakeEnvironment env;
  ScriptedOffice office(&env.registry);
  auto excel = Excel(office);
  auto workbook = excel->Workbooks()->Open({.Filename = "/in/a.xls", .UpdateLinks = std::nullopt, .ReadOnly = true});

  EXPECT_EQ(NumberOf([&] { workbook->PrintOut(OnPrinter("Quillset")); }),
            errors::kPrintFailed);  // no name stored anywhere yet

  const std::string userName = env.root.Path() + "/user.pdf";
  platform::HKEY key = 0;
  ASSERT_EQ(env.registry.RegCreateKeyExA(
                platform::HKEY_CURRENT_USER,
                "Software\\VB and VBA Program Settings\\Tarnwick\\Quillset", 0, "",
                platform::REG_OPTION_NON_VOLATILE, platform::KEY_SET_VALUE, nullptr, &key, nullptr),
            platform::ERROR_SUCCESS);
  env.registry.RegSetValueExA(key, "PDFFileName", 0, platform::REG_SZ,
                              reinterpret_cast<const unsigned char*>(userName.c_str()),
                              static_cast<platform::DWORD>(userName.size() + 1));
  env.registry.RegCloseKey(key);
  workbook->PrintOut(OnPrinter("Quillset"));

  const std::string machineName = env.root.Path() + "/machine.pdf";
  ASSERT_EQ(env.registry.RegCreateKeyExA(platform::HKEY_LOCAL_MACHINE, driver::kVersionKey, 0, "",
                                         platform::REG_OPTION_NON_VOLATILE,
                                         platform::KEY_SET_VALUE, nullptr, &key, nullptr),
            platform::ERROR_SUCCESS);
  env.registry.RegSetValueExA(key, "PDFFileName", 0, platform::REG_SZ,
                              reinterpret_cast<const unsigned char*>(machineName.c_str()),
                              static_cast<platform::DWORD>(machineName.size() + 1));
  env.registry.RegCloseKey(key);
  workbook->PrintOut(OnPrinter("Quillset"));
  workbook->PrintOut(OnPrinter("Laser"));

  EXPECT_THAT(office.PdfsWritten(), ElementsAre(userName, machineName));
  EXPECT_THAT(office.CallsTo("Excel.Workbook.PrintOut"),
              ElementsAre("Excel.Workbook.PrintOut(, , , , Quillset)",
                          "Excel.Workbook.PrintOut(, , , , Quillset)",
                          "Excel.Workbook.PrintOut(, , , , Quillset)",
                          "Excel.Workbook.PrintOut(, , , , Laser)"));
}

}  // namespace
}  // namespace pressmoor::office
