#include "ReadAhead.h"

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include "DocumentLoading.h"

namespace pressmoor::office::libreoffice {
namespace {

// Enough to tell that a file was replaced or written since it was read.
struct FileIdentity {
  dev_t device;
  ino_t inode;
  off_t size;
  decltype(timespec::tv_sec) seconds;
  decltype(timespec::tv_nsec) nanoseconds;
  bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return std::nullopt;
  return FileIdentity{status.st_dev, status.st_ino, status.st_size, status.st_mtim.tv_sec,
                      status.st_mtim.tv_nsec};
}

bool Ready(const std::shared_future<std::shared_ptr<OfficeSession>>& future) {
  return future.valid() &&
         future.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

void CloseQuietly(const LoadedDocument& document) {
  try {
    document.session->Run(errors::kCannotOpenFile, "A document could not be closed",
                          [&]() { CloseDocument(document.component); });
  } catch (const AutomationError&) {
    // Nobody waits for this close; a lost office shows at its next use.
  }
}

}  // namespace

// One thread per office. A thread first waits until its office can work,
// then runs the jobs posted to its own office first, then takes the next job
// any office may do. Every job posted runs, even while the workers are being
// destroyed.
class OfficeWorkers {
 public:
  OfficeWorkers(int offices, std::function<void(int slot)> awaitOffice)
      : own_(static_cast<std::size_t>(offices)) {
    for (int slot = 0; slot < offices; ++slot) {
      threads_.emplace_back([this, slot, awaitOffice] {
        awaitOffice(slot);
        Work(slot);
      });
    }
  }
  ~OfficeWorkers() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& thread : threads_) thread.join();
  }
  OfficeWorkers(const OfficeWorkers&) = delete;
  OfficeWorkers& operator=(const OfficeWorkers&) = delete;

  // Jobs must not throw.
  void PostTo(int slot, std::function<void()> job) {
    {
      std::lock_guard lock(mutex_);
      own_[static_cast<std::size_t>(slot)].push_back(std::move(job));
    }
    wake_.notify_all();
  }
  void PostToAny(std::function<void(int slot)> job) {
    {
      std::lock_guard lock(mutex_);
      shared_.push_back(std::move(job));
    }
    wake_.notify_one();
  }

