// Placeholder until implemented.
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
void frmPressmoorMain::cmbFileType_Click() {}
void frmPressmoorMain::SetFilePattern(std::int16_t) {}
void frmPressmoorMain::UpdateMarginFields() {}
}  // namespace pressmoor::ui
