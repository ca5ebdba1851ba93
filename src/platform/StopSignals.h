// SIGTERM, SIGINT and SIGHUP ask the program to stop its run instead of
// ending it on the spot, so the run can end its offices, take its scratch
// files away and say how far it got. The handlers only note the signal;
// the run looks at StopSignal() where it can stop, and a thread of this
// unit runs the stop hook at once, for whatever waits on other processes.
#pragma once

#include <functional>
#include <string>

namespace pressmoor::platform {

// Installs the handlers. `onStop` runs once, on a thread of its own, as soon
// as the first of the signals arrives; later ones change nothing.
void InstallStopSignals(std::function<void()> onStop);

// The signal that asked to stop, 0 while none has.
int StopSignal();

// "SIGTERM", "SIGINT", "SIGHUP"; "signal N" for any other.
std::string SignalName(int signal);

// Ends the process as `signal` does by default, so whoever waits for it
// sees it killed by that signal.
[[noreturn]] void EndBySignal(int signal);

}  // namespace pressmoor::platform
