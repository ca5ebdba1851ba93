// The word processor's documents of the rest of a run, printed ahead while
// the applications that come before it in the run (workbooks, slides) leave
// an office idle, so that a long workbook no longer holds the word
// processor's part of the run back until it is done. They are printed in
// an office of their own, which may read just what the word processor's
// offices will, so that a document that crashes or hangs it costs only its
// head start: the workbooks' offices never hold a word-processing document.
// That office goes to the word processor with the PDFs. A PDF printed here
// is the word processor's only for the same, unchanged file, and is then
// treated as one it printed ahead itself: put in place only when printed as
// asked. Thread-safe.
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
#include "ReadAhead.h"
#include "office/Automation.h"
#include "quillset/Preferences.h"

namespace pressmoor::office::libreoffice {

class LaterWordPrints : public std::enable_shared_from_this<LaterWordPrints> {
 public:
  // `documents` in the word processor's order; their page set-up calls are
  // replayed now, on a recorder. `reach` is what the word processor's
  // offices will read.
  LaterWordPrints(const std::vector<LaterWordDocument>& documents,
                  const quillset::PrintPreferences& preferences, OfficeReach reach);
  // Ends the office and throws the PDFs nobody took away.
  ~LaterWordPrints();
  LaterWordPrints(const LaterWordPrints&) = delete;
  LaterWordPrints& operator=(const LaterWordPrints&) = delete;

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

  const OfficeReach& Reach() const { return reach_; }

  // For the word processor: no more work is begun; waits for the print in
  // progress and hands over the office, still running, or null.
  std::unique_ptr<OfficeProcess> ReleaseOffice();

 private:
  struct Planned {
    std::string path;
    PrintRecipe recipe;  // its own page set-up and PDF directory
  };
  struct Printed {
    std::optional<FileIdentity> identity;  // of the file as the office read it
    LoadedDocument document;
  };

  void Print(const Planned& planned);
  std::shared_ptr<OfficeSession> Office();

  std::mutex mutex_;
  std::condition_variable idle_;
  std::vector<Planned> planned_;
  std::size_t next_ = 0;
  bool busy_ = false;
  bool closed_ = false;
  OfficeReach reach_;
  std::shared_ptr<OfficeSession> office_;  // once started; used by one job at a time
  std::map<std::string, Printed> printed_;
};

}  // namespace pressmoor::office::libreoffice
