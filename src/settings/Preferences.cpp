// Placeholder until implemented.
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
void frmPressmoorMain::LoadSettings() {}
void frmPressmoorMain::SaveSettings() {}
void frmPressmoorMain::SaveMargins() {}
}  // namespace pressmoor::ui
