#include "convert/NamedOutputConversion.h"

#include <functional>

#include "convert/FileAttempt.h"
#include "convert/FilePaths.h"
#include "convert/RunMessages.h"
#include "driver/OutputNameLock.h"
#include "driver/Quillset.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::convert {

namespace {

using ui::frmPressmoorMain;

void PrintNamed(frmPressmoorMain& window, NamedOutputOffice& office, const std::string& sourcePath,
                const std::string& outputPath) {
  // The printer reads the name when the job reaches it; another run must
  // not replace it before then.
  driver::OutputNameLock nameInUse(window.Env().Settings().Roots());
  window.MySaveSetting(driver::kSettingsApplication, driver::kSettingsSection,
                       driver::kOutputFileNameValue, outputPath);
  office.Open(sourcePath);
  office.PrintOnQuillset();
}

// Closes what a failed file left open, or starts afresh when that fails.
void Recover(NamedOutputOffice& office, const FileAttempt& attempt,
             std::vector<std::string> rest) {
  if (!attempt.restarted && !OfficeLost(*attempt.failure)) {
    try {
      if (office.HoldsDocument()) office.CloseDocument();
      return;
    } catch (const office::AutomationError&) {
      // Nothing more to close here; a fresh office follows.
    }
  }
  office.DropDocument();
  office.Start(std::move(rest));
}

}  // namespace

void ConvertWithNamedOutput(frmPressmoorMain& window, NamedOutputOffice& office,
                            bool (frmPressmoorMain::*takes)(const std::string&)) {
  std::string sourcePath;
  try {
    // With -u the office waits for the first file that changed.
    if (!window.OnlyChanged) office.Start(window.ListedFiles(takes, 0));

    const int count = window.srcFileList.ListCount();
    for (int index = 0; index < count; ++index) {
      // Input that could shorten the list is refused during a run; this only
      // keeps a stale index from reading past the end.
      if (index >= window.srcFileList.ListCount()) break;
      window.BetweenFiles();
      const std::string fileName = window.srcFileList.List(index);
      if (!(window.*takes)(fileName)) continue;
      if (!InPart(window.Part, fileName)) continue;
      if (window.IsUpToDate(fileName)) {
        ++window.FilesUpToDate;
        continue;
      }
      window.ShowProgress(index, count, fileName);
      sourcePath = SourcePath(window.SrcFolder.Path(), fileName);
      const std::string outputPath = OutputPath(window.DstFolder.Path(), fileName);
      if (!office.Started()) office.Start(window.ListedFiles(takes, index));
      window.MakeOutputFolder(fileName);

      const FileAttempt attempt = AttemptFile(
          [&] { PrintNamed(window, office, sourcePath, outputPath); },
          window.KeepGoing ? std::function<void()>([&] {
            office.DropDocument();
            office.Start({sourcePath});
          })
                           : nullptr);
      if (attempt.failure) {
        window.StopIfAsked();
        if (!window.KeepGoing) throw *attempt.failure;
        window.SendMessage(ExcelFailureMessage(*attempt.failure, sourcePath));
        Recover(office, attempt, window.ListedFiles(takes, index + 1));
        continue;
      }
      CountOneMore(window.ConvertedCount);
      window.RefreshDestinationList();
      try {
        office.CloseDocument();
      } catch (const office::AutomationError& failure) {
        window.StopIfAsked();
        if (!window.KeepGoing) throw;
        window.SendMessage(ExcelFailureMessage(failure, sourcePath));
        office.DropDocument();
        office.Start(window.ListedFiles(takes, index + 1));
        continue;
      }
      if (attempt.restarted) office.Start(window.ListedFiles(takes, index + 1));
    }

    if (office.Started()) office.Quit();
  } catch (const office::AutomationError& failure) {
    // A failure the stop caused is no failure of the file.
    window.StopIfAsked();
    // Unlike the Word path, no Quit: the references simply go.
    window.SendMessage(ExcelFailureMessage(failure, sourcePath));
  }
}

}  // namespace pressmoor::convert
