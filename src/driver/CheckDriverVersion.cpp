// Placeholder until implemented.
#include "ui/frmPressmoorMain.h"

namespace pressmoor::ui {
bool frmPressmoorMain::CheckDriverVersion() { return false; }
}  // namespace pressmoor::ui
