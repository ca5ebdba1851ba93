#include "ReadAhead.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <utility>

#include "CallerWait.h"
#include "CostHistory.h"
#include "DocumentLoading.h"
#include "FileIdentity.h"
#include "OfficeWorkers.h"

namespace pressmoor::office::libreoffice {
namespace {

std::vector<AheadPlan::Document> WithCosts(const std::vector<std::string>& paths) {
  std::vector<AheadPlan::Document> documents;
  for (const std::string& path : paths) {
    struct stat status {};
    const bool found = stat(path.c_str(), &status) == 0;
    const double bytes = found ? static_cast<double>(status.st_size) : 0;
    documents.push_back({path, CostHistory::OfThisUser().Estimate(path, bytes)});
  }
  return documents;
}

// A caller kept waiting this long is worth an office's start for other work.
constexpr std::chrono::milliseconds kCallerStall{250};

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

template <typename Future>
bool Ready(const Future& future) {
  return future.valid() && future.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

void CloseQuietly(const LoadedDocument& document) {
  if (!document.component.is()) return;
  try {
    document.session->Run(errors::kCannotOpenFile, "A document could not be closed",
                          [&]() { CloseDocument(document.component); });
  } catch (const AutomationError&) {
    // Nobody waits for this close; a lost office shows at its next use.
  }
}

}  // namespace

// One expected document; its fields are written by the office preparing it
// and read once the future is ready. `cancelled` is under the workers' lock.
struct ReadAhead::Pending {
  std::optional<FileIdentity> identity;  // of the file as the office read it
  bool cancelled = false;
  std::promise<LoadedDocument> promise;
  std::future<LoadedDocument> loaded = promise.get_future();
};

ReadAhead::ReadAhead(std::shared_ptr<OfficeSession> first, std::vector<std::string> expected,
                     Loader load, AheadPlan::PrintsAhead printsAhead, std::size_t offices,
                     std::vector<std::unique_ptr<OfficeProcess>> spareOffices, IdleWork idle)
    : first_(std::move(first)),
      expected_(std::move(expected)),
      load_(std::move(load)),
      printsAhead_(std::move(printsAhead)),
      plan_(WithCosts(expected_), offices) {
  if (expected_.size() < 2) return;
  const std::size_t count = std::max<std::size_t>(1, std::min(offices, expected_.size()));
  for (std::size_t slot = 1; slot < count; ++slot) {
    std::unique_ptr<OfficeProcess> spare;
    if (slot <= spareOffices.size()) spare = std::move(spareOffices[slot - 1]);
    others_.push_back(std::async(std::launch::async, [source = first_->Source(), reach = first_->Reach(),
                                                      office = std::move(spare)]() mutable {
                        try {
                          return ConnectOrStart(source, std::move(office), reach);
                        } catch (const AutomationError&) {
                          return std::shared_ptr<OfficeSession>();  // reading ahead is only a head start
                        }
                      }).share());
  }
  for (std::size_t index = 0; index < expected_.size(); ++index) {
    pending_.push_back(std::make_unique<Pending>());
  }
  heldOpen_ = std::make_shared<std::vector<std::atomic<int>>>(count);
  // A document claimed by an office still starting would wait for it while
  // another office could have done it. No job runs before workers_ is set:
  // a document printed earlier is ready at once.
  std::promise<void> constructed;
  std::shared_future<void> ready = constructed.get_future().share();
  workers_ = std::make_unique<OfficeWorkers>(
      static_cast<int>(count),
      [this, ready](int slot) {
        ready.wait();
        if (slot > 0) others_[static_cast<std::size_t>(slot - 1)].wait();
      },
      [this, idle = std::move(idle), count](int slot) -> OfficeWorkers::Job {
        // A lone office is the caller's either way; only another could
        // take on what it leaves.
        const bool mayWorkAhead = count == 1 || (*heldOpen_)[static_cast<std::size_t>(slot)] == 0;
        const std::optional<std::size_t> index = plan_.Claim(printsAhead_, mayWorkAhead);
        if (!index && !idle) return {};
        if (!index) return idle(callerStalled_ || plan_.PreparingALongOne());
        return [this, index = *index, slot] { Prepare(index, slot); };
      });
  constructed.set_value();
}

ReadAhead::~ReadAhead() { Stop(); }

void ReadAhead::Prepare(std::size_t index, int slot) {
  Pending& pending = *pending_[index];
  const std::string& path = expected_[index];
  std::shared_ptr<OfficeSession> office = slot == 0 ? first_ : others_[static_cast<std::size_t>(slot - 1)].get();
  if (!office) office = first_;  // that office did not start: this thread shares the first
  LoadedDocument document;
  std::exception_ptr failure;
  const auto start = std::chrono::steady_clock::now();
  try {
    pending.identity = IdentityOf(path);
    document = load_(*office, path, true);
    document.session = office;
    if (document.component.is()) document.heldOpen = HoldOpen(slot);
  } catch (...) {
    failure = std::current_exception();
  }
  // Only a print ahead is the whole of a document's work in one place.
  if (!failure && document.printed && !document.component.is()) {
    const double seconds = document.printed->officeSeconds;
    CostHistory::OfThisUser().Record(path, seconds > 0 ? seconds : SecondsSince(start));
  }
  bool kept = false;
  workers_->Update([&] {
    kept = !pending.cancelled;
    if (!kept) return;
    plan_.Prepared(index, document.component.is());
    if (failure) {
      pending.promise.set_exception(failure);
    } else {
      pending.promise.set_value(std::move(document));
    }
  });
  if (!kept) CloseQuietly(document);
}

LoadedDocument ReadAhead::Open(const std::string& path) {
  // Files are mostly opened in the order expected: look there first.
  auto at = std::find(expected_.begin() + static_cast<std::ptrdiff_t>(nextToOpen_),
                      expected_.end(), path);
  if (at == expected_.end()) at = std::find(expected_.begin(), expected_.end(), path);
  if (at == expected_.end() || !workers_ || stopped_) return LoadNow(path);
  const auto index = static_cast<std::size_t>(at - expected_.begin());
  nextToOpen_ = std::max(nextToOpen_, index + 1);

  std::vector<std::size_t> skipped;
  bool leftToCaller = false;
  workers_->Update([&] {
    skipped = plan_.Reach(index);
    leftToCaller = plan_.ClaimForCaller(index);
    plan_.Handed(index);
    plan_.Reach(index + 1);
  });
  Discard(skipped);
  return leftToCaller ? LoadNow(path) : Take(index, path);
}

LoadedDocument ReadAhead::Take(std::size_t index, const std::string& path) {
  Pending& pending = *pending_[index];
  // A caller kept waiting tells the offices with nothing left to do, which
  // may then turn to other work.
  if (AwaitForCaller(pending.loaded, kCallerStall, [this] { workers_->Update([this] { callerStalled_ = true; }); })) {
    workers_->Update([this] { callerStalled_ = false; });
  }
  if (pending.identity && pending.identity == IdentityOf(path)) {
    return pending.loaded.get();  // its failure is this Open's
  }
  Discard({index});
  return LoadNow(path);
}

// Counts `slot`'s documents open until the last holder lets go.
std::shared_ptr<void> ReadAhead::HoldOpen(int slot) {
  auto held = heldOpen_;
  const auto at = static_cast<std::size_t>(slot);
  ++(*held)[at];
  return std::shared_ptr<void>(nullptr, [held, at](void*) { --(*held)[at]; });
}

LoadedDocument ReadAhead::LoadNow(const std::string& path) {
  LoadedDocument document = load_(*first_, path, false);
  document.session = first_;
  return document;
}

LoadedDocument ReadAhead::Reload(const std::string& path) { return LoadNow(path); }

void ReadAhead::Wake() {
  if (workers_ && !stopped_) workers_->Update([] {});
}

void ReadAhead::CloseLater(LoadedDocument document) {
  if (!document.session) return;
  document.session->CheckUsable();
  if (!document.component.is()) return;
  if (stopped_ || !workers_) {
    CloseQuietly(document);
    return;
  }
  auto closing = std::make_shared<LoadedDocument>(std::move(document));
  workers_->PostTo(SlotOf(closing->session), [closing]() { CloseQuietly(*closing); });
}

// Documents nobody will take: closed in their offices, or, still being
// prepared, by the office that finishes them.
void ReadAhead::Discard(const std::vector<std::size_t>& indices) {
  std::vector<std::shared_ptr<LoadedDocument>> closing;
  workers_->Update([&] {
    for (std::size_t index : indices) {
      Pending& pending = *pending_[index];
      if (std::exchange(pending.cancelled, true) || !Ready(pending.loaded)) continue;
      try {
        closing.push_back(std::make_shared<LoadedDocument>(pending.loaded.get()));
      } catch (...) {
        // It never opened.
      }
    }
  });
  for (const auto& document : closing) {
    if (!document->component.is()) continue;
    workers_->PostTo(SlotOf(document->session), [document]() { CloseQuietly(*document); });
  }
}

void ReadAhead::End() {
  Stop();
  first_->End();
  for (const auto& other : ReadyOthers()) other->End();
}

std::vector<std::shared_ptr<OfficeSession>> ReadAhead::ReadyOthers() const {
  std::vector<std::shared_ptr<OfficeSession>> ready;
  for (const OfficeFuture& other : others_) {
    if (Ready(other) && other.get()) ready.push_back(other.get());
  }
  return ready;
}

int ReadAhead::SlotOf(const std::shared_ptr<OfficeSession>& session) const {
  for (std::size_t slot = 0; slot < others_.size(); ++slot) {
    if (Ready(others_[slot]) && others_[slot].get() == session) return static_cast<int>(slot + 1);
  }
  return 0;
}

std::vector<std::unique_ptr<OfficeProcess>> ReadAhead::Release() {
  Finish();
  std::vector<std::unique_ptr<OfficeProcess>> offices;
  if (std::unique_ptr<OfficeProcess> office = first_->Release()) offices.push_back(std::move(office));
  for (const OfficeFuture& other : others_) {
    if (!other.get()) continue;
    if (std::unique_ptr<OfficeProcess> office = other.get()->Release()) offices.push_back(std::move(office));
  }
  return offices;
}

void ReadAhead::Stop() {
  if (stopped_ || !workers_) return;
  first_->Abandon();
  for (const OfficeFuture& other : others_) {
    if (std::shared_ptr<OfficeSession> office = other.get()) office->Abandon();
  }
  Finish();  // every job left fails at once
}

void ReadAhead::Finish() {
  if (stopped_) return;
  stopped_ = true;
  if (!workers_) return;
  std::vector<std::size_t> all(pending_.size());
  for (std::size_t index = 0; index < all.size(); ++index) all[index] = index;
  Discard(all);
  workers_->Join();  // after the closes just posted; the jobs still use the workers
  workers_.reset();
  pending_.clear();
  CostHistory::OfThisUser().Save();
}

}  // namespace pressmoor::office::libreoffice
