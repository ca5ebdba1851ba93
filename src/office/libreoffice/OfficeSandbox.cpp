#include "OfficeSandbox.h"

#include <fcntl.h>
#include <spawn.h>
#include <strings.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <sstream>

#include "platform/EventLog.h"

extern char** environ;

namespace pressmoor::office::libreoffice {
namespace {

namespace fs = std::filesystem;

constexpr const char* kTool = "bwrap";
constexpr const char* kRemedyOff = "or set PRESSMOOR_SANDBOX=off to run the office without a sandbox.";

// What the office needs of the system, read-only; missing ones are skipped.
constexpr const char* kSystemPaths[] = {
    "/usr",           "/etc/fonts",    "/etc/libreoffice",      "/etc/ld.so.cache",
    "/etc/localtime", "/etc/papersize", "/var/cache/fontconfig"};
// Top-level folders that are links into /usr on merged systems.
constexpr const char* kProgramRoots[] = {"/bin", "/sbin", "/lib", "/lib32", "/lib64", "/libx32"};
// Point into the user's home; without them the office keeps to its own.
constexpr const char* kHomeVariables[] = {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME",
                                          "XDG_RUNTIME_DIR", "TMP", "TEMP"};

std::string Normal(const std::string& path) {
  std::error_code error;
  std::string normal = fs::absolute(path, error).lexically_normal().string();
  while (normal.size() > 1 && normal.back() == '/') normal.pop_back();
  return normal;
}

bool Within(const std::string& path, const std::string& folder) {
  if (folder == "/") return true;
  return path == folder || (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
                            path[folder.size()] == '/');
}

std::optional<std::string> FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "/usr/bin:/bin");
  for (std::string folder; std::getline(folders, folder, ':');) {
    if (folder.empty()) continue;
    const std::string candidate = folder + "/" + name;
    std::error_code error;
    if (fs::is_regular_file(candidate, error) && access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return std::nullopt;
}

// Runs `arguments`; its exit status and the first line it wrote to standard error.
std::pair<int, std::string> RunQuietly(const std::vector<std::string>& arguments) {
  int pipe[2];
  if (pipe2(pipe, O_CLOEXEC) != 0) return {-1, "no pipe"};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipe[1], STDERR_FILENO);
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipe[1]);
  std::string said;
  char buffer[512];
  for (ssize_t got; (got = read(pipe[0], buffer, sizeof buffer)) != 0;) {
    if (got > 0) said.append(buffer, static_cast<std::size_t>(got));
    else if (errno != EINTR) break;
  }
  close(pipe[0]);
  if (spawned != 0) return {-1, std::strerror(spawned)};
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  said = said.substr(0, said.find('\n'));
  if (said.rfind("bwrap: ", 0) == 0) said.erase(0, 7);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, said};
}

// The namespaces and limits of every sandbox.
const std::vector<std::string> kIsolation{"--unshare-all", "--unshare-user", "--cap-drop", "ALL",
                                          "--die-with-parent"};

// The tool, once it has shown that it can make a sandbox here.
std::string CheckedTool() {
  static std::once_flag once;
  static std::string tool;
  static std::string problem;
  std::call_once(once, [] {
    const std::optional<std::string> found = FindOnPath(kTool);
    if (!found) {
      problem = std::string("The office cannot be started in a sandbox: ") + kTool +
                " (package bubblewrap) is not installed or not on PATH. Install bubblewrap, " +
                kRemedyOff;
      return;
    }
    std::vector<std::string> trial{*found};
    trial.insert(trial.end(), kIsolation.begin(), kIsolation.end());
    for (const char* argument : {"--ro-bind", "/", "/", "--", "/usr/bin/true"}) trial.emplace_back(argument);
    const auto [status, said] = RunQuietly(trial);
    if (status != 0) {
      problem = "The office cannot be started in a sandbox: " + *found + " cannot make one here (" +
                (said.empty() ? "exit status " + std::to_string(status) : said) +
                "). Allow unprivileged user namespaces on this machine (sysctl "
                "user.max_user_namespaces, kernel.unprivileged_userns_clone), " +
                kRemedyOff;
      return;
    }
    tool = *found;
  });
  if (!problem.empty()) throw SandboxUnavailable(problem);
  return tool;
}

