// No office outlives its objects, a dead office fails the call within
// seconds, and a hung one is stopped at the configured time.
#include <signal.h>
#include <stdlib.h>

#include <gtest/gtest.h>

#include "OfficeTestbed.h"

namespace pressmoor::testing {
namespace {

// Long enough that its export is still running when the test strikes.
std::string LargeText() {
  std::string text;
  for (int line = 0; line < 20000; ++line) {
    text += "Line " + std::to_string(line) + " of a long document, " + kSampleWords + "\n";
  }
  return text;
}

class OfficeLifetime : public ::testing::Test {
 protected:
  OfficeTestbed bed_;
  TempDir input_;
  TempDir output_;
};

TEST_F(OfficeLifetime, DroppingObjectsWithoutQuitEndsTheirOffice) {
  {
    auto word = bed_.Word();
    auto excel = bed_.Excel();
    EXPECT_EQ(OfficeChildren().size(), 2u);
  }
  EXPECT_TRUE(OfficeChildren().empty());

  // A workbook keeps the office alive after the application is dropped.
  auto excel = bed_.Excel();
  auto workbook = excel->Workbooks()->Open({Fixtures::Get().Path("sheet.xls"), std::nullopt, true});
  excel.reset();
  bed_.SetMachineOutputName(output_.Sub("kept.pdf"));
  workbook->PrintOut({std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                      std::string(driver::kPrinterName)});
  EXPECT_TRUE(std::filesystem::exists(output_.Sub("kept.pdf")));
  workbook.reset();
  EXPECT_TRUE(OfficeChildren().empty());
}

TEST_F(OfficeLifetime, QuitEndsTheOfficeAndLaterCallsFail) {
  auto word = bed_.Word();
  word->Quit();
  EXPECT_TRUE(OfficeChildren().empty());
  EXPECT_EQ(CaughtError([&] { word->Documents()->Open({"x.txt"}); }).Number(),
            office::errors::kObjectGone);
  word->Quit();
}

TEST_F(OfficeLifetime, KilledOfficeFailsThePrintAndLeavesNoPartialPdf) {
  const std::string source = input_.WriteFile("large.txt", LargeText());
  const std::string pdf = output_.Sub("large.pdf");
  auto word = bed_.Word();
  word->ActivePrinter(driver::kPrinterName);
  word->Documents()->Open({source});
  word->Options()->PrintBackground(true);
  word->ActiveDocument()->PrintOut({pdf, true});
  const std::vector<pid_t> offices = OfficeChildren();
  ASSERT_EQ(offices.size(), 1u);
  kill(offices[0], SIGKILL);
  std::int32_t number = 0;
  try {
    while (word->BackgroundPrintingStatus() > 0) {
    }
  } catch (const office::AutomationError& error) {
    number = error.Number();
  }
  EXPECT_EQ(number, office::errors::kOfficeDied);
  EXPECT_EQ(CaughtError([&] { word->Documents()->Close({false}); }).Number(),
            office::errors::kOfficeDied);
  EXPECT_FALSE(std::filesystem::exists(pdf));
  EXPECT_TRUE(std::filesystem::is_empty(output_.Path())) << "temporary file left behind";
  EXPECT_TRUE(OfficeChildren().empty());
  word->Quit();
}

TEST_F(OfficeLifetime, StoppedOfficeTimesOutAndIsEnded) {
  // Long enough for the office to start on a busy machine; unset even when
  // the start fails, so that the tests after this one keep the default.
  setenv("PRESSMOOR_OFFICE_TIMEOUT", "8", 1);
  const std::shared_ptr<void> unset(nullptr, [](void*) { unsetenv("PRESSMOOR_OFFICE_TIMEOUT"); });
  auto word = bed_.Word();
  const std::vector<pid_t> offices = OfficeChildren();
  ASSERT_EQ(offices.size(), 1u);
  kill(offices[0], SIGSTOP);
  const office::AutomationError error =
      CaughtError([&] { word->Documents()->Open({input_.WriteFile("a.txt", "text\n")}); });
  EXPECT_EQ(error.Number(), office::errors::kTimedOut);
  EXPECT_NE(error.Description().find("8 seconds"), std::string::npos) << error.Description();
  EXPECT_TRUE(OfficeChildren().empty());
}

// Workbooks come first in a batch; the office for the documents after them
// starts while they print, and is handed on only through Quit.
TEST_F(OfficeLifetime, QuitLeavesItsOfficeRunningForTheNextApplication) {
  auto excel = bed_.Excel();
  auto workbook = excel->Workbooks()->Open({Fixtures::Get().Path("sheet.xls"), std::nullopt, true});
  workbook->Close({false, std::nullopt, false});
  workbook.reset();
  excel->Quit();
  const std::vector<pid_t> spare = OfficeChildren();
  ASSERT_EQ(spare.size(), 1u);

  auto word = bed_.Word();
  EXPECT_EQ(OfficeChildren(), spare) << "the new application did not take the started office";
  word->ActivePrinter(driver::kPrinterName);
  word->Documents()->Open({input_.WriteFile("a.txt", "text\n")});
  word->ActiveDocument()->PrintOut({output_.Sub("a.pdf"), true});
  word->Documents()->Close({false});
  EXPECT_TRUE(std::filesystem::exists(output_.Sub("a.pdf")));
  word->Quit();
  EXPECT_TRUE(OfficeChildren().empty());
}

TEST_F(OfficeLifetime, AnyApplicationTakesTheOfficesLeftRunning) {
  auto first = bed_.Excel();
  first->Quit();
  const std::vector<pid_t> left = OfficeChildren();
  ASSERT_EQ(left.size(), 1u);

  auto second = bed_.Excel();
  EXPECT_EQ(OfficeChildren(), left) << "a second spreadsheet started an office of its own";
  bed_.SetMachineOutputName(output_.Sub("sheet.pdf"));
  auto workbook = second->Workbooks()->Open({Fixtures::Get().Path("sheet.xls"), std::nullopt, true});
  workbook->PrintOut({std::nullopt, std::nullopt, std::nullopt, std::nullopt,
                      std::string(driver::kPrinterName)});
  EXPECT_TRUE(std::filesystem::exists(output_.Sub("sheet.pdf")));
}

TEST_F(OfficeLifetime, StartedOfficeDiesWithoutQuitOrWithItsFactory) {
  {
    auto excel = bed_.Excel();
    excel->Workbooks()->Open({Fixtures::Get().Path("sheet.xls"), std::nullopt, true});
  }
  EXPECT_TRUE(OfficeChildren().empty()) << "dropping the workbook left an office behind";

  {
    office::LibreOfficeFactory factory(bed_.registry);
    factory.ExpectDocuments({Fixtures::Get().Path("sheet.xls")});
    auto excel = std::dynamic_pointer_cast<office::ExcelApplication>(
        factory.CreateObject("Excel.Application"));
    excel->Workbooks()->Open({Fixtures::Get().Path("sheet.xls"), std::nullopt, true});
    excel->Quit();
    EXPECT_EQ(OfficeChildren().size(), 1u);
  }
  EXPECT_TRUE(OfficeChildren().empty()) << "the factory left its started office behind";
}

TEST_F(OfficeLifetime, DeadStartedOfficeIsReplacedByAFreshOne) {
  auto excel = bed_.Excel();
  excel->Workbooks()->Open({Fixtures::Get().Path("sheet.xls"), std::nullopt, true});
  excel->Quit();
  const std::vector<pid_t> spare = OfficeChildren();
  ASSERT_EQ(spare.size(), 1u);
  kill(spare[0], SIGKILL);

  auto word = bed_.Word();
  const std::vector<pid_t> offices = OfficeChildren();
  ASSERT_EQ(offices.size(), 1u);
  EXPECT_NE(offices[0], spare[0]);
  word->ActivePrinter(driver::kPrinterName);
  word->Documents()->Open({input_.WriteFile("b.txt", "text\n")});
  word->ActiveDocument()->PrintOut({output_.Sub("b.pdf"), true});
  EXPECT_TRUE(std::filesystem::exists(output_.Sub("b.pdf")));
  word->Quit();
}

// The client of the test below: a process of its own that starts an office
// and waits to be killed.
TEST(OfficeClient, StartsAnOfficeAndWaits) {
  if (getenv("PRESSMOOR_TEST_OFFICE_CLIENT") == nullptr) GTEST_SKIP() << "run by OfficeDiesWithItsClient";
  OfficeTestbed bed;
  auto word = bed.Word();
  pause();
}

TEST_F(OfficeLifetime, OfficeDiesWithItsClient) {
  const pid_t client = fork();
  if (client == 0) {
    setenv("PRESSMOOR_TEST_OFFICE_CLIENT", "1", 1);
    execl("/proc/self/exe", "client", "--gtest_filter=OfficeClient.StartsAnOfficeAndWaits",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  // Wait until the client's office answers (it shows as the client's child).
  pid_t office = 0;
  for (int tries = 0; tries < 600 && office == 0; ++tries) {
    const std::vector<pid_t> offices = OfficeChildren(client);
    if (!offices.empty()) office = offices.front();
    usleep(50000);
  }
  ASSERT_NE(office, 0);
  kill(client, SIGKILL);
  waitpid(client, nullptr, 0);
  bool gone = false;
  for (int tries = 0; tries < 200 && !gone; ++tries) {
    gone = kill(office, 0) != 0;
    usleep(50000);
  }
  EXPECT_TRUE(gone) << "office " << office << " outlived its client";
}

}  // namespace
}  // namespace pressmoor::testing
