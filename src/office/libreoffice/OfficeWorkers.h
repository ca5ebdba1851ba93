// One thread per office. A thread first waits until its office can work,
// then runs the jobs posted to its own office, then asks for the next job
// any office may do. Jobs posted to an office all run, even while the
// workers are being destroyed; shared jobs are no longer asked for then.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace pressmoor::office::libreoffice {

class OfficeWorkers {
 public:
  // Jobs must not throw.
  using Job = std::function<void()>;
  // Called under the workers' lock for an idle office (its slot); returns
  // an empty job when there is nothing to do.
  using NextJob = std::function<Job(int slot)>;

  OfficeWorkers(int offices, std::function<void(int slot)> awaitOffice, NextJob nextShared);
  ~OfficeWorkers();
  OfficeWorkers(const OfficeWorkers&) = delete;
  OfficeWorkers& operator=(const OfficeWorkers&) = delete;

  void PostTo(int slot, Job job);
  // Runs what is posted, then ends the threads; the destructor does it too.
  void Join();
  // Runs `change` under the workers' lock, then lets idle offices look for
  // work again.
  void Update(const std::function<void()>& change);

 private:
  void Work(int slot);

  std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<std::deque<Job>> own_;
  NextJob nextShared_;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

}  // namespace pressmoor::office::libreoffice
