// The documents of the applications still to come in a run (presentations,
// word-processing documents), printed ahead while the applications before
// them (workbooks, slides) leave an office idle, so that a long workbook no
// longer holds the rest of the run back until it is done. They are printed
// in an office of their own, which may read just what the offices of the
// document's application will (it is started again for the next
// application when that reads otherwise), so that a document that crashes
// or hangs it costs only its head start: the workbooks' offices never hold
// another application's document. Each application takes its PDFs when it is
// created; the word processor, last in a run, takes the office too. A PDF
// printed here is the application's only for the same, unchanged file, and
// is then treated as one it printed ahead itself: put in place only when
// printed as asked. Thread-safe.
#pragma once

#include <condition_variable>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "FileIdentity.h"
#include "OfficeSandbox.h"
#include "OfficeSession.h"
#include "PrintAheadCall.h"
#include "ReadAhead.h"
#include "office/Automation.h"
#include "quillset/Preferences.h"

namespace pressmoor::office::libreoffice {

class LaterPrints : public std::enable_shared_from_this<LaterPrints> {
 public:
  // `documents` in the run's order; the word processor's page set-up calls
  // are replayed now, on a recorder, and documents of a class that is never
  // printed ahead are left out. Each application's offices will read the
  // folders of its documents and `allowed`.
  LaterPrints(const std::vector<LaterDocument>& documents, const quillset::PrintPreferences& preferences,
              const std::vector<std::string>& allowed);
  // Ends the office and throws the PDFs nobody took away.
  ~LaterPrints();
  LaterPrints(const LaterPrints&) = delete;
  LaterPrints& operator=(const LaterPrints&) = delete;

  // Work for an application's idle office: prints the next document in this
  // pool's own office. That office is started only while one long document
  // holds the application up (`heldUp`): one started for a moment's
  // idleness would hold the next application back. Empty when nothing is
  // left, the office is busy or lost, or it was handed over. The job never
  // throws.
  std::function<void()> IdleJob(bool heldUp);

  // The PDF printed for `path` (a LoadedDocument without a component), when
  // there is one and the file has not changed since; taken once.
  std::optional<LoadedDocument> Take(const std::string& path);

  // For the application of `className`, now created: its documents not yet
  // begun, and those of the applications before it, are left to it. Once
  // nothing is left, no more work is begun: waits for the print in progress
  // and hands over the office, still running. Before that, hands it over
  // when idle and none of the rest may be printed there; otherwise null.
  std::unique_ptr<OfficeProcess> HandOver(const std::string& className);

  // Whether the documents of `className` were printed by an office that may
  // read `reach`, as the application's own would.
  bool PrintedWith(const std::string& className, const OfficeReach& reach) const;

 private:
  struct Planned {
    std::string className;
    std::string path;
    PrintRecipe recipe;  // its own page set-up and PDF directory
    AheadRequest request;
    std::size_t reach;  // in reaches_
  };
  struct Printed {
    std::optional<FileIdentity> identity;  // of the file as the office read it
    LoadedDocument document;
  };

  void Print(const Planned& planned);
  // One that may read `planned`'s reach, started when there is none.
  OfficeSession& OfficeFor(const Planned& planned);

  std::mutex mutex_;
  std::condition_variable idle_;
  std::vector<Planned> planned_;
  std::size_t next_ = 0;
  bool busy_ = false;
  bool closed_ = false;
  std::map<std::string, std::size_t> reachOf_;  // by class name
  std::vector<OfficeReach> reaches_;
  // Once started; used by one job at a time, and may read reaches_[officeReach_].
  std::shared_ptr<OfficeSession> office_;
  std::size_t officeReach_ = 0;
  std::map<std::string, Printed> printed_;
};

}  // namespace pressmoor::office::libreoffice