// The office looks itself up by user id; it finds only itself.
std::string StandInPasswd(const std::string& ownDirectory) {
  const std::string path = ownDirectory + "/passwd";
  std::ofstream(path) << "office:x:" << getuid() << ":" << getgid() << "::" << ownDirectory
                      << ":/usr/sbin/nologin\n";
  return path;
}

}  // namespace

OfficeReach::OfficeReach(const std::vector<std::string>& documents,
                         const std::vector<std::string>& folders) {
  std::vector<std::string> all;
  for (const std::string& document : documents) {
    if (document.empty()) continue;
    all.push_back(fs::path(Normal(document)).parent_path().string());
    // A document linked in from elsewhere is read where the link leads: that
    // file, not its folder. Only links count: a folder reached through one is
    // bound whole, and binding each of its files would only make the command
    // long.
    std::error_code error;
    if (!fs::is_symlink(document, error)) continue;
    const std::string target = fs::canonical(document, error).string();
    if (!error) files_.push_back(target);
  }
  for (const std::string& folder : folders) {
    if (!folder.empty()) all.push_back(Normal(folder));
  }
  std::sort(all.begin(), all.end());
  for (const std::string& folder : all) {
    if (folders_.empty() || !Within(folder, folders_.back())) folders_.push_back(folder);
  }
}

OfficeReach OfficeReach::Unconfined() {
  OfficeReach reach;
  reach.unconfined_ = true;
  return reach;
}

bool OfficeReach::Covers(const std::string& path) const {
  if (unconfined_) return true;
  const std::string normal = Normal(path);
  return std::any_of(folders_.begin(), folders_.end(),
                     [&](const std::string& folder) { return Within(normal, folder); });
}

bool SandboxRequired() {
  const char* setting = std::getenv("PRESSMOOR_SANDBOX");
  return setting == nullptr || strcasecmp(setting, "off") != 0;
}

void NoteRunningWithoutSandbox() {
  static std::once_flag once;
  std::call_once(once, [] {
    platform::EventLog(platform::EventLog::DefaultPath())
        .Write("Pressmoor",
               "PRESSMOOR_SANDBOX=off: the office runs without a sandbox; the documents it "
               "converts can reach the network and every file this user can read.");
  });
}

std::vector<std::string> SandboxedCommand(const std::vector<std::string>& office,
                                          const OfficeReach& reach,
                                          const std::string& ownDirectory,
                                          const std::vector<std::string>& programFolders) {
  std::vector<std::string> command{CheckedTool()};
  command.insert(command.end(), kIsolation.begin(), kIsolation.end());
  const auto add = [&command](std::initializer_list<std::string> words) {
    command.insert(command.end(), words);
  };
  // Folders first, so that none can hide the system or the office's own.
  for (const std::string& folder : reach.Folders()) add({"--ro-bind-try", folder, folder});
  for (const std::string& file : reach.LinkedFiles()) add({"--ro-bind-try", file, file});
  for (const char* path : kSystemPaths) add({"--ro-bind-try", path, path});
  for (const std::string& folder : programFolders) add({"--ro-bind-try", folder, folder});
  for (const char* root : kProgramRoots) {
    std::error_code error;
    if (fs::is_symlink(root, error)) {
      add({"--symlink", fs::read_symlink(root, error).string(), root});
    } else if (fs::is_directory(root, error)) {
      add({"--ro-bind", root, root});
    }
  }
  add({"--ro-bind", StandInPasswd(ownDirectory), "/etc/passwd"});
  add({"--dev", "/dev", "--ro-bind", "/dev/null", "/dev/tty", "--proc", "/proc"});
  add({"--bind", ownDirectory, ownDirectory, "--bind", ownDirectory, kOwnDirectoryInSandbox});
  // A read-only root leaves the office no /tmp to put its pipe in, so it
  // takes the one it is given, in its own directory.
  add({"--remount-ro", "/"});
  add({"--setenv", "HOME", ownDirectory, "--setenv", "TMPDIR", ownDirectory + "/tmp"});
  for (const char* variable : kHomeVariables) add({"--unsetenv", variable});
  add({"--chdir", ownDirectory, "--"});
  command.insert(command.end(), office.begin(), office.end());
  return command;
}

}  // namespace pressmoor::office::libreoffice
