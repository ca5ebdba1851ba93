#include <exception>
#include <new>
#include <utility>

#include "convert/RunMessages.h"
#include "convert/RunStopped.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

namespace {

// Holds RunInProgress for one run and, in the window, keeps its events
// running while the office is waited for; both released on every way out.
class RunInProgressScope {
 public:
  explicit RunInProgressScope(frmPressmoorMain& window)
      : window_(window), inWindow_(!window.IsUnattended()) {
    window_.RunInProgress = true;
    window_.StopRequested = false;
    if (inWindow_) window_.Env().Office().WhileWaiting([&window] { window.Env().DispatchEvents(); });
  }
  ~RunInProgressScope() {
    window_.Env().Office().ExpectLaterDocuments({});
    if (inWindow_) window_.Env().Office().WhileWaiting(nullptr);
    window_.RunInProgress = false;
  }
  RunInProgressScope(const RunInProgressScope&) = delete;
  RunInProgressScope& operator=(const RunInProgressScope&) = delete;

 private:
  frmPressmoorMain& window_;
  bool inWindow_;
};

// Whether a file `takes` accepts is listed in this run's part, up to date or not.
bool AnyListed(frmPressmoorMain& window, bool (frmPressmoorMain::*takes)(const std::string&)) {
  for (int index = 0; index < window.srcFileList.ListCount(); ++index) {
    const std::string fileName = window.srcFileList.List(index);
    if ((window.*takes)(fileName) && convert::InPart(window.Part, fileName)) return true;
  }
  return false;
}

// The office is told before the first converter what the later ones will
// print, so that its idle offices may begin them.
void ForeseeLaterDocuments(frmPressmoorMain& window, bool presentationsToo) {
  std::vector<office::LaterDocument> later;
  if (presentationsToo) later = window.LaterPresentations();
  for (office::LaterDocument& document : window.LaterWordDocuments()) later.push_back(std::move(document));
  if (!later.empty()) window.Env().Office().ExpectLaterDocuments(std::move(later));
}

// With today's formats the files listed choose, whatever the pattern: each
// converter runs only when one of its files is listed.
void ConvertByListedKinds(frmPressmoorMain& window) {
  const bool workbooks = AnyListed(window, &frmPressmoorMain::IsExcelFile);
  if (workbooks || AnyListed(window, &frmPressmoorMain::IsPowerPointFile)) {
    ForeseeLaterDocuments(window, workbooks);
  }
  for (auto [takes, convert] :
       {std::pair{&frmPressmoorMain::IsExcelFile, &frmPressmoorMain::ConvertWithExcel},
        std::pair{&frmPressmoorMain::IsPowerPointFile, &frmPressmoorMain::ConvertWithPowerPoint},
        std::pair{&frmPressmoorMain::IsWordFile, &frmPressmoorMain::ConvertWithWord}}) {
    if (AnyListed(window, takes)) (window.*convert)();
  }
}

// Patterns compared character for character; anything unlisted goes to Word.
void ConvertByPattern(frmPressmoorMain& window) {
  const std::string& pattern = window.FilePattern;
  if (pattern.empty()) {
    window.SendMessage("File type to convert is not defined");
  } else if (window.TodaysFormats) {
    ConvertByListedKinds(window);
  } else if (pattern == "*.doc" || pattern == "*.txt" || pattern == "*.html" ||
             pattern == "*.rtf") {
    window.ConvertWithWord();
  } else if (pattern == "*.xls") {
    window.ConvertWithExcel();
  } else if (pattern == "*.*") {
    window.ConvertFiles();
  } else {
    window.ConvertWithWord();
  }
}

// Failures the converters do not handle themselves are told to the user and
// the run still ends normally.
void ConvertReportingFailures(frmPressmoorMain& window) {
  try {
    ConvertByPattern(window);
  } catch (const office::AutomationError& failure) {
    window.SendMessage(std::to_string(failure.Number()) + " " + failure.Description());
  } catch (const std::bad_alloc&) {
    window.SendMessage("7 Out of memory");
  } catch (const std::exception& failure) {
    window.SendMessage(std::string("51 ") + failure.what());
  }
}

}  // namespace

void frmPressmoorMain::cmdConvert_Click() {
  // A press while a running batch lets the window's events through.
  if (RunInProgress) return;
  RunInProgressScope inProgress(*this);

  const bool sourceReady = CheckSourceDirectory();
  const bool destinationReady = CheckDestinationDirectory();
  if (!sourceReady || !destinationReady) return;

  const double start = Env().Clock();
  ConvertedCount = 0;
  BeginProgress();
  ReportPrinterPreferences();
  FilesUpToDate = 0;
  try {
    ConvertReportingFailures(*this);
  } catch (const convert::RunStopped& stop) {
    EndProgress();
    StoppedBy = stop.Signal();
    SendMessage(convert::StoppedMessage(StoppedBy, ConvertedCount));
    return;
  }
  EndProgress();

  if (ConvertedCount != 0) {
    SendMessage(convert::SummaryMessage(ConvertedCount, Env().Clock() - start));
    ++SummariesReported;
  }
  // Part of the summary: nothing went wrong for these.
  if (FilesUpToDate != 0) {
    SendMessage(convert::UpToDateMessage(FilesUpToDate));
    ++SummariesReported;
  }
  RefreshDestinationList();
  SaveSettings();
}

void frmPressmoorMain::StopIfAsked() {
  if (const int signal = Env().StopSignal()) {
    Env().Office().EndAllOffices();
    throw convert::RunStopped(signal);
  }
  // The run's own objects end their offices as the stop unwinds them;
  // ending every office here would leave the next run none to start.
  if (StopRequested) throw convert::RunStopped(0);
}

void frmPressmoorMain::BetweenFiles() {
  if (!IsUnattended()) Env().DispatchEvents();
  StopIfAsked();
}

void frmPressmoorMain::cmdStop_Click() {
  if (RunInProgress) StopRequested = true;
}

void frmPressmoorMain::ConvertFiles() {
  if (AnyListed(*this, &frmPressmoorMain::IsExcelFile)) {
    ForeseeLaterDocuments(*this, false);
    ConvertWithExcel();
  }
  ConvertWithWord();
}

}  // namespace pressmoor::ui
