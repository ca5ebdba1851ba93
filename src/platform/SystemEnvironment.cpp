#include "platform/SystemEnvironment.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/ByteText.h"
#include "platform/EventLog.h"
#include "platform/StateRoots.h"
#include "platform/StopSignals.h"

extern char** environ;

namespace pressmoor::platform {

namespace {

std::string JoinedWithBlanks(const std::vector<std::string>& arguments) {
  std::string joined;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) joined += ' ';
    joined += arguments[i];
  }
  return joined;
}

}  // namespace

SystemEnvironment::SystemEnvironment(std::vector<std::string> arguments, Registry& registry,
                                     office::ObjectFactory& office)
    : commandLine_(JoinedWithBlanks(arguments)), registry_(registry), office_(office) {}

std::string SystemEnvironment::CommandLine() { return commandLine_; }

void SystemEnvironment::ShowMessageBox(const std::string& text, const std::string& title) {
  // A box shows text; a name's bytes that are none would be lost in it.
  const std::string shown = WithBytesEscaped(text);
  if (messageBox_) {
    messageBox_(shown, title);
    return;
  }
  WriteStandardError(title + ": " + shown + "\n");
}

bool SystemEnvironment::WriteEventLog(const std::string& source, const std::string& text) {
  EventLog log(EventLog::DefaultPath());
  return log.Write(source, text);
}

bool SystemEnvironment::StandardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }

void SystemEnvironment::WriteStandardError(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

double SystemEnvironment::Clock() {
  using Seconds = std::chrono::duration<double>;
  return std::chrono::duration_cast<Seconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void SystemEnvironment::Sleep(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void SystemEnvironment::DispatchEvents() {
  if (dispatcher_) dispatcher_();
}

int SystemEnvironment::StopSignal() { return platform::StopSignal(); }

std::string SystemEnvironment::SystemDirectory() { return MachineRoot() + "/system32"; }

bool SystemEnvironment::StartProgram(const std::string& program,
                                     const std::vector<std::string>& arguments) {
  return StartDetached(program, arguments);
}

bool StartDetached(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  pid_t child = 0;
  if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
    return false;
  }
  // Reap this one child only: ignoring SIGCHLD process-wide would break
  // anyone else who waits for a child of ours, the office process above all.
  std::thread([child] {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return true;
}

}  // namespace pressmoor::platform
