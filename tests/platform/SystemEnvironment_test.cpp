#include "platform/SystemEnvironment.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "FakeEnvironment.h"

namespace pressmoor::platform {
namespace {

std::string ReadWhenWritten(const std::string& path) {
  // The child runs on its own; give it a generous while to finish writing.
  for (int attempt = 0; attempt < 500; ++attempt) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    if (text.str().find("END") != std::string::npos) return text.str();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return {};
}

bool HasZombieChildren() {
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    // pid (comm) state ppid ...: the command may contain blanks, so read after ")".
    std::istringstream rest(line.substr(line.rfind(')') + 1));
    char state = 0;
    long parent = 0;
    rest >> state >> parent;
    if (state == 'Z' && parent == static_cast<long>(getpid())) return true;
  }
  return false;
}

class SystemEnvironmentTest : public ::testing::Test {
 protected:
  testing::FakeEnvironment fake;
  SystemEnvironment Make(std::vector<std::string> arguments) {
    return SystemEnvironment(std::move(arguments), fake.registry, fake.noOffice);
  }
};

TEST_F(SystemEnvironmentTest, CommandLineIsTheArgumentsJoinedWithSingleBlanks) {
  EXPECT_EQ(Make({}).CommandLine(), "");
  EXPECT_EQ(Make({"-f", "*.doc", "-s", "/my letters"}).CommandLine(), "-f *.doc -s /my letters");
  EXPECT_EQ(Make({"", "x"}).CommandLine(), " x");
}

TEST_F(SystemEnvironmentTest, SystemDirectoryIsBelowTheMachineRoot) {
  const char* saved = std::getenv("PRESSMOOR_MACHINE_ROOT");
  const std::string previous = saved ? saved : "";
  setenv("PRESSMOOR_MACHINE_ROOT", "/srv/pm", 1);
  EXPECT_EQ(Make({}).SystemDirectory(), "/srv/pm/system32");
  unsetenv("PRESSMOOR_MACHINE_ROOT");
  EXPECT_EQ(Make({}).SystemDirectory(), "/var/lib/pressmoor/system32");
  if (saved) setenv("PRESSMOOR_MACHINE_ROOT", previous.c_str(), 1);
}

TEST_F(SystemEnvironmentTest, MessageBoxGoesToTheInstalledHandler) {
  SystemEnvironment environment = Make({});
  std::string shown;
  environment.SetMessageBoxHandler(
      [&](const std::string& text, const std::string& title) { shown = title + "|" + text; });
  environment.ShowMessageBox("Quillset not installed.", "Pressmoor");
  EXPECT_EQ(shown, "Pressmoor|Quillset not installed.");
}

TEST_F(SystemEnvironmentTest, StartsAProgramWithItsArgumentsUntouchedAndLeavesNoZombie) {
  const std::string output = fake.root.Sub("argv.txt");
  SystemEnvironment environment = Make({});
  // Blanks, quotes and a semicolon reach the program as they are: no shell in between.
  ASSERT_TRUE(environment.StartProgram(
      "/bin/sh", {"-c", "printf '%s|' \"$@\" > \"$0\"; echo END >> \"$0\"", output, "a b", "it's;x"}));
  EXPECT_EQ(ReadWhenWritten(output), "a b|it's;x|END\n");
  bool zombie = true;
  for (int attempt = 0; attempt < 500 && zombie; ++attempt) {
    zombie = HasZombieChildren();
    if (zombie) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_FALSE(zombie);
}

TEST_F(SystemEnvironmentTest, AProgramThatCannotBeStartedAnswersFalse) {
  SystemEnvironment environment = Make({});
  EXPECT_FALSE(environment.StartProgram(fake.root.Sub("missing.exe"), {}));
  const std::string notExecutable = fake.root.WriteFile("plain.exe", "#!/bin/sh\n");
  chmod(notExecutable.c_str(), 0644);
  EXPECT_FALSE(environment.StartProgram(notExecutable, {}));
}

}  // namespace
}  // namespace pressmoor::platform
