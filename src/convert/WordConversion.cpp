#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "convert/FileAttempt.h"
#include "convert/FilePaths.h"
#include "convert/RunMessages.h"
#include "convert/WordPageSetup.h"
#include "driver/Quillset.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

namespace {

// The word processor of one run, on the Quillset printer; started afresh
// when its office is lost.
class RunWord {
 public:
  explicit RunWord(frmPressmoorMain& window) : window_(window) {}
  RunWord(const RunWord&) = delete;
  RunWord& operator=(const RunWord&) = delete;

  // Quits the one before, if any; the office reads `expected` ahead.
  void Start(std::vector<std::string> expected) {
    QuitQuietly();
    window_.Env().Office().ExpectDocuments(std::move(expected));
    auto word = std::dynamic_pointer_cast<office::WordApplication>(
        window_.Env().Office().CreateObject("Word.Application"));
    if (!word) {
      throw office::AutomationError(office::errors::kCannotStart, "Word.Application",
                                    "The object is not a word processor");
    }
    word_ = std::move(word);
    previousPrinter_ = word_->ActivePrinter();
    word_->ActivePrinter(driver::kPrinterName);
  }

  office::WordApplication& operator*() const { return *word_; }
  bool Started() const { return word_ != nullptr; }

  // Closes what a failed file left open, or starts afresh when that fails.
  void Recover(const convert::FileAttempt& attempt, std::vector<std::string> rest) {
    if (!attempt.restarted && !convert::OfficeLost(*attempt.failure)) {
      try {
        word_->Documents()->Close({.SaveChanges = false});
        return;
      } catch (const office::AutomationError&) {
        // Nothing more to close here; a fresh office follows.
      }
    }
    Start(std::move(rest));
  }

  void Finish() {
    word_->ActivePrinter(previousPrinter_);
    word_->Quit();
    word_.reset();
  }

  void QuitQuietly() {
    if (!word_) return;
    try {
      word_->Quit();
    } catch (const office::AutomationError&) {
      // The office may already be gone; the message has been given.
    }
    word_.reset();
  }

 private:
  frmPressmoorMain& window_;
  std::shared_ptr<office::WordApplication> word_;
  std::string previousPrinter_;
};

convert::DefaultPage DefaultPageOf(frmPressmoorMain& window) {
  return {window.txtLMargin.Text(), window.txtRmargin.Text(), window.txtTMargin.Text(),
          window.txtBMargin.Text(), window.Orientation == "LANDSCAPE"};
}

void PrintWithWord(frmPressmoorMain& window, office::WordApplication& word,
                   const std::string& sourcePath, const std::string& outputPath) {
  word.Documents()->Open({.FileName = sourcePath});
  word.Options()->PrintBackground(true);
  if (window.TakesDefaultPage(sourcePath)) {
    std::shared_ptr<office::WordPageSetup> pageSetup = word.ActiveDocument()->PageSetup();
    convert::ApplyDefaultPage(*pageSetup, DefaultPageOf(window));
  }
  word.Visible(false);
  word.ActiveDocument()->PrintOut({.OutputFileName = outputPath, .PrintToFile = true});
  // Events keep the window alive while the printer works.
  while (word.BackgroundPrintingStatus() > 0) {
    window.Env().DispatchEvents();
    window.Env().Sleep(100);
    window.StopIfAsked();
  }
  word.Documents()->Close({.SaveChanges = false});
}

}  // namespace

std::vector<office::LaterDocument> frmPressmoorMain::LaterWordDocuments() {
  std::vector<office::LaterDocument> documents;
  const convert::DefaultPage page = DefaultPageOf(*this);
  for (const std::string& fileName : ListedNames(&frmPressmoorMain::IsWordFile, 0)) {
    const std::string path = convert::SourcePath(SrcFolder.Path(), fileName);
    office::LaterDocument document{"Word.Application", path, convert::OutputPath(DstFolder.Path(), fileName),
                                   nullptr};
    if (TakesDefaultPage(path)) {
      document.pageSetup = [page](office::WordPageSetup& setup) { convert::ApplyDefaultPage(setup, page); };
    }
    documents.push_back(std::move(document));
  }
  return documents;
}

void frmPressmoorMain::ConvertWithWord() {
  RunWord word(*this);
  std::string sourcePath;
  try {
    // With -u the office waits for the first file that changed, so that a
    // run with nothing to do starts none.
    if (!OnlyChanged) word.Start(ListedFiles(&frmPressmoorMain::IsWordFile, 0));

    const int count = srcFileList.ListCount();
    for (int index = 0; index < count; ++index) {
      // Input that could shorten the list is refused during a run; this only
      // keeps a stale index from reading past the end.
      if (index >= srcFileList.ListCount()) break;
      BetweenFiles();
      const std::string fileName = srcFileList.List(index);
      if (!convert::InPart(Part, fileName)) continue;
      sourcePath = convert::SourcePath(SrcFolder.Path(), fileName);
      if (!IsWordFile(sourcePath)) continue;
      if (IsUpToDate(fileName)) {
        ++FilesUpToDate;
        continue;
      }
      ShowProgress(index, count, fileName);
      if (FileLocked(sourcePath)) {
        SendMessage("File " + sourcePath + " is already open, cannot convert to PDF format");
        continue;
      }
      const std::string outputPath = convert::OutputPath(DstFolder.Path(), fileName);
      if (!word.Started()) word.Start(ListedFiles(&frmPressmoorMain::IsWordFile, index));
      MakeOutputFolder(fileName);

      const convert::FileAttempt attempt = convert::AttemptFile(
          [&] { PrintWithWord(*this, *word, sourcePath, outputPath); },
          KeepGoing ? std::function<void()>([&] { word.Start({sourcePath}); }) : nullptr);
      if (attempt.failure) {
        StopIfAsked();
        if (!KeepGoing) throw *attempt.failure;
        SendMessage(convert::WordFailureMessage(*attempt.failure, sourcePath));
        word.Recover(attempt, ListedFiles(&frmPressmoorMain::IsWordFile, index + 1));
        continue;
      }
      convert::CountOneMore(ConvertedCount);
      RefreshDestinationList();
      if (attempt.restarted) word.Start(ListedFiles(&frmPressmoorMain::IsWordFile, index + 1));
    }

    if (word.Started()) word.Finish();
  } catch (const office::AutomationError& failure) {
    // A failure the stop caused is no failure of the file.
    StopIfAsked();
    SendMessage(convert::WordFailureMessage(failure, sourcePath));
    word.QuitQuietly();
  }
}

}  // namespace pressmoor::ui