 private:
  void Work(int slot) {
    auto& own = own_[static_cast<std::size_t>(slot)];
    for (;;) {
      std::function<void()> ownJob;
      std::function<void(int)> sharedJob;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [&] { return stopping_ || !own.empty() || !shared_.empty(); });
        if (!own.empty()) {
          ownJob = std::move(own.front());
          own.pop_front();
        } else if (!shared_.empty()) {
          sharedJob = std::move(shared_.front());
          shared_.pop_front();
        } else {
          return;
        }
      }
      if (ownJob) ownJob();
      if (sharedJob) sharedJob(slot);
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<std::deque<std::function<void()>>> own_;
  std::deque<std::function<void(int)>> shared_;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

struct ReadAhead::Pending {
  std::string path;
  std::size_t index = 0;  // in the expected list
  std::optional<FileIdentity> identity;
  // Set when nobody will take it: the work is skipped or undone.
  std::shared_ptr<std::atomic<bool>> cancelled = std::make_shared<std::atomic<bool>>(false);
  std::future<LoadedDocument> loaded;
};

ReadAhead::ReadAhead(std::shared_ptr<OfficeSession> first, std::vector<std::string> expected,
                     Loader load, std::unique_ptr<OfficeProcess> secondOffice)
    : first_(std::move(first)), expected_(std::move(expected)), load_(std::move(load)) {
  if (expected_.size() < 2) return;
  second_ = std::async(std::launch::async, [source = first_->Source(), reach = first_->Reach(),
                                            office = std::move(secondOffice)]() mutable {
              try {
                return ConnectOrStart(source, std::move(office), reach);
              } catch (const AutomationError&) {
                return std::shared_ptr<OfficeSession>();  // reading ahead is only a head start
              }
            }).share();
  // A job taken by an office still starting would wait for it while the
  // other office could have done it.
  workers_ = std::make_unique<OfficeWorkers>(2, [second = second_](int slot) {
    if (slot == 1) second.wait();
  });
}

ReadAhead::~ReadAhead() { Stop(); }

LoadedDocument ReadAhead::Open(const std::string& path) {
  // Files are mostly opened in the order expected: look there first.
  auto at = std::find(expected_.begin() + static_cast<std::ptrdiff_t>(nextToOpen_),
                      expected_.end(), path);
  if (at == expected_.end()) at = std::find(expected_.begin(), expected_.end(), path);
  const bool expected = at != expected_.end();
  const auto index = static_cast<std::size_t>(at - expected_.begin());
  if (expected) DropSkipped(index);

  LoadedDocument document;
  auto pending = std::find_if(pending_.begin(), pending_.end(),
                              [&](const auto& each) { return each->path == path; });
  if (pending != pending_.end()) {
    std::unique_ptr<Pending> taken = std::move(*pending);
    pending_.erase(pending);
    document = Take(*taken, path);
  }
  if (!document.session) document = LoadNow(path);
  if (expected) {
    nextToOpen_ = index + 1;
    nextToRead_ = std::max(nextToRead_, index + 1);
  }
  KeepOfficesBusy();
  return document;
}

LoadedDocument ReadAhead::Take(Pending& pending, const std::string& path) {
  if (pending.identity && pending.identity == IdentityOf(path)) {
    return pending.loaded.get();  // its failure is this Open's
  }
  Discard(pending);
  return {};
}

LoadedDocument ReadAhead::LoadNow(const std::string& path) {
  LoadedDocument document = load_(*first_, path, false);
  document.session = first_;
  return document;
}

void ReadAhead::CloseLater(LoadedDocument document) {
  if (!document.session) return;
  document.session->CheckUsable();
  if (stopped_ || !workers_) {
    CloseQuietly(document);
    return;
  }
  auto closing = std::make_shared<LoadedDocument>(std::move(document));
  workers_->PostTo(SlotOf(closing->session), [closing]() { CloseQuietly(*closing); });
}

void ReadAhead::End() {
  Stop();
  first_->End();
  if (std::shared_ptr<OfficeSession> second = ReadySecond()) second->End();
}

std::shared_ptr<OfficeSession> ReadAhead::ReadySecond() const {
  return Ready(second_) ? second_.get() : nullptr;
}

int ReadAhead::SlotOf(const std::shared_ptr<OfficeSession>& session) const {
  return session == first_ ? 0 : 1;
}

void ReadAhead::DropSkipped(std::size_t index) {
  for (auto each = pending_.begin(); each != pending_.end();) {
    if ((*each)->index < index) {
      Discard(**each);
      each = pending_.erase(each);
    } else {
      ++each;
    }
  }
}

void ReadAhead::Discard(Pending& pending) { *pending.cancelled = true; }

// A few documents in hand, so that neither office waits while the other
// works through a long one.
void ReadAhead::KeepOfficesBusy() {
  if (stopped_ || !workers_) return;
  while (pending_.size() < kDocumentsInHand && nextToRead_ < expected_.size()) {
    auto pending = std::make_unique<Pending>();
    pending->index = nextToRead_++;
    pending->path = expected_[pending->index];
    pending->identity = IdentityOf(pending->path);
    auto task = std::make_shared<std::packaged_task<LoadedDocument(int)>>(
        [first = first_, second = second_, load = load_, path = pending->path,
         cancelled = pending->cancelled](int slot) {
          if (*cancelled) return LoadedDocument{};
          std::shared_ptr<OfficeSession> office = slot == 0 ? first : second.get();
          if (!office) office = first;  // no second office: both threads share the first
          LoadedDocument document = load(*office, path, true);
          document.session = office;
          if (*cancelled) {
            CloseQuietly(document);
            return LoadedDocument{};
          }
          return document;
        });
    pending->loaded = task->get_future();
    workers_->PostToAny([task](int slot) { (*task)(slot); });
    pending_.push_back(std::move(pending));
  }
}

std::vector<std::unique_ptr<OfficeProcess>> ReadAhead::Release() {
  Finish();
  std::vector<std::unique_ptr<OfficeProcess>> offices;
  if (std::unique_ptr<OfficeProcess> office = first_->Release()) offices.push_back(std::move(office));
  if (second_.valid() && second_.get()) {
    if (std::unique_ptr<OfficeProcess> office = second_.get()->Release()) {
      offices.push_back(std::move(office));
    }
  }
  return offices;
}

void ReadAhead::Stop() {
  if (stopped_ || !second_.valid()) return;
  first_->Abandon();
  second_.wait();
  if (std::shared_ptr<OfficeSession> second = second_.get()) second->Abandon();
  Finish();  // every job left fails at once
}

void ReadAhead::Finish() {
  if (stopped_) return;
  stopped_ = true;
  for (const auto& pending : pending_) *pending->cancelled = true;
  workers_.reset();
  pending_.clear();
}

}  // namespace pressmoor::office::libreoffice
