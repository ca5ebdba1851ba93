#include "OfficeProcess.h"

#include "FileUrlText.h"
#include "OfficeComponent.h"
#include "ProfileVersion.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <functional>
#include <future>
#include <random>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace pressmoor::office::libreoffice {
namespace {

constexpr const char* kOfficeBinary = "/usr/lib/libreoffice/program/soffice.bin";
constexpr const char* kProfilePrefix = "pressmoor-office-";
constexpr const char* kPipePrefix = "pressmoor-";
// Where the office's runtime looks for pipes, whatever TMPDIR says.
constexpr const char* kPipeDirectory = "/tmp";
// The office asks to be started again after it has set up a fresh profile.
constexpr int kRestartRequested = 81;
constexpr int kMaximumRestarts = 2;

// Every office of this process, so that a stop can end them all; no office
// starts once `everyOfficeEnding` is set.
std::mutex liveMutex;
std::set<OfficeProcess*> liveOffices;
std::atomic<bool> everyOfficeEnding{false};

// PR_SET_PDEATHSIG fires when the *thread* that forked ends, so offices are
// forked from one thread that lives as long as the process.
class LauncherThread {
 public:
  static LauncherThread& Instance() {
    static auto* launcher = new LauncherThread();  // never destroyed: its thread never ends
    return *launcher;
  }

  pid_t Run(std::function<pid_t()> spawn) {
    std::packaged_task<pid_t()> task(std::move(spawn));
    std::future<pid_t> result = task.get_future();
    {
      std::lock_guard lock(mutex_);
      tasks_.push_back(std::move(task));
    }
    wake_.notify_one();
    return result.get();
  }

 private:
  LauncherThread() {
    std::thread([this] { Serve(); }).detach();
  }

  [[noreturn]] void Serve() {
    for (;;) {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return !tasks_.empty(); });
      std::packaged_task<pid_t()> task = std::move(tasks_.front());
      tasks_.pop_front();
      lock.unlock();
      task();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::packaged_task<pid_t()>> tasks_;
};

std::string RandomSuffix() {
  static std::atomic<unsigned> counter{0};
  std::random_device device;
  return std::to_string(getpid()) + "-" + std::to_string(counter++) + "-" +
         std::to_string(device() % 1000000u);
}

// Names of the form <prefix><pid>-..., whose owner is no longer running.
bool Abandoned(const std::string& name, const std::string& prefix) {
  if (name.rfind(prefix, 0) != 0) return false;
  const char* ownerText = name.c_str() + prefix.size();
  if (!std::isdigit(static_cast<unsigned char>(*ownerText))) return false;
  const pid_t owner = static_cast<pid_t>(std::atol(ownerText));
  return owner > 0 && kill(owner, 0) != 0 && errno == ESRCH;
}

// A profile as the office leaves it after its first start, which ends by
// asking to be started again: copied into each new profile, it saves that
// extra start.
std::filesystem::path ProfileTemplate() {
  return std::filesystem::temp_directory_path() /
         ("pressmoor-profile-template-" + std::to_string(getuid()));
}

// Profiles, and links to the pipes in them, of an earlier Pressmoor that was
// killed before it could clean up.
void SweepAbandonedProfiles(const std::filesystem::path& temporary) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(temporary, error)) {
    if (Abandoned(entry.path().filename().string(), kProfilePrefix)) {
      std::filesystem::remove_all(entry.path(), error);
    }
  }
  const std::string stagingPrefix = ProfileTemplate().filename().string() + "." + kPipePrefix;
  for (const auto& entry : std::filesystem::directory_iterator(temporary, error)) {
    if (Abandoned(entry.path().filename().string(), stagingPrefix)) {
      std::filesystem::remove_all(entry.path(), error);
    }
  }
  const std::string pipePrefix = std::string(kPipeDirectory) + "/OSL_PIPE_" +
                                 std::to_string(getuid()) + "_" + kPipePrefix;
  for (const auto& entry : std::filesystem::directory_iterator(kPipeDirectory, error)) {
    const std::string path = entry.path().string();
    if (entry.is_symlink(error) && Abandoned(path, pipePrefix)) std::filesystem::remove(path, error);
  }
}

