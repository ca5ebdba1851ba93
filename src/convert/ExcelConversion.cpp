#include <memory>

#include "convert/FilePaths.h"
#include "convert/RunMessages.h"
#include "convert/TextCase.h"
#include "driver/OutputNameLock.h"
#include "driver/Quillset.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

namespace {

std::shared_ptr<office::ExcelApplication> StartExcel(office::ObjectFactory& factory) {
  auto excel = std::dynamic_pointer_cast<office::ExcelApplication>(
      factory.CreateObject("Excel.Application"));
  if (!excel) {
    throw office::AutomationError(office::errors::kCannotStart, "Excel.Application",
                                  "The object is not a spreadsheet");
  }
  return excel;
}

}  // namespace

void frmPressmoorMain::ConvertWithExcel() {
  std::string sourcePath;
  try {
    ExpectListedFiles(&frmPressmoorMain::IsExcelFile);
    std::shared_ptr<office::ExcelApplication> excel = StartExcel(Env().Office());

    const int count = srcFileList.ListCount();
    for (int index = 0; index < count; ++index) {
      // Input that could shorten the list is refused during a run; this only
      // keeps a stale index from reading past the end.
      if (index >= srcFileList.ListCount()) break;
      const std::string fileName = srcFileList.List(index);
      if (!IsExcelFile(fileName)) continue;
      ShowProgress(index, count, fileName);
      sourcePath = convert::SourcePath(SrcFolder.Path(), fileName);
      const std::string outputPath = convert::OutputPath(DstFolder.Path(), fileName);

      // The printer reads the name when the job reaches it; another run must
      // not replace it before then.
      driver::OutputNameLock nameInUse(Env().Settings().Roots());
      MySaveSetting(driver::kSettingsApplication, driver::kSettingsSection,
                    driver::kOutputFileNameValue, outputPath);
      excel->Visible(false);
      std::shared_ptr<office::ExcelWorkbook> workbook =
          excel->Workbooks()->Open({.Filename = sourcePath, .UpdateLinks = std::nullopt, .ReadOnly = true});
      workbook->PrintOut({.From = std::nullopt,
                         .To = std::nullopt,
                         .Copies = std::nullopt,
                         .Preview = std::nullopt,
                         .ActivePrinter = driver::kPrinterName});
      nameInUse.Release();
      convert::CountOneMore(ConvertedCount);
      RefreshDestinationList();
      workbook->Close({.SaveChanges = false, .Filename = std::nullopt, .RouteWorkbook = false});
    }

    excel->Quit();
  } catch (const office::AutomationError& failure) {
    // Unlike the Word path, no Quit: the references simply go.
    SendMessage(convert::ExcelFailureMessage(failure, sourcePath));
  }
}

bool frmPressmoorMain::IsExcelFile(const std::string& name) {
  return convert::AsciiLower(convert::LastThree(name)) == "xls";
}

}  // namespace pressmoor::ui
