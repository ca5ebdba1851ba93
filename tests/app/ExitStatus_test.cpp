#include <gtest/gtest.h>

#include "FakeEnvironment.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
namespace {

struct Outcome {
  bool driverCheckFailed;
  bool commandLineFailed;
  int messages;
  int summaries;
  int expected;
};

class ExitStatusTest : public ::testing::TestWithParam<Outcome> {};

TEST_P(ExitStatusTest, WorstOutcomeWins) {
  testing::FakeEnvironment env;
  frmPressmoorMain form(env);
  const Outcome& outcome = GetParam();
  form.DriverCheckFailed = outcome.driverCheckFailed;
  form.CommandLineFailed = outcome.commandLineFailed;
  form.MessagesReported = outcome.messages;
  form.SummariesReported = outcome.summaries;
  EXPECT_EQ(form.ExitStatus(), outcome.expected);
}

INSTANTIATE_TEST_SUITE_P(Outcomes, ExitStatusTest,
                         ::testing::Values(Outcome{false, false, 0, 0, 0},   // nothing said
                                           Outcome{false, false, 1, 1, 0},   // only the summary
                                           Outcome{false, false, 2, 2, 0},   // two runs' summaries
                                           Outcome{false, false, 2, 1, 1},   // a failure beside the summary
                                           Outcome{false, false, 1, 0, 1},   // a failure, no summary
                                           Outcome{false, true, 1, 0, 2},    // syntax message
                                           Outcome{true, false, 1, 0, 3},    // prerequisite
                                           Outcome{true, true, 5, 1, 3}));

}  // namespace
}  // namespace pressmoor::ui
