// Reading documents ahead. While one document prints in one office, the next
// expected document loads in a second, so a batch keeps two cores busy. What
// the caller sees does not change: a document read ahead is handed over only
// when that same, unchanged file is opened, and a failure to load it is
// thrown by that Open, as if the load had happened then.
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

namespace pressmoor::office::libreoffice {

// A document and the office that holds it.
struct LoadedDocument {
  std::shared_ptr<OfficeSession> session;
  css::uno::Reference<css::lang::XComponent> component;
};

class ReadAhead {
 public:
  // Loads one file in a session; throws AutomationError.
  using Loader = std::function<css::uno::Reference<css::lang::XComponent>(OfficeSession&,
                                                                          const std::string&)>;

  // `first` is the application's own office. With more than one document
  // expected, a second office starts now in the background; when it cannot
  // start, every document loads in the first.
  ReadAhead(std::shared_ptr<OfficeSession> first, std::vector<std::string> expected, Loader load);
  // Stops a read in progress; each office ends with its last holder.
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // Opens `path`, taking what was read ahead when it is that file, then
  // starts reading the document expected after it in the other office.
  LoadedDocument Open(const std::string& path);

  // Ends both offices now, stopping any read in progress.
  void End();

 private:
  struct Pending;

  LoadedDocument TakeOrLoad(const std::string& path);
  void ReadNextAfter(const std::string& path);
  std::shared_ptr<OfficeSession> ReadySecond() const;
  void Discard(Pending& pending);
  void Abandon();

  std::shared_ptr<OfficeSession> first_;
  std::shared_future<std::shared_ptr<OfficeSession>> second_;
  std::vector<std::string> expected_;
  std::size_t nextExpected_ = 0;
  Loader load_;
  bool lastInFirst_ = true;
  std::unique_ptr<Pending> pending_;
};

}  // namespace pressmoor::office::libreoffice
