// A stop signal during a run, with the scripted office: the run ends its
// offices, converts no further file, reports the stop alone (no failure it
// caused, no box to wait on) and keeps the count of what it converted.
#include <csignal>

#include "ConversionFixture.h"
#include "office/Automation.h"

namespace pressmoor::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

struct StopCase {
  const char* name;
  const char* pattern;
  const char* extension;
  const char* printMember;  // the stop arrives during its second call
  bool officeLost;          // that call fails, as a killed office makes it
  bool interactive;
  int signal;
  int converted;
  const char* message;
};

class StopDuringRun : public ConversionTest, public ::testing::WithParamInterface<StopCase> {};

TEST_P(StopDuringRun, EndsTheOfficesAndReportsOnlyTheStop) {
  const StopCase& row = GetParam();
  for (const char* name : {"a", "b", "c"}) Source(std::string(name) + row.extension);
  if (row.interactive) env.commandLine.clear();
  form.FilePattern = row.pattern;
  if (row.officeLost) office.Fail(row.printMember, office::errors::kOfficeDied, "gone", 2);
  env.stopSignal = [&] { return office.CallsTo(row.printMember).size() >= 2 ? row.signal : 0; };

  form.cmdConvert_Click();

  EXPECT_EQ(form.ConvertedCount, row.converted);
  EXPECT_EQ(form.StoppedBy, row.signal);
  EXPECT_THAT(env.eventLog, ElementsAre(row.message));
  EXPECT_THAT(env.messageBoxes, IsEmpty());
  EXPECT_THAT(office.Calls(), Contains("EndAllOffices"));
  EXPECT_EQ(office.CallsTo(row.printMember).size(), 2u);
  EXPECT_FALSE(form.RunInProgress);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, StopDuringRun,
    ::testing::Values(
        StopCase{"WordBetweenFiles", "*.txt", ".txt", "Word.ActiveDocument.PrintOut", false, false,
                 SIGTERM, 2, "Conversion stopped by SIGTERM, 2 files converted"},
        StopCase{"WordOfficeKilled", "*.txt", ".txt", "Word.ActiveDocument.PrintOut", true, false,
                 SIGINT, 1, "Conversion stopped by SIGINT, 1 files converted"},
        StopCase{"ExcelOfficeKilled", "*.xls", ".xls", "Excel.Workbook.PrintOut", true, false,
                 SIGHUP, 1, "Conversion stopped by SIGHUP, 1 files converted"},
        StopCase{"WindowShowsNoBox", "*.txt", ".txt", "Word.ActiveDocument.PrintOut", true, true,
                 SIGTERM, 1, "Conversion stopped by SIGTERM, 1 files converted"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(ConversionTest, StopWhileThePrinterWorksEndsTheWait) {
  Source("a.txt");
  form.FilePattern = "*.txt";
  office.printingStatus = {1, 1, 1, 1, 1, 1};
  env.stopSignal = [this] { return env.dispatches >= 2 ? SIGTERM : 0; };

  form.cmdConvert_Click();

  EXPECT_EQ(form.ConvertedCount, 0);
  EXPECT_EQ(env.dispatches, 2);
  EXPECT_THAT(env.eventLog, ElementsAre("Conversion stopped by SIGTERM, 0 files converted"));
}

}  // namespace
}  // namespace pressmoor::testing
