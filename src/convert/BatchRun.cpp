// Placeholder until implemented.
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
void frmPressmoorMain::cmdConvert_Click() {}
void frmPressmoorMain::ConvertFiles() {}
}  // namespace pressmoor::ui
