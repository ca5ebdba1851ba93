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

// Waits until `future` is ready, running the idle work every slice.
template <typename Future>
void AwaitForCaller(const Future& future) {
  while (future.wait_for(kCallerSlice) != std::future_status::ready) RunCallerIdle();
}

}  // namespace pressmoor::office::libreoffice