void SaveProfileTemplate(const std::filesystem::path& profile, const std::string& suffix) {
  std::error_code error;
  const std::filesystem::path target = ProfileTemplate();
  if (std::filesystem::exists(target, error)) return;
  const std::filesystem::path staging = target.string() + "." + suffix;
  std::filesystem::copy(profile, staging, std::filesystem::copy_options::recursive, error);
  // Another process may have won the race; either template will do.
  if (error || (std::filesystem::rename(staging, target, error), error)) {
    std::filesystem::remove_all(staging, error);
  }
}

std::vector<std::string> OfficeEnvironment(const std::string& ownDirectory) {
  std::vector<std::string> variables;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string variable = *entry;
    // The office finds its own bootstrap; ours is for the client side.
    if (variable.rfind("URE_BOOTSTRAP=", 0) == 0 || variable.rfind("MALLOC_", 0) == 0) continue;
    if (variable.rfind("TMPDIR=", 0) == 0) continue;
    // Ours is on the command line, and would lose to this.
    if (variable.rfind("URE_MORE_SERVICES=", 0) == 0) continue;
    variables.push_back(variable);
  }
  // Its scratch files go with its folder, even when we are killed.
  variables.push_back("TMPDIR=" + ownDirectory + "/tmp");
  // A fixed mmap threshold and a high trim threshold stop the heap growing
  // and shrinking by small steps, which made start-up take seconds. Blocks
  // of a megabyte and more still go back to the system when freed: with a
  // higher threshold an idle office kept 130 MB it no longer used.
  variables.emplace_back("MALLOC_MMAP_THRESHOLD_=1048576");
  variables.emplace_back("MALLOC_TRIM_THRESHOLD_=536870912");
  return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& words) {
  std::vector<char*> pointers;
  for (std::string& word : words) pointers.push_back(word.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

OfficeProcess::OfficeProcess(OfficeReach reach)
    : reach_(std::move(reach)), confined_(!reach_.IsUnconfined() && SandboxRequired()) {
  if (!reach_.IsUnconfined() && !confined_) NoteRunningWithoutSandbox();
  const std::filesystem::path temporary = std::filesystem::temp_directory_path();
  SweepAbandonedProfiles(temporary);
  const std::string suffix = RandomSuffix();
  directory_ = (temporary / (kProfilePrefix + suffix)).string();
  std::error_code error;
  if (!std::filesystem::create_directory(directory_, error)) {
    throw std::runtime_error("Cannot create the office profile in " + temporary.string() + ": " +
                             error.message());
  }
  pipeName_ = kPipePrefix + suffix;
  std::filesystem::copy(ProfileTemplate(), directory_ + "/profile",
                        std::filesystem::copy_options::recursive, error);
  MarkProfileStartedBy(directory_ + "/profile",
                       InstalledOfficeVersion(std::filesystem::path(kOfficeBinary).parent_path()));
  try {
    for (const char* folder : {"/tmp", "/output"}) std::filesystem::create_directory(directory_ + folder);
    command_ = {kOfficeBinary,
                "-env:UserInstallation=" + FileUrlText(directory_ + "/profile"),
                "--headless",
                "--invisible",
                "--norestore",
                "--nologo",
                "--nodefault",
                "--nolockcheck",
                "--accept=pipe,name=" + pipeName_ + ";urp;StarOffice.ComponentContext",
                LoadComponentArgument(ComponentFolder())};
    if (confined_) {
      // The office puts its pipe in its own directory; we look for it where
      // every client looks.
      command_.push_back(std::string("-env:OSL_SOCKET_PATH=") + kOwnDirectoryInSandbox);
      command_ = SandboxedCommand(command_, reach_, directory_, {ComponentFolder()});
      std::filesystem::create_symlink(PipePath(directory_), PipePath(kPipeDirectory));
    }
    std::lock_guard live(liveMutex);
    if (everyOfficeEnding) throw std::runtime_error("the run is stopping");
    Launch();
    liveOffices.insert(this);
  } catch (...) {
    std::filesystem::remove(PipePath(kPipeDirectory), error);
    std::filesystem::remove_all(directory_, error);
    throw;
  }
}

OfficeProcess::~OfficeProcess() {
  {
    std::lock_guard live(liveMutex);
    liveOffices.erase(this);
  }
  Kill();
  std::error_code error;
  std::filesystem::remove_all(directory_, error);
}

std::string OfficeProcess::ConnectionUrl() const {
  return "uno:pipe,name=" + pipeName_ + ";urp;StarOffice.ComponentContext";
}

std::string OfficeProcess::PipePath(const std::string& folder) const {
  return folder + "/OSL_PIPE_" + std::to_string(getuid()) + "_" + pipeName_;
}

bool OfficeProcess::CanRead(const std::string& path) const {
  return !confined_ || reach_.Covers(path);
}

std::string OfficeProcess::NewOutputPath(const std::string& extension) {
  return directory_ + "/output/" + std::to_string(++outputs_) + extension;
}

void OfficeProcess::Launch() {
  std::vector<std::string> arguments = command_;
  std::vector<std::string> variables = OfficeEnvironment(directory_);
  std::vector<char*> argv = Pointers(arguments);
  std::vector<char*> envp = Pointers(variables);
  const int devNull = open("/dev/null", O_RDWR | O_CLOEXEC);
  const pid_t parent = getpid();

  const pid_t child = LauncherThread::Instance().Run([&]() -> pid_t {
    const pid_t pid = fork();
    if (pid < 0) return -errno;
    if (pid > 0) return pid;
    // Child: only async-signal-safe calls until exec.
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(127);
    signal(SIGPIPE, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    if (devNull >= 0) {
      dup2(devNull, STDIN_FILENO);
      dup2(devNull, STDOUT_FILENO);
      dup2(devNull, STDERR_FILENO);
    }
    close_range(3, ~0u, 0);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  });
  if (devNull >= 0) close(devNull);
  if (child < 0) {
    throw std::runtime_error(std::string("Cannot start the office: ") + std::strerror(-child));
  }
  // Also from here, so that a kill before the child ran setpgid hits it.
  setpgid(child, child);
  pid_ = child;
}

bool OfficeProcess::Running() {
  std::lock_guard lock(mutex_);
  if (pid_ <= 0) return false;
  int status = 0;
  const pid_t ended = waitpid(pid_, &status, WNOHANG);
  if (ended == 0) return true;
  kill(-pid_, SIGKILL);
  pid_ = -1;
  if (ended > 0 && WIFEXITED(status) && WEXITSTATUS(status) == kRestartRequested &&
      restarts_ < kMaximumRestarts && !everyOfficeEnding) {
    ++restarts_;
    SaveProfileTemplate(directory_ + "/profile", pipeName_);
    Launch();
    return true;
  }
  return false;
}

void OfficeProcess::Kill() {
  std::lock_guard lock(mutex_);
  if (pid_ <= 0) return;
  kill(-pid_, SIGKILL);
  kill(pid_, SIGKILL);
  while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  std::error_code error;
  for (const std::string& file : socketFiles_) std::filesystem::remove(file, error);
  std::filesystem::remove(PipePath(kPipeDirectory), error);
}

void OfficeProcess::EndEvery() {
  everyOfficeEnding = true;
  std::lock_guard live(liveMutex);
  for (OfficeProcess* office : liveOffices) office->Kill();
}

void OfficeProcess::NoteSocketFiles() {
  std::lock_guard lock(mutex_);
  // A sandboxed office's sockets lie in its own directory, which goes with it.
  if (pid_ <= 0 || confined_) return;
  std::set<std::string> inodes;
  std::error_code error;
  const std::string descriptors = "/proc/" + std::to_string(pid_) + "/fd";
  for (const auto& entry : std::filesystem::directory_iterator(descriptors, error)) {
    const std::string target = std::filesystem::read_symlink(entry.path(), error).string();
    if (target.rfind("socket:[", 0) == 0) inodes.insert(target.substr(8, target.size() - 9));
  }
  // Columns: Num RefCount Protocol Flags Type St Inode Path
  std::ifstream table("/proc/net/unix");
  std::string line;
  while (std::getline(table, line)) {
    std::istringstream fields(line);
    std::string skip, inode, path;
    for (int column = 0; column < 6; ++column) fields >> skip;
    fields >> inode >> path;
    if (path.rfind("/tmp/OSL_PIPE_", 0) == 0 && inodes.count(inode) != 0) {
      socketFiles_.push_back(path);
    }
  }
}

}  // namespace pressmoor::office::libreoffice
