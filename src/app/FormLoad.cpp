#include <cstdint>
#include <string>

#include "driver/Quillset.h"
#include "ui/FileTypes.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

namespace {

// The store holds FileTypeIndex as free text, so any number can come back.
bool IsListPosition(std::int16_t index, int entries) { return index >= -1 && index < entries; }

}  // namespace

void frmPressmoorMain::Form_Load() {
  if (!CheckDriverVersion()) {
    DriverCheckFailed = true;
    SendMessage(std::string("Pressmoor requires Quillset 1.20 or above.  Download available at ") +
                driver::kDownloadAddress);
    Unload();
    return;
  }

  if (IsUnattended()) {
    LoadSettings();
    // A command line that could not be applied would convert whatever the
    // lists happen to show; convert nothing instead.
    if (!CommandLineFailed) cmdConvert_Click();
    Unload();
    return;
  }

  cmbFileType.Text(kFileTypePrompt);
  for (int position = 0; position < static_cast<int>(kFileTypeEntries.size()); ++position) {
    cmbFileType.List(position, kFileTypeEntries[static_cast<std::size_t>(position)]);
  }
  LoadSettings();
  // An index no entry answers to counts as no selection: the prompt stays,
  // the pattern is empty and the next save stores -1.
  if (!IsListPosition(FileTypeIndex, cmbFileType.ListCount())) FileTypeIndex = -1;
  cmbFileType.ListIndex(FileTypeIndex);
  SetFilePattern(FileTypeIndex);
  UpdateMarginFields();
}

}  // namespace pressmoor::ui
