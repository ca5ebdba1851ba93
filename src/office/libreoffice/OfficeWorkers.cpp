#include "OfficeWorkers.h"

#include <utility>

namespace pressmoor::office::libreoffice {

OfficeWorkers::OfficeWorkers(int offices, std::function<void(int slot)> awaitOffice, NextJob nextShared)
    : own_(static_cast<std::size_t>(offices)), nextShared_(std::move(nextShared)) {
  for (int slot = 0; slot < offices; ++slot) {
    threads_.emplace_back([this, slot, awaitOffice] {
      awaitOffice(slot);
      Work(slot);
    });
  }
}

OfficeWorkers::~OfficeWorkers() { Join(); }

void OfficeWorkers::Join() {
  Update([this] { stopping_ = true; });
  for (std::thread& thread : threads_) {
    if (thread.joinable()) thread.join();
  }
}

void OfficeWorkers::PostTo(int slot, Job job) {
  Update([&] { own_[static_cast<std::size_t>(slot)].push_back(std::move(job)); });
}

void OfficeWorkers::Update(const std::function<void()>& change) {
  {
    std::lock_guard lock(mutex_);
    change();
  }
  wake_.notify_all();
}

void OfficeWorkers::Work(int slot) {
  auto& own = own_[static_cast<std::size_t>(slot)];
  for (;;) {
    Job job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [&] {
        if (!own.empty() || stopping_) return true;
        job = nextShared_(slot);
        return static_cast<bool>(job);
      });
      if (!job && !own.empty()) {
        job = std::move(own.front());
        own.pop_front();
      }
    }
    if (!job) return;  // stopping, with nothing of its own left
    job();
  }
}

}  // namespace pressmoor::office::libreoffice
