#include <gtest/gtest.h>

#include <string>

#include "FakeEnvironment.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
namespace {

class ProgressTest : public ::testing::Test {
 protected:
  testing::FakeEnvironment env;
  frmPressmoorMain form{env};
  void SetUp() override {
    env.commandLine = "-f *.txt -s /in -d /out";
    env.standardErrorIsTerminal = true;
  }
};

TEST_F(ProgressTest, RedrawsOneLineInPlaceAndClearsItAtTheEnd) {
  env.clock = 100;
  form.ShowProgress(0, 3, "a.txt");
  env.clock = 172;
  form.ShowProgress(1, 3, "b.txt");
  form.EndProgress();
  EXPECT_EQ(env.standardError,
            "\r\x1b[2K[0/3] a.txt  0:00"
            "\r\x1b[2K[1/3] b.txt  1:12"
            "\r\x1b[2K");
}

TEST_F(ProgressTest, ElapsedTimeStartsAgainWithTheNextRun) {
  env.clock = 10;
  form.ShowProgress(0, 1, "a.txt");
  form.EndProgress();
  env.standardError.clear();
  env.clock = 50;
  form.ShowProgress(0, 1, "b.txt");
  EXPECT_EQ(env.standardError, "\r\x1b[2K[0/1] b.txt  0:00");
}

TEST_F(ProgressTest, LongNamesKeepTheLineShorterThanTheTerminal) {
  const std::string name(200, 'n');
  form.ShowProgress(5, 10, name + "-end.txt");
  const std::string line = env.standardError.substr(std::string("\r\x1b[2K").size());
  EXPECT_LT(line.size(), 80u);
  EXPECT_NE(line.find("...n"), std::string::npos);
  EXPECT_NE(line.find("-end.txt  0:00"), std::string::npos);
}

TEST_F(ProgressTest, NothingWhenStandardErrorIsNoTerminal) {
  env.standardErrorIsTerminal = false;
  form.ShowProgress(0, 3, "a.txt");
  form.EndProgress();
  EXPECT_EQ(env.standardError, "");
}

TEST_F(ProgressTest, NothingInTheInteractiveMode) {
  env.commandLine.clear();
  form.ShowProgress(0, 3, "a.txt");
  form.EndProgress();
  EXPECT_EQ(env.standardError, "");
}

}  // namespace
}  // namespace pressmoor::ui
