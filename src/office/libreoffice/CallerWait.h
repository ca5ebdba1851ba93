// What the caller's thread does while it waits on an office: the idle work
// it handed to ObjectFactory::WhileWaiting, so that a window keeps running
// its events. One hook for the whole process, as OfficeProcess::EndEvery is
// one stop for it. The work runs only on the thread that set it, never on
// the offices' own threads, and at least every kCallerSlice of a wait.
#pragma once

#include <chrono>
#include <functional>
#include <future>

namespace pressmoor::office::libreoffice {

inline constexpr std::chrono::milliseconds kCallerSlice{50};

// Replaces the idle work and binds it to the calling thread; null removes it.
void SetCallerIdle(std::function<void()> idle);

// Runs the idle work when called on its thread; nothing otherwise.
void RunCallerIdle();

// Sleeps `pause` (at most a slice), running the idle work first.
void PauseForCaller(std::chrono::milliseconds pause);

// Waits until `future` is ready, running the idle work every slice, and
// `longWait` once should the wait pass `after`; true when it ran.
template <typename Future>
bool AwaitForCaller(const Future& future, std::chrono::milliseconds after = std::chrono::milliseconds::max(),
                    const std::function<void()>& longWait = {}) {
  const auto start = std::chrono::steady_clock::now();
  bool ran = false;
  while (future.wait_for(kCallerSlice) != std::future_status::ready) {
    RunCallerIdle();
    if (ran || !longWait || std::chrono::steady_clock::now() - start < after) continue;
    longWait();
    ran = true;
  }
  return ran;
}

}  // namespace pressmoor::office::libreoffice
