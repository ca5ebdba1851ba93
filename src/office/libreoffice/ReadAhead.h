// Reading documents ahead. The next expected documents are prepared in two
// offices at once, one each, while the caller works on the current one, so a
// batch keeps both cores busy. What the caller sees does not change: a
// document prepared ahead is handed over only when that same, unchanged file
// is opened, and a failure to load it is thrown by that Open, as if the load
// had happened then.
#pragma once

#include <com/sun/star/lang/XComponent.hpp>

#include <cstddef>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "OfficeSession.h"
#include "PrintingAhead.h"

namespace pressmoor::office::libreoffice {

class OfficeWorkers;

// A document and the office that holds it, with what was done to it ahead.
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
};

class ReadAhead {
 public:
  // Loads one file in a session, and when `ahead` may prepare it further;
  // throws AutomationError when the file cannot be opened. The session field
  // is filled in by the caller.
  using Loader = std::function<LoadedDocument(OfficeSession&, const std::string&, bool ahead)>;

  // `first` is the application's own office. With more than one document
  // expected, a second one is connected in the background: `secondOffice`
  // when given, else a new one; without it both work in the first.
  ReadAhead(std::shared_ptr<OfficeSession> first, std::vector<std::string> expected, Loader load,
            std::unique_ptr<OfficeProcess> secondOffice = nullptr);
  // Stops work in progress; each office ends with its last holder.
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // Opens `path`, taking what was prepared ahead when it is that file, then
  // sets the offices to the documents expected after it.
  LoadedDocument Open(const std::string& path);

  // Closes `document` in its office once that office is done with the work
  // in hand; throws when the office is already known to be gone.
  void CloseLater(LoadedDocument document);

  // Ends both offices now, stopping any work in progress.
  void End();

  // Lets the work in hand finish, closes what nobody took, and hands over
  // the offices still running, for the next application; ends the sessions.
  std::vector<std::unique_ptr<OfficeProcess>> Release();

 private:
  struct Pending;
  static constexpr std::size_t kDocumentsInHand = 8;

  std::shared_ptr<OfficeSession> ReadySecond() const;
  int SlotOf(const std::shared_ptr<OfficeSession>& session) const;
  LoadedDocument Take(Pending& pending, const std::string& path);
  LoadedDocument LoadNow(const std::string& path);
  void DropSkipped(std::size_t index);
  void Discard(Pending& pending);
  void KeepOfficesBusy();
  void Stop();
  void Finish();

  std::shared_ptr<OfficeSession> first_;
  std::shared_future<std::shared_ptr<OfficeSession>> second_;
  std::vector<std::string> expected_;
  std::size_t nextToOpen_ = 0;
  std::size_t nextToRead_ = 0;
  Loader load_;
  std::vector<std::unique_ptr<Pending>> pending_;
  std::unique_ptr<OfficeWorkers> workers_;
  bool stopped_ = false;
};

}  // namespace pressmoor::office::libreoffice
