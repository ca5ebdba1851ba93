#include "CallerWait.h"

#include <algorithm>
#include <mutex>
#include <thread>
#include <utility>

namespace pressmoor::office::libreoffice {

namespace {
std::mutex idleMutex;
std::function<void()> idleWork;
std::thread::id idleThread;
}  // namespace

void SetCallerIdle(std::function<void()> idle) {
  std::lock_guard lock(idleMutex);
  idleWork = std::move(idle);
  idleThread = std::this_thread::get_id();
}

void RunCallerIdle() {
  std::function<void()> work;
  {
    std::lock_guard lock(idleMutex);
    if (idleThread != std::this_thread::get_id()) return;
    work = idleWork;
  }
  // Outside the lock: the work may take its time and may set a new hook.
  if (work) work();
}

void PauseForCaller(std::chrono::milliseconds pause) {
  RunCallerIdle();
  std::this_thread::sleep_for(std::min(pause, kCallerSlice));
}

}  // namespace pressmoor::office::libreoffice
