#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "convert/FileAttempt.h"
#include "convert/FilePaths.h"
#include "convert/RunMessages.h"
#include "convert/TextCase.h"
#include "driver/OutputNameLock.h"
#include "driver/Quillset.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

namespace {

const office::ExcelCloseArgs kDiscardChanges{
    .SaveChanges = false, .Filename = std::nullopt, .RouteWorkbook = false};

// The spreadsheet of one run; started afresh when its office is lost.
class RunExcel {
 public:
  explicit RunExcel(frmPressmoorMain& window) : window_(window) {}

  // Drops the one before, if any; the office reads `expected` ahead.
  void Start(std::vector<std::string> expected) {
    excel_.reset();
    window_.Env().Office().ExpectDocuments(std::move(expected));
    excel_ = std::dynamic_pointer_cast<office::ExcelApplication>(
        window_.Env().Office().CreateObject("Excel.Application"));
    if (!excel_) {
      throw office::AutomationError(office::errors::kCannotStart, "Excel.Application",
                                    "The object is not a spreadsheet");
    }
  }

  office::ExcelApplication& operator*() const { return *excel_; }
  bool Started() const { return excel_ != nullptr; }

  // Closes what a failed file left open, or starts afresh when that fails.
  void Recover(const convert::FileAttempt& attempt,
               const std::shared_ptr<office::ExcelWorkbook>& workbook,
               std::vector<std::string> rest) {
    if (!attempt.restarted && !convert::OfficeLost(*attempt.failure)) {
      try {
        if (workbook) workbook->Close(kDiscardChanges);
        return;
      } catch (const office::AutomationError&) {
        // Nothing more to close here; a fresh office follows.
      }
    }
    Start(std::move(rest));
  }

  void Quit() { excel_->Quit(); }

 private:
  frmPressmoorMain& window_;
  std::shared_ptr<office::ExcelApplication> excel_;
};

// Leaves the printed workbook open in `workbook`.
void PrintWithExcel(frmPressmoorMain& window, office::ExcelApplication& excel,
                    const std::string& sourcePath, const std::string& outputPath,
                    std::shared_ptr<office::ExcelWorkbook>& workbook) {
  // The printer reads the name when the job reaches it; another run must
  // not replace it before then.
  driver::OutputNameLock nameInUse(window.Env().Settings().Roots());
  window.MySaveSetting(driver::kSettingsApplication, driver::kSettingsSection,
                       driver::kOutputFileNameValue, outputPath);
  excel.Visible(false);
  workbook = excel.Workbooks()->Open({.Filename = sourcePath, .UpdateLinks = std::nullopt, .ReadOnly = true});
  workbook->PrintOut({.From = std::nullopt,
                      .To = std::nullopt,
                      .Copies = std::nullopt,
                      .Preview = std::nullopt,
                      .ActivePrinter = driver::kPrinterName});
}

}  // namespace

void frmPressmoorMain::ConvertWithExcel() {
  RunExcel excel(*this);
  std::string sourcePath;
  try {
    // With -u the office waits for the first file that changed.
    if (!OnlyChanged) excel.Start(ListedFiles(&frmPressmoorMain::IsExcelFile, 0));

    const int count = srcFileList.ListCount();
    for (int index = 0; index < count; ++index) {
      // Input that could shorten the list is refused during a run; this only
      // keeps a stale index from reading past the end.
      if (index >= srcFileList.ListCount()) break;
      const std::string fileName = srcFileList.List(index);
      if (!IsExcelFile(fileName)) continue;
      if (!convert::InPart(Part, fileName)) continue;
      if (IsUpToDate(fileName)) {
        ++FilesUpToDate;
        continue;
      }
      ShowProgress(index, count, fileName);
      sourcePath = convert::SourcePath(SrcFolder.Path(), fileName);
      const std::string outputPath = convert::OutputPath(DstFolder.Path(), fileName);
      if (!excel.Started()) excel.Start(ListedFiles(&frmPressmoorMain::IsExcelFile, index));
      MakeOutputFolder(fileName);

      std::shared_ptr<office::ExcelWorkbook> workbook;
      const convert::FileAttempt attempt = convert::AttemptFile(
          [&] { PrintWithExcel(*this, *excel, sourcePath, outputPath, workbook); },
          KeepGoing ? std::function<void()>([&] {
            workbook.reset();
            excel.Start({sourcePath});
          })
                    : nullptr);
      if (attempt.failure) {
        if (!KeepGoing) throw *attempt.failure;
        SendMessage(convert::ExcelFailureMessage(*attempt.failure, sourcePath));
        excel.Recover(attempt, workbook, ListedFiles(&frmPressmoorMain::IsExcelFile, index + 1));
        continue;
      }
      convert::CountOneMore(ConvertedCount);
      RefreshDestinationList();
      try {
        workbook->Close(kDiscardChanges);
      } catch (const office::AutomationError& failure) {
        if (!KeepGoing) throw;
        SendMessage(convert::ExcelFailureMessage(failure, sourcePath));
        excel.Start(ListedFiles(&frmPressmoorMain::IsExcelFile, index + 1));
        continue;
      }
      if (attempt.restarted) excel.Start(ListedFiles(&frmPressmoorMain::IsExcelFile, index + 1));
    }

    if (excel.Started()) excel.Quit();
  } catch (const office::AutomationError& failure) {
    // Unlike the Word path, no Quit: the references simply go.
    SendMessage(convert::ExcelFailureMessage(failure, sourcePath));
  }
}

bool frmPressmoorMain::IsExcelFile(const std::string& name) {
  return convert::AsciiLower(convert::LastThree(name)) == "xls";
}

}  // namespace pressmoor::ui
