// Reading documents ahead. The expected documents are prepared in every
// office of the application at once while the caller works on the current
// one, in the order AheadPlan gives, so a batch keeps every core busy. What
// the caller sees does not change: a document prepared ahead is handed over
// only when that same, unchanged file is opened, and a failure to load it is
// thrown by that Open, as if the load had happened then. A document printed
// ahead is closed at once; only its PDF waits, and the document is loaded
// again should the caller print it another way. While the caller waits for
// a document still being prepared, its idle work runs (CallerWait.h).
#pragma once

#include <com/sun/star/lang/XComponent.hpp>

#include <atomic>
#include <cstddef>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AheadPlan.h"
#include "OfficeSession.h"
#include "PrintingAhead.h"

namespace pressmoor::office::libreoffice {

class OfficeWorkers;

// A document and the office that holds it, with what was done to it ahead.
// A document printed ahead has no component: it was closed.
struct LoadedDocument {
  std::shared_ptr<OfficeSession> session;
  css::uno::Reference<css::lang::XComponent> component;
  bool layoutHeld = false;
  // Page styles in use as the file has them, once read.
  std::optional<std::vector<PageFrame>> frames;
  // Its tables of a width of their own, read with `frames`.
  std::vector<BodyTable> tables;
  // The page styles the office holds now, once they differ from `frames`.
  std::optional<std::vector<PageFrame>> officeFrames;
  std::unique_ptr<AheadPrint> printed;
  // Counts against the office it was prepared in while it is open there.
  std::shared_ptr<void> heldOpen;
};

class ReadAhead {
 public:
  // Loads one file in a session, and when `ahead` may prepare it further;
  // throws AutomationError when the file cannot be opened. The session field
  // is filled in by the caller.
  using Loader = std::function<LoadedDocument(OfficeSession&, const std::string&, bool ahead)>;
  // Asked, under the workers' lock, for other work when an office has none
  // of this application's; returns a job that never throws, or an empty one.
  // `heldUp`: one document holds the application up, as the caller has
  // waited a while for it or it is expected to take long.
  using IdleWork = std::function<std::function<void()>(bool heldUp)>;

  // `first` is the application's own office. With more than one document
  // expected, up to `offices` - 1 more are connected in the background:
  // `spareOffices` first, then new ones; without them all work in the first.
  // An office left without work asks `idle` for some.
  ReadAhead(std::shared_ptr<OfficeSession> first, std::vector<std::string> expected, Loader load,
            AheadPlan::PrintsAhead printsAhead, std::size_t offices,
            std::vector<std::unique_ptr<OfficeProcess>> spareOffices = {}, IdleWork idle = {});
  // Stops work in progress; each office ends with its last holder.
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // Opens `path`, taking what was prepared ahead when it is that file.
  LoadedDocument Open(const std::string& path);

  // Loads `path` again, now, in the application's own office: for a
  // document whose PDF was printed ahead but is wanted another way.
  LoadedDocument Reload(const std::string& path);

  // Lets idle offices look again for work: a document may now be printed
  // ahead that could not be before.
  void Wake();

  // Closes `document` in its office once that office is done with the work
  // in hand; throws when the office is already known to be gone.
  void CloseLater(LoadedDocument document);

  // Ends every office now, stopping any work in progress.
  void End();

  // Lets the work in hand finish, closes what nobody took, and hands over
  // the offices still running, for the next application; ends the sessions.
  std::vector<std::unique_ptr<OfficeProcess>> Release();

 private:
  struct Pending;
  using OfficeFuture = std::shared_future<std::shared_ptr<OfficeSession>>;

  std::vector<std::shared_ptr<OfficeSession>> ReadyOthers() const;
  int SlotOf(const std::shared_ptr<OfficeSession>& session) const;
  void Prepare(std::size_t index, int slot);
  LoadedDocument Take(std::size_t index, const std::string& path);
  std::shared_ptr<void> HoldOpen(int slot);
  LoadedDocument LoadNow(const std::string& path);
  void Discard(const std::vector<std::size_t>& indices);
  void Stop();
  void Finish();

  std::shared_ptr<OfficeSession> first_;
  std::vector<OfficeFuture> others_;  // slot 1 onwards
  std::vector<std::string> expected_;
  std::size_t nextToOpen_ = 0;
  Loader load_;
  AheadPlan::PrintsAhead printsAhead_;
  std::vector<std::unique_ptr<Pending>> pending_;  // one per expected document
  AheadPlan plan_;  // under the workers' lock
  std::unique_ptr<OfficeWorkers> workers_;
  bool callerStalled_ = false;  // under the workers' lock
  // Per office: documents prepared there and still open, which the caller
  // prints there; such an office works only on the caller's next.
  std::shared_ptr<std::vector<std::atomic<int>>> heldOpen_;
  bool stopped_ = false;
};

}  // namespace pressmoor::office::libreoffice
