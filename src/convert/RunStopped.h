// A run that a stop signal or the user ended. Thrown where a run can stop,
// between files and while it waits on the office; the batch catches it and
// reports how far the run got. After a signal the program then ends by it.
#pragma once

namespace pressmoor::convert {

// Deliberately no std::exception: no handler for failures may take it.
class RunStopped {
 public:
  explicit RunStopped(int signal) : signal_(signal) {}
  int Signal() const { return signal_; }  // 0: the user stopped the run

 private:
  int signal_;
};

}  // namespace pressmoor::convert
