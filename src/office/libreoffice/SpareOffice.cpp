#include "SpareOffice.h"

#include <utility>

namespace pressmoor::office::libreoffice {
namespace {

// An office serves an application that reads what it may read, or nothing.
bool Serves(const OfficeReach& office, const OfficeReach& wanted) {
  return office == wanted || (wanted.Folders().empty() && !wanted.IsUnconfined());
}

}  // namespace

void SpareOffice::Put(std::unique_ptr<OfficeProcess> process) {
  std::vector<std::unique_ptr<OfficeProcess>> ending;  // ended outside the lock
  std::lock_guard lock(mutex_);
  if (!process) {
    ending = std::move(processes_);
    processes_.clear();
    return;
  }
  processes_.push_back(std::move(process));
  if (processes_.size() > mostKept_) {
    ending.push_back(std::move(processes_.front()));
    processes_.erase(processes_.begin());
  }
}

std::unique_ptr<OfficeProcess> SpareOffice::Take(const OfficeReach& reach) {
  for (;;) {
    std::unique_ptr<OfficeProcess> process;
    {
      std::lock_guard lock(mutex_);
      if (processes_.empty()) return nullptr;
      process = std::move(processes_.back());
      processes_.pop_back();
    }
    if (Serves(process->Reach(), reach) && process->Running()) return process;
  }
}

std::vector<std::unique_ptr<OfficeProcess>> SpareOffice::TakeUpTo(std::size_t most,
                                                                  const OfficeReach& reach) {
  std::vector<std::unique_ptr<OfficeProcess>> taken;
  while (taken.size() < most) {
    std::unique_ptr<OfficeProcess> office = Take(reach);
    if (!office) break;
    taken.push_back(std::move(office));
  }
  return taken;
}

void SpareOffice::Clear() { Put(nullptr); }

std::vector<std::unique_ptr<OfficeProcess>> StartedUpTo(std::vector<std::unique_ptr<OfficeProcess>> running,
                                                        std::size_t wanted, const OfficeReach& reach) {
  while (running.size() < wanted) {
    try {
      running.push_back(std::make_unique<OfficeProcess>(reach));
    } catch (const std::exception&) {
      break;
    }
  }
  return running;
}

}  // namespace pressmoor::office::libreoffice
