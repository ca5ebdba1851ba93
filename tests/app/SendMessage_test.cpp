#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeEnvironment.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::testing {
namespace {

using Texts = std::vector<std::string>;

class SendMessageTest : public ::testing::Test {
 protected:
  FakeEnvironment env;
  ui::frmPressmoorMain window{env};
};

TEST_F(SendMessageTest, InteractiveShowsTheBoxBeforeLogging) {
  size_t loggedWhileBoxUp = 99;
  env.onMessageBox = [&](const std::string&) { loggedWhileBoxUp = env.eventLog.size(); };
  env.standardErrorIsTerminal = true;
  window.SendMessage(" Cannot open file /in/a.doc");
  EXPECT_EQ(env.messageBoxes, Texts{" Cannot open file /in/a.doc"});
  EXPECT_EQ(env.titles, Texts{"Pressmoor"});
  EXPECT_EQ(loggedWhileBoxUp, 0u);
  EXPECT_EQ(env.eventLog, Texts{" Cannot open file /in/a.doc"});
  EXPECT_EQ(env.standardError, "");
  EXPECT_EQ(window.MessagesReported, 1);
}

TEST_F(SendMessageTest, EmptyAndMultiLineMessagesAreShownAndLoggedAsGiven) {
  window.SendMessage("");
  window.SendMessage("first\nsecond");
  EXPECT_EQ(env.messageBoxes, (Texts{"", "first\nsecond"}));
  EXPECT_EQ(env.eventLog, (Texts{"", "first\nsecond"}));
  EXPECT_EQ(window.MessagesReported, 2);
}

TEST_F(SendMessageTest, UnattendedOnlyLogsWhenStandardErrorIsNoTerminal) {
  env.commandLine = "-f *.doc -s /in -d /out";
  window.SendMessage("File type to convert is not defined");
  EXPECT_TRUE(env.messageBoxes.empty());
  EXPECT_EQ(env.eventLog, Texts{"File type to convert is not defined"});
  EXPECT_EQ(env.standardError, "");
}

TEST_F(SendMessageTest, UnattendedEchoesOneLinePerMessageOnATerminal) {
  env.commandLine = "-f *.doc";
  env.standardErrorIsTerminal = true;
  window.SendMessage("a\nb\tc\\d");
  window.SendMessage("");
  EXPECT_EQ(env.standardError, "pressmoor: a\\nb\\tc\\\\d\npressmoor: \n");
  EXPECT_EQ(env.eventLog, (Texts{"a\nb\tc\\d", ""}));
  EXPECT_TRUE(env.messageBoxes.empty());
}

TEST_F(SendMessageTest, UnwritableLogIsSaidOnATerminalOnly) {
  env.commandLine = "-f *.doc";
  env.eventLogWritable = false;
  window.SendMessage("hello");
  EXPECT_EQ(env.standardError, "");
  env.standardErrorIsTerminal = true;
  window.SendMessage("hello");
  EXPECT_EQ(env.standardError,
            "pressmoor: hello\npressmoor: the event log could not be written\n");
  EXPECT_EQ(window.MessagesReported, 2);
}

TEST_F(SendMessageTest, ModeIsAskedAfreshOnEveryCall) {
  env.commandLine = "-f *.doc";
  window.SendMessage("one");
  env.commandLine = "";
  window.SendMessage("two");
  EXPECT_EQ(env.messageBoxes, Texts{"two"});
  EXPECT_EQ(env.eventLog, (Texts{"one", "two"}));
}

}  // namespace
}  // namespace pressmoor::testing
