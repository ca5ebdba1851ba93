#include "platform/StopSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <thread>

namespace pressmoor::platform {

namespace {

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

std::atomic<int> stopSignal{0};
int wakePipe[2] = {-1, -1};

void NoteStop(int signal) {
  const int savedErrno = errno;
  int none = 0;
  if (stopSignal.compare_exchange_strong(none, signal)) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(wakePipe[1], &byte, 1);
  }
  errno = savedErrno;
}

void WaitForStop(const std::function<void()>& onStop) {
  char byte = 0;
  while (read(wakePipe[0], &byte, 1) < 0 && errno == EINTR) {
  }
  if (onStop) onStop();
}

}  // namespace

void InstallStopSignals(std::function<void()> onStop) {
  if (wakePipe[0] >= 0 || pipe2(wakePipe, O_CLOEXEC) != 0) return;
  std::thread(WaitForStop, std::move(onStop)).detach();
  struct sigaction action {};
  action.sa_handler = NoteStop;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (int signal : kStopSignals) {
    struct sigaction before {};
    sigaction(signal, nullptr, &before);
    // A run started under nohup keeps going when its terminal goes.
    if (signal == SIGHUP && before.sa_handler == SIG_IGN) continue;
    sigaction(signal, &action, nullptr);
  }
}

int StopSignal() { return stopSignal.load(); }

std::string SignalName(int signal) {
  switch (signal) {
    case SIGTERM: return "SIGTERM";
    case SIGINT: return "SIGINT";
    case SIGHUP: return "SIGHUP";
    default: return "signal " + std::to_string(signal);
  }
}

void EndBySignal(int signal) {
  std::signal(signal, SIG_DFL);
  sigset_t only;
  sigemptyset(&only);
  sigaddset(&only, signal);
  pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
  raise(signal);
  // Only when the signal is ignored from above; its number all the same.
  std::_Exit(128 + signal);
}

}  // namespace pressmoor::platform
