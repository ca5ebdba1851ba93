#include "ReadAhead.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <tuple>
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

}  // namespace

struct ReadAhead::Pending {
  std::string path;
  std::optional<FileIdentity> identity;
  // An empty document when the office meant for it never started.
  std::future<LoadedDocument> loaded;
};

ReadAhead::ReadAhead(std::shared_ptr<OfficeSession> first, std::vector<std::string> expected,
                     Loader load)
    : first_(std::move(first)), expected_(std::move(expected)), load_(std::move(load)) {
  if (expected_.size() < 2) return;
  second_ = std::async(std::launch::async, [source = first_->Source()]() {
              try {
                return std::make_shared<OfficeSession>(source);
              } catch (const AutomationError&) {
                return std::shared_ptr<OfficeSession>();  // reading ahead is only a head start
              }
            }).share();
}

ReadAhead::~ReadAhead() { Abandon(); }

LoadedDocument ReadAhead::Open(const std::string& path) {
  LoadedDocument document = TakeOrLoad(path);
  lastInFirst_ = document.session == first_;
  ReadNextAfter(path);
  return document;
}

LoadedDocument ReadAhead::TakeOrLoad(const std::string& path) {
  if (pending_) {
    std::unique_ptr<Pending> pending = std::move(pending_);
    if (pending->path == path && pending->identity && pending->identity == IdentityOf(path)) {
      LoadedDocument document = pending->loaded.get();  // its failure is this Open's
      if (document.session) return document;
    } else {
      Discard(*pending);
    }
  }
  // Alternating keeps the office that printed last free for the next read.
  std::shared_ptr<OfficeSession> second = ReadySecond();
  std::shared_ptr<OfficeSession> session = (second && lastInFirst_) ? second : first_;
  return {session, load_(*session, path)};
}

void ReadAhead::ReadNextAfter(const std::string& path) {
  if (!second_.valid()) return;
  if (Ready(second_) && !second_.get()) return;  // no second office: nothing to overlap with
  auto at = std::find(expected_.begin() + static_cast<std::ptrdiff_t>(nextExpected_),
                      expected_.end(), path);
  if (at == expected_.end() || at + 1 == expected_.end()) return;
  nextExpected_ = static_cast<std::size_t>(at - expected_.begin()) + 1;
  const std::string& next = expected_[nextExpected_];

  auto pending = std::make_unique<Pending>();
  pending->path = next;
  pending->identity = IdentityOf(next);
  std::shared_ptr<OfficeSession> first = lastInFirst_ ? nullptr : first_;
  pending->loaded = std::async(std::launch::async, [first, second = second_, load = load_, next]() {
    std::shared_ptr<OfficeSession> session = first ? first : second.get();
    if (!session) return LoadedDocument{};
    return LoadedDocument{session, load(*session, next)};
  });
  pending_ = std::move(pending);
}

std::shared_ptr<OfficeSession> ReadAhead::ReadySecond() const {
  return Ready(second_) ? second_.get() : nullptr;
}

void ReadAhead::Discard(Pending& pending) {
  try {
    LoadedDocument document = pending.loaded.get();
    if (document.session) {
      document.session->Run(errors::kCannotOpenFile, "A document read ahead could not be closed",
                            [&]() { CloseDocument(document.component); });
    }
  } catch (const AutomationError&) {
    // Nobody asked for this file; a lost office shows at its next use.
  }
}

void ReadAhead::Abandon() {
  if (!pending_) return;
  first_->Abandon();
  if (second_.valid() && second_.get()) second_.get()->Abandon();
  try {
    pending_->loaded.get();
  } catch (const AutomationError&) {
    // The read was stopped on purpose.
  }
  pending_.reset();
}

void ReadAhead::End() {
  Abandon();
  first_->End();
  if (second_.valid() && second_.get()) second_.get()->End();
}

}  // namespace pressmoor::office::libreoffice
