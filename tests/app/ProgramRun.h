// The real program, unattended, as a child process over private machine and
// user roots and its own event log; and what such runs leave behind.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace pressmoor::testing {

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline bool CompletePdf(const std::string& path) {
  std::string content = ReadAll(path);
  return content.rfind("%PDF-", 0) == 0 && content.find("%%EOF", content.size() > 64 ? content.size() - 64 : 0) != std::string::npos;
}

// Processes whose environment holds `marker`: the run and every office it started.
inline std::vector<pid_t> ProcessesCarrying(const std::string& marker) {
  std::vector<pid_t> found;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::string environment = ReadAll(entry.path().string() + "/environ");
    if (environment.find(marker) == std::string::npos) continue;
    std::string stat = ReadAll(entry.path().string() + "/stat");
    std::size_t close = stat.rfind(')');
    if (close != std::string::npos && stat.size() > close + 2 && stat[close + 2] == 'Z') continue;
    found.push_back(std::stoi(name));
  }
  return found;
}

inline std::string CommandOf(pid_t pid) {
  std::string comm = ReadAll("/proc/" + std::to_string(pid) + "/comm");
  while (!comm.empty() && comm.back() == '\n') comm.pop_back();
  return comm;
}

// The programs these tests run exist; without them the tests are skipped.
inline bool ProgramsBuilt() {
  return std::filesystem::exists(std::string(PRESSMOOR_BIN_DIR) + "/pressmoor") &&
         std::filesystem::exists(std::string(PRESSMOOR_BIN_DIR) + "/quillset.exe");
}

// One unattended run of build/bin/pressmoor over private state.
class ProgramRun {
 public:
  explicit ProgramRun(const std::string& state, const std::string& eventLog)
      : state_(state), eventLog_(eventLog) {
    std::filesystem::create_directories(state_ + "/machine");
    std::filesystem::create_directories(state_ + "/user");
    variables_ = {"PRESSMOOR_MACHINE_ROOT=" + state_ + "/machine", "PRESSMOOR_USER_ROOT=" + state_ + "/user",
                  "PRESSMOOR_EVENT_LOG=" + eventLog_};
  }

  // "NAME=value" for the runs, in place of any NAME this process has.
  void Set(const std::string& variable) { variables_.push_back(variable); }

  // The driver installed by its own install step.
  bool InstallDriver() {
    pid_t pid = Spawn(std::string(PRESSMOOR_BIN_DIR) + "/quillset.exe", {"install"}, state_ + "/install.out");
    return WaitFor(pid, 60) == 0;
  }

  void Start(const std::vector<std::string>& arguments, int standardError = -1) {
    pid_ = Spawn(std::string(PRESSMOOR_BIN_DIR) + "/pressmoor", arguments, state_ + "/pressmoor.out", standardError);
  }

  // The exit status, or -1 when the run had to be killed at the deadline.
  int Finish(int seconds = 180) { return WaitFor(pid_, seconds); }

  pid_t Pid() const { return pid_; }
  // Unique to this run: every process it starts inherits it.
  std::string Marker() const { return "PRESSMOOR_EVENT_LOG=" + eventLog_; }

  std::vector<pid_t> Offices() const {
    std::vector<pid_t> offices;
    for (pid_t pid : ProcessesCarrying(Marker())) {
      if (pid != pid_ && CommandOf(pid).rfind("soffice", 0) == 0) offices.push_back(pid);
    }
    return offices;
  }

  // The messages of the event log, in order.
  std::vector<std::string> Messages() const {
    std::vector<std::string> messages;
    std::istringstream lines(ReadAll(eventLog_));
    for (std::string line; std::getline(lines, line);) {
      std::size_t second = line.find('\t', line.find('\t') + 1);
      messages.push_back(second == std::string::npos ? "<malformed> " + line : line.substr(second + 1));
    }
    return messages;
  }

  // Office processes of this run still alive a few seconds after it ended.
  std::vector<pid_t> Leftovers() const {
    std::vector<pid_t> left;
    for (int attempt = 0; attempt < 50; ++attempt) {
      left = ProcessesCarrying(Marker());
      if (left.empty()) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return left;
  }

 private:
  pid_t Spawn(const std::string& program, const std::vector<std::string>& arguments, const std::string& output,
              int standardError = -1) {
    std::vector<std::string> environment;
    for (char** variable = environ; *variable; ++variable) {
      std::string text = *variable;
      if (text.rfind("PRESSMOOR_", 0) != 0 && !SetHere(text)) environment.push_back(text);
    }
    environment.insert(environment.end(), variables_.begin(), variables_.end());
    std::vector<char*> envp;
    for (std::string& text : environment) envp.push_back(text.data());
    envp.push_back(nullptr);
    std::vector<std::string> argumentTexts{program};
    argumentTexts.insert(argumentTexts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : argumentTexts) argv.push_back(text.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (standardError >= 0) {
      posix_spawn_file_actions_adddup2(&actions, standardError, STDERR_FILENO);
    } else {
      posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    }
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
  }

  // Whether `inherited` ("NAME=value") is a variable Set replaces.
  bool SetHere(const std::string& inherited) const {
    const std::string name = inherited.substr(0, inherited.find('=') + 1);
    for (const std::string& variable : variables_) {
      if (variable.rfind(name, 0) == 0) return true;
    }
    return false;
  }

  static int WaitFor(pid_t pid, int seconds) {
    if (pid <= 0) return -1;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }

  std::string state_;
  std::string eventLog_;
  std::vector<std::string> variables_;
  pid_t pid_ = -1;
};

inline int PdfCount(const std::string& directory) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(directory)) count += entry.path().extension() == ".pdf";
  return count;
}

// The count a summary message gives, or -1 without one.
inline int SummaryCount(const std::vector<std::string>& messages) {
  for (const std::string& message : messages) {
    if (message.rfind("Successfully converted ", 0) == 0) return std::stoi(message.substr(23));
  }
  return -1;
}

}  // namespace pressmoor::testing
