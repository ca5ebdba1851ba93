// STEP 1: the chosen file type sets the pattern and decides whether the
// margin block is offered.
#include <cstddef>
#include <initializer_list>

#include "ui/FileTypes.h"
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {

void frmPressmoorMain::cmbFileType_Click() {
  SetFilePattern(cmbFileType.ListIndex());
  RefreshSourceList();
  UpdateMarginFields();
}

void frmPressmoorMain::SetFilePattern(std::int16_t index) {
  bool listed = index >= 0 && index < static_cast<std::int16_t>(kFileTypePatterns.size());
  FilePattern = listed ? kFileTypePatterns[static_cast<std::size_t>(index)] : "";
  TodaysFormats = listed && index >= kFirstTodaysEntry;
}

void frmPressmoorMain::UpdateMarginFields() {
  // Word documents, workbooks and today's formats bring their own page margins.
  bool show = true;
  for (std::size_t entry = 0; entry < kFileTypePatterns.size(); ++entry) {
    if (FilePattern == kFileTypePatterns[entry]) show = kFileTypeTakesMargins[entry];
  }
  for (Control* control : std::initializer_list<Control*>{&lblLMargin, &lblRMargin, &lblTMargin, &lblBMargin,
                                                          &lblSetMargins, &txtLMargin, &txtRmargin, &txtTMargin,
                                                          &txtBMargin}) {
    control->Visible(show);
  }
}

}  // namespace pressmoor::ui
