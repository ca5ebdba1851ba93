// A failing file in the middle of a batch, for both converters: the office
// lost to a document read ahead is no failure of the file being converted;
// -k reports each failing file and goes on with a fresh office when needed.
#include <filesystem>

#include "ConversionFixture.h"

namespace pressmoor::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace errors = office::errors;

struct Converter {
  const char* name;
  const char* extension;
  const char* open;   // the member that opens a file
  const char* print;  // the member that prints it
  const char* closeAfterFailure;
  void (ui::frmPressmoorMain::*convert)();
};

const Converter kConverters[] = {
    {"Word", ".txt", "Word.Documents.Open", "Word.ActiveDocument.PrintOut", "Word.Documents.Close",
     &ui::frmPressmoorMain::ConvertWithWord},
    {"Excel", ".xls", "Excel.Workbooks.Open", "Excel.Workbook.PrintOut", "Excel.Workbook.Close",
     &ui::frmPressmoorMain::ConvertWithExcel},
};

class KeepGoing : public ConversionTest, public ::testing::WithParamInterface<Converter> {
 protected:
  KeepGoing() {
    for (const char* name : {"a", "b", "c"}) paths.push_back(Source(name + Extension()));
    ListSource(std::string("*") + Extension());
  }
  std::string Extension() const { return GetParam().extension; }
  std::string Pdf(const char* name) const { return Output(name + std::string(".pdf")); }
  void Run(bool keepGoing) {
    form.KeepGoing = keepGoing;
    (form.*GetParam().convert)();
  }
  std::string Lost(const std::string& path) const {
    return std::string("1001 ") + (GetParam().name == std::string("Word") ? "Word " : "") +
           "Gone File: " + path;
  }
  std::vector<std::string> paths;
};

TEST_P(KeepGoing, OfficeLostOnceIsRetriedAloneAndIsNoFailure) {
  office.Fail(GetParam().open, errors::kOfficeDied, "Gone", 1, "/b" + Extension());

  Run(true);

  EXPECT_THAT(env.eventLog, IsEmpty());
  EXPECT_EQ(form.ConvertedCount, 3);
  EXPECT_THAT(office.Hints(), ElementsAre(paths, ElementsAre(paths[1]), ElementsAre(paths[2])));
}

TEST_P(KeepGoing, WithoutItALostOfficeEndsTheRunNamingTheFile) {
  office.Fail(GetParam().open, errors::kOfficeDied, "Gone", 1, "/b" + Extension());

  Run(false);

  EXPECT_THAT(env.eventLog, ElementsAre(Lost(paths[1])));
  EXPECT_EQ(form.ConvertedCount, 1);
  EXPECT_FALSE(std::filesystem::exists(Pdf("c")));
  EXPECT_EQ(office.CallsTo("CreateObject").size(), 1u);
}

TEST_P(KeepGoing, FailingFileIsReportedClosedAndTheRunGoesOn) {
  office.Fail(GetParam().print, errors::kPrintFailed, "Export", 2);

  Run(true);

  EXPECT_THAT(env.eventLog, ElementsAre(" Error printing to Quillset"));
  EXPECT_EQ(form.ConvertedCount, 2);
  EXPECT_TRUE(std::filesystem::exists(Pdf("c")));
  EXPECT_EQ(office.CallsTo(GetParam().closeAfterFailure).size(), 3u);
  EXPECT_EQ(office.CallsTo("CreateObject").size(), 1u);
  EXPECT_EQ(form.ExitStatus(), 1);
}

TEST_P(KeepGoing, OfficeLostToTheFileItselfGivesAFreshOneForTheRest) {
  office.Fail(GetParam().open, errors::kOfficeDied, "Gone", 0, "/b" + Extension());

  Run(true);

  EXPECT_THAT(env.eventLog, ElementsAre(Lost(paths[1])));
  EXPECT_EQ(form.ConvertedCount, 2);
  EXPECT_THAT(office.Hints(), ElementsAre(paths, ElementsAre(paths[1]), ElementsAre(paths[2])));
}

TEST_P(KeepGoing, FreshOfficeThatCannotStartEndsTheRun) {
  office.Fail(GetParam().open, errors::kTimedOut, "Too slow", 0, "/b" + Extension());
  office.Fail("CreateObject", errors::kCannotStart, "No office", 3);

  Run(true);

  EXPECT_EQ(env.eventLog.back(), " Cannot open application for conversion");
  EXPECT_EQ(form.ConvertedCount, 1);
  EXPECT_FALSE(std::filesystem::exists(Pdf("c")));
}

INSTANTIATE_TEST_SUITE_P(Converters, KeepGoing, ::testing::ValuesIn(kConverters),
                         [](const ::testing::TestParamInfo<Converter>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace pressmoor::testing
