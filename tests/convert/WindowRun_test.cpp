// A run started from the window, with the scripted office: its events run
// between files, where the window shows how far the run has come and
// where a press of Stop or Convert is met.
#include "ConversionFixture.h"

namespace pressmoor::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

class WindowRunTest : public ConversionTest {
 protected:
  WindowRunTest() {
    env.commandLine.clear();
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) Source(name);
    form.FilePattern = "*.txt";
    form.dstFileList.Pattern("*.pdf");
  }

  // What the window shows at each dispatch of events.
  std::string Shown() {
    if (!form.lblProgress.Visible()) return form.cmdStop.Visible() ? "stop only" : "nothing";
    return form.lblProgress.Text() + " [" + std::to_string(form.barProgress.Value()) + "/" +
           std::to_string(form.barProgress.Max()) + "]" + (form.cmdStop.Visible() ? " stop" : "");
  }
};

TEST_F(WindowRunTest, ProgressShowsDuringTheRunAndNothingBeforeOrAfter) {
  std::vector<std::string> shown{Shown()};
  env.onDispatch = [&] { shown.push_back(Shown()); };

  form.cmdConvert_Click();
  shown.push_back(Shown());

  EXPECT_THAT(shown, ElementsAre("nothing", "stop only", "File 1 of 3: a.txt [0/3] stop",
                                 "File 2 of 3: b.txt [1/3] stop", "nothing"));
  EXPECT_EQ(form.lblProgress.Text(), "");
}

TEST_F(WindowRunTest, StopEndsTheRunWithItsCountAndTheNextRunStartsAfresh) {
  env.onDispatch = [&] {
    if (form.dstFileList.ListCount() == 1) form.cmdStop.PerformClick();
  };

  form.cmdConvert_Click();

  EXPECT_EQ(form.ConvertedCount, 1);
  EXPECT_THAT(env.messageBoxes, ElementsAre("Conversion stopped, 1 files converted"));
  EXPECT_EQ(form.StoppedBy, 0);
  // Ending every office would leave the next run none.
  EXPECT_THAT(office.Calls(), Not(Contains("EndAllOffices")));
  EXPECT_FALSE(form.cmdStop.Visible());

  env.onDispatch = nullptr;
  form.cmdConvert_Click();
  EXPECT_EQ(form.ConvertedCount, 3);
}

TEST_F(WindowRunTest, ConvertPressedBetweenFilesStartsNoSecondBatch) {
  env.onDispatch = [&] { form.cmdConvert.PerformClick(); };

  form.cmdConvert_Click();

  EXPECT_EQ(office.CallsTo("CreateObject").size(), 1u);
  EXPECT_EQ(form.ConvertedCount, 3);
  EXPECT_THAT(env.messageBoxes, ElementsAre(::testing::StartsWith("Successfully converted 3 files")));
}

}  // namespace
}  // namespace pressmoor::testing
