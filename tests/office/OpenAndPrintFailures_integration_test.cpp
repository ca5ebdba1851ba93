// What cannot be opened or printed fails with the number the converters tell
// apart, and leaves no PDF behind.
#include <gtest/gtest.h>

#include "OfficeTestbed.h"

namespace pressmoor::testing {
namespace {

using office::errors::kCannotOpenFile;
using office::errors::kPrintFailed;

class OpenAndPrintFailures : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    bed_ = std::make_unique<OfficeTestbed>();
    word_ = bed_->Word();
  }
  static void TearDownTestSuite() {
    word_.reset();
    bed_.reset();
  }
  void SetUp() override { bed_->InstallDriver(); }

  std::int32_t OpenFailure(const std::string& path) {
    return CaughtError([&] { word_->Documents()->Open({path}); }).Number();
  }

  static inline std::unique_ptr<OfficeTestbed> bed_;
  static inline std::shared_ptr<office::WordApplication> word_;
  TempDir input_;
  TempDir output_;
};

TEST_F(OpenAndPrintFailures, DocumentsThatAreNoDocumentsDoNotOpen) {
  EXPECT_EQ(OpenFailure(input_.Sub("missing.doc")), kCannotOpenFile);
  EXPECT_EQ(OpenFailure(input_.MakeDirectory("folder.doc")), kCannotOpenFile);
  EXPECT_EQ(OpenFailure(input_.WriteFile("noise.doc", RandomBytes(20000))), kCannotOpenFile);
  EXPECT_EQ(OpenFailure(Fixtures::Get().Path("truncated.doc")), kCannotOpenFile);
  EXPECT_EQ(OpenFailure(""), kCannotOpenFile);
  // Nothing half-opened stays behind to be printed.
  EXPECT_EQ(CaughtError([&] { word_->ActiveDocument(); }).Number(), office::errors::kNoDocument);
}

TEST_F(OpenAndPrintFailures, PasswordProtectedDocumentFailsInsteadOfAsking) {
  const office::AutomationError error =
      CaughtError([&] { word_->Documents()->Open({Fixtures::Get().Path("protected.doc")}); });
  EXPECT_EQ(error.Number(), kCannotOpenFile);
  EXPECT_NE(error.Description().find("protected.doc"), std::string::npos);
}

TEST_F(OpenAndPrintFailures, RandomBytesNamedXlsDoNotOpenAsWorkbook) {
  auto excel = bed_->Excel();
  const std::string path = input_.WriteFile("noise.xls", RandomBytes(20000));
  const office::AutomationError error =
      CaughtError([&] { excel->Workbooks()->Open({path, std::nullopt, true}); });
  EXPECT_EQ(error.Number(), kCannotOpenFile);
  EXPECT_EQ(error.Source(), "Excel.Application");
  // A word-processing document is no workbook either.
  EXPECT_EQ(CaughtError([&] {
              excel->Workbooks()->Open({Fixtures::Get().Path("letter.doc"), std::nullopt, true});
            }).Number(),
            kCannotOpenFile);
  excel->Quit();
}

TEST_F(OpenAndPrintFailures, UnwritableOutputFailsTheSynchronousPrint) {
  word_->ActivePrinter(driver::kPrinterName);
  word_->Options()->PrintBackground(false);
  word_->Documents()->Open({input_.WriteFile("a.txt", "text\n")});
  // Running as root, permissions stop nothing: a file where the directory
  // should be does.
  const std::string notADirectory = output_.WriteFile("plain-file", "");
  EXPECT_EQ(CaughtError([&] {
              word_->ActiveDocument()->PrintOut({notADirectory + "/a.pdf", true});
            }).Number(),
            kPrintFailed);
  // A directory in the way of the PDF's name.
  const std::string blocked = output_.MakeDirectory("blocked.pdf");
  EXPECT_EQ(CaughtError([&] { word_->ActiveDocument()->PrintOut({blocked, true}); }).Number(),
            kPrintFailed);
  EXPECT_TRUE(std::filesystem::is_directory(blocked));
  word_->Documents()->Close({false});
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(output_.Path()),
                          std::filesystem::directory_iterator()),
            2);
}

TEST_F(OpenAndPrintFailures, PrintingWithTheDriverUninstalledFails) {
  word_->ActivePrinter(driver::kPrinterName);
  word_->Documents()->Open({input_.WriteFile("b.txt", "text\n")});
  bed_->UninstallDriver();
  const std::string pdf = output_.Sub("b.pdf");
  EXPECT_EQ(CaughtError([&] { word_->ActiveDocument()->PrintOut({pdf, true}); }).Number(),
            kPrintFailed);
  EXPECT_EQ(CaughtError([&] { word_->ActivePrinter("Quillset"); }).Number(),
            office::errors::kPrinterNotInstalled);
  word_->Documents()->Close({false});
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(OpenAndPrintFailures, BackgroundPrintFailureSurfacesOnTheNextCall) {
  word_->ActivePrinter(driver::kPrinterName);
  word_->Documents()->Open({input_.WriteFile("c.txt", "text\n")});
  word_->Options()->PrintBackground(true);
  const std::string pdf = output_.MakeDirectory("c.pdf");
  word_->ActiveDocument()->PrintOut({pdf, true});
  // Either the print call itself or the status poll after it reports it.
  std::int32_t number = 0;
  try {
    while (word_->BackgroundPrintingStatus() > 0) {
    }
  } catch (const office::AutomationError& error) {
    number = error.Number();
  }
  EXPECT_EQ(number, kPrintFailed);
  EXPECT_EQ(word_->BackgroundPrintingStatus(), 0);
  word_->Documents()->Close({false});
}

TEST_F(OpenAndPrintFailures, UnknownClassName) {
  EXPECT_EQ(CaughtError([&] { bed_->factory.CreateObject("Outlook.Application"); }).Number(),
            office::errors::kUnknownClass);
}

}  // namespace
}  // namespace pressmoor::testing
