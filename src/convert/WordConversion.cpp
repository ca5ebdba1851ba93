#include <memory>

#include "convert/FilePaths.h"
#include "convert/RunMessages.h"
#include "convert/WordPageSetup.h"
#include "driver/Quillset.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

namespace {

std::shared_ptr<office::WordApplication> StartWord(office::ObjectFactory& factory) {
  auto word = std::dynamic_pointer_cast<office::WordApplication>(
      factory.CreateObject("Word.Application"));
  if (!word) {
    throw office::AutomationError(office::errors::kCannotStart, "Word.Application",
                                  "The object is not a word processor");
  }
  return word;
}

}  // namespace

void frmPressmoorMain::ConvertWithWord() {
  std::shared_ptr<office::WordApplication> word;
  std::string sourcePath;
  try {
    ExpectListedFiles(&frmPressmoorMain::IsWordFile);
    word = StartWord(Env().Office());
    const std::string previousPrinter = word->ActivePrinter();
    word->ActivePrinter(driver::kPrinterName);

    const int count = srcFileList.ListCount();
    for (int index = 0; index < count; ++index) {
      // Input that could shorten the list is refused during a run; this only
      // keeps a stale index from reading past the end.
      if (index >= srcFileList.ListCount()) break;
      const std::string fileName = srcFileList.List(index);
      sourcePath = convert::SourcePath(SrcFolder.Path(), fileName);
      if (!IsWordFile(sourcePath)) continue;
      ShowProgress(index, count, fileName);
      if (FileLocked(sourcePath)) {
        SendMessage("File " + sourcePath + " is already open, cannot convert to PDF format");
        continue;
      }
      const std::string outputPath = convert::OutputPath(DstFolder.Path(), fileName);

      word->Documents()->Open({.FileName = sourcePath});
      word->Options()->PrintBackground(true);
      if (!IsDocFile(sourcePath)) {
        std::shared_ptr<office::WordPageSetup> pageSetup = word->ActiveDocument()->PageSetup();
        convert::ApplyDefaultPage(*pageSetup, {txtLMargin.Text(), txtRmargin.Text(),
                                               txtTMargin.Text(), txtBMargin.Text(),
                                               Orientation == "LANDSCAPE"});
      }
      word->Visible(false);
      word->ActiveDocument()->PrintOut({.OutputFileName = outputPath, .PrintToFile = true});
      // Events keep the window alive while the printer works.
      while (word->BackgroundPrintingStatus() > 0) {
        Env().DispatchEvents();
        Env().Sleep(100);
      }
      word->Documents()->Close({.SaveChanges = false});
      convert::CountOneMore(ConvertedCount);
      RefreshDestinationList();
    }

    word->ActivePrinter(previousPrinter);
    word->Quit();
  } catch (const office::AutomationError& failure) {
    SendMessage(convert::WordFailureMessage(failure, sourcePath));
    if (word) {
      try {
        word->Quit();
      } catch (const office::AutomationError&) {
        // The office may already be gone; the message has been given.
      }
    }
  }
}

}  // namespace pressmoor::ui
