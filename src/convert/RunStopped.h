// A run that a stop signal ended. Thrown where a run can stop, between
// files and while it waits on the office; the batch catches it, reports how
// far the run got, and the program then ends by that signal.
#pragma once

namespace pressmoor::convert {

// Deliberately no std::exception: no handler for failures may take it.
class RunStopped {
 public:
  explicit RunStopped(int signal) : signal_(signal) {}
  int Signal() const { return signal_; }

 private:
  int signal_;
};

}  // namespace pressmoor::convert
